#pragma once
// `vespertar data build`: every file of data/ made from the installed catalog packages. Each
// family of files is one step; a step that fails stops the build with its reason, and the
// files it had not yet renamed into place keep their previous contents.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vsp::databuild {

struct BuildOptions {
    std::string dataDir;  // output folder, ending with '/'
    std::string stellariumDir = "/usr/share/stellarium";
    std::string kstarsDir = "/usr/share/kstars";
    std::string d3CelestialDir;  // the npm package folder (holds data/stars.14.json); DataBuild
                                 // looks for it when empty (FindD3Celestial)
    std::string ngc2000Path;     // optional: NGC 2000.0 table for the descriptions
    std::string tycho2Dir;       // optional: Tycho-2 as CDS distributes it
};

struct BuiltFile {
    std::string name;  // file name inside data/
    int32_t records = 0;
    int32_t recordSize = 0;
    std::string source;  // where its content came from, one line
};

struct BuildReport {
    std::vector<BuiltFile> files;
    std::vector<std::string> notes;  // choices a user should know about (counts cut, skipped files)
    std::string problem;             // why the build stopped
    std::function<void(std::string_view)> progress;  // one line per step; may be empty

    void Progress(std::string_view line) const {
        if (progress) progress(line);
    }
};

// The d3-celestial package folder: `given` (--d3celestial) when not empty, else
// $VESPERTAR_D3CELESTIAL, else the first node_modules/d3-celestial found in the executable's
// folder or its parent, directly or under databuild/ (where `npm ci` puts it in the sources).
// False with `problem` naming every place looked at.
bool FindD3Celestial(const std::string& given, std::string& dir, std::string& problem);

// False when a step fails (report.problem says why).
bool DataBuild(const BuildOptions& options, BuildReport& report);

// The steps, in the order DataBuild runs them. Each returns false on failure like DataBuild.
bool BuildStarFiles(const BuildOptions& options, BuildReport& report);
bool BuildTychoFiles(const BuildOptions& options, BuildReport& report);  // only with tycho2Dir
bool BuildObjectFiles(const BuildOptions& options, BuildReport& report);
bool BuildFeatureFiles(const BuildOptions& options, BuildReport& report);
// The Milky Way's density levels (catalog/MilkyWay.h) from d3-celestial's data/mw.json.
bool BuildMilkyWayFile(const BuildOptions& options, BuildReport& report);
class DataFileWriter;
// The outline file's records from an mw.json; false with the problem at the first bad feature.
bool ReadMilkyWayJson(const std::string& path, DataFileWriter& file, std::string& problem);
bool BuildDescriptions(const BuildOptions& options, BuildReport& report);  // only with ngc2000Path
// Only when kstarsDir holds citydb.sqlite (a note says when it does not).
bool BuildCityFile(const BuildOptions& options, BuildReport& report);

}  // namespace vsp::databuild
