#include <cmath>

#include "databuild/DsoReaders.h"
#include "databuild/InputFiles.h"
#include "databuild/QtStream.h"
#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"

namespace vsp::databuild {

namespace {

// The designations stellarium stores as strings ("19f", "PK 010+18.2" parts); the others are
// u32 numbers with 0 for none.
constexpr bool IsTextId(int slot) {
    return slot == kStelCed || slot == kStelPk || slot == kStelPng || slot == kStelSnrg ||
           slot == kStelAco || slot == kStelHcg || slot == kStelEso || slot == kStelVdBh;
}

// Every fixed field, an empty morphology and all eight text designations null.
constexpr size_t kSmallestRecordBytes = 4 + 4 * 8 + 4 + 4 + 2 * 8 + 4 + 6 * 8 + 21 * 4 + 8 * 4;

void ReadRecord(QtStream& stream, StellariumDso& dso) {
    double unused = 0;
    stream.ReadU32(dso.number);
    double ra = 0, dec = 0;
    stream.ReadF64(ra);
    stream.ReadF64(dec);
    dso.raDeg = ReduceAngle(ra * kRadToDeg, 360.0);
    dso.decDeg = dec * kRadToDeg;
    stream.ReadF64(dso.bMag);
    stream.ReadF64(dso.vMag);
    stream.ReadU32(dso.type);
    stream.ReadQString(dso.morphology);
    stream.ReadF64(dso.majorDeg);
    stream.ReadF64(dso.minorDeg);
    stream.ReadU32(dso.orientationDeg);
    // Redshift, parallax and distance, each with its error: not used by the object files.
    for (int i = 0; i < 6; ++i) stream.ReadF64(unused);
    for (int slot = 0; slot < kStellariumIdCount; ++slot) {
        if (IsTextId(slot)) {
            stream.ReadQString(dso.ids[slot]);
        } else {
            uint32_t number = 0;
            stream.ReadU32(number);
            dso.ids[slot] = number ? std::to_string(number) : std::string();
        }
    }
}

}  // namespace

bool ReadStellariumCatalog(const std::string& path, std::vector<StellariumDso>& out,
                          std::string& problem) {
    out.clear();
    std::string bytes;
    if (!ReadWholeFile(path, bytes, problem)) return false;
    QtStream stream(bytes);
    std::string version, edition;
    stream.ReadQString(version);
    stream.ReadQString(edition);
    if (stream.Failed() || version.empty()) {
        problem = InputProblem(path, "no catalog version at its start (not a stellarium "
                                     "deep-sky catalog)");
        return false;
    }
    out.reserve(bytes.size() / kSmallestRecordBytes + 1);  // never outgrown: no copy of 100 MB
    while (!stream.AtEnd()) {
        const size_t start = stream.Offset();
        StellariumDso dso;
        ReadRecord(stream, dso);
        if (stream.Failed()) {
            problem = InputProblem(path, "record " + std::to_string(out.size() + 1) +
                                             " (from byte " + std::to_string(start) +
                                             ") is cut short or malformed; catalog version " +
                                             version);
            out.clear();
            return false;
        }
        out.push_back(std::move(dso));
    }
    return true;
}

}  // namespace vsp::databuild
