#pragma once
// A program directory whose data/ the built program made from the installed catalog packages
// and the NGC 2000.0 table. The build takes a while, so every test process reuses one
// directory beside the program while the program and the table are unchanged (a lock keeps
// parallel tests from building it twice).

#include <string>

namespace vsp::test {

struct CatalogHome {
    std::string root;     // ends with '/'
    std::string missing;  // the inputs that are not installed; then nothing was built
    std::string problem;  // why the build failed
    std::string report;   // what data build --json printed
};

// Where data build finds d3-celestial when not told (the npm folder in the sources).
std::string D3CelestialDir();
// Built on the first call of the process.
const CatalogHome& BuiltCatalogHome();
// The built home for a test that needs it; null when it skipped the test (the inputs are not
// installed) or failed it (the build failed), and the test is to return.
const CatalogHome* RequireCatalogHome();
// RequireCatalogHome, and the home's data/ linked (read only) at `data`; false as above.
bool LinkCatalogData(const std::string& data);

}  // namespace vsp::test
