// Reading Tycho-2 as CDS distributes it (I/259). Both record layouts are '|'-separated fixed
// columns; positions used (bytes, 1-based):
//   tyc2.dat     1-4 TYC1, 6-10 TYC2, 12 TYC3, 14 pflag, 16-27 mRAdeg, 29-40 mDEdeg (J2000,
//                blank for pflag X), 111-116 BTmag, 124-129 VTmag, 153-164 RAdeg, 166-177
//                DEdeg (observed, used for pflag X); 206 bytes a record
//   suppl_1.dat  1-4 TYC1, 6-10 TYC2, 12 TYC3, 14 flag (H/T), 16-27 RAdeg, 29-40 DEdeg (epoch
//                J1991.25), 42-48 pmRA*cos(dec), 50-56 pmDE (mas/yr), 82 mflag (B/V/H),
//                84-89 BTmag, 97-102 VTmag (Hp when mflag is H); 122 bytes a record
// The main file is 2.5 million lines: it is streamed in chunks and each line parsed in place.

#include <algorithm>
#include <cmath>
#include <vector>

#include "catalog/Designation.h"
#include "databuild/InputFiles.h"
#include "databuild/TychoFiles.h"
#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "platform/ProgramDir.h"
#include "platform/Text.h"

namespace vsp::databuild {
namespace {

constexpr size_t kMainShortest = 177;        // through DEdeg
constexpr size_t kSupplementShortest = 102;  // through VTmag
constexpr double kSupplementYearsToJ2000 = 2000.0 - 1991.25;
constexpr int kMainParts = 20;

// Bytes first..last (1-based, inclusive) of a line, shorter or empty past its end.
std::string_view Column(std::string_view line, size_t first, size_t last) {
    if (line.size() < first) return {};
    return line.substr(first - 1, std::min(last, line.size()) - first + 1);
}

bool ParseDouble(std::string_view field, double& out) { return ParseWhole(TrimBlanks(field), out); }

bool ParseInteger(std::string_view field, int32_t& out) { return ParseWhole(TrimBlanks(field), out); }

// A magnitude column in mmag: false when blank; `bad` when it holds something else.
bool ParseMilli(std::string_view field, int32_t& out, bool& bad) {
    if (TrimBlanks(field).empty()) return false;
    double value = 0.0;
    if (!ParseDouble(field, value) || std::fabs(value) > 99.0) {
        bad = true;
        return false;
    }
    out = int32_t(std::lround(value * 1000.0));
    return true;
}

// Half away from zero.
int64_t RoundDivide(int64_t value, int64_t divisor) {
    return value >= 0 ? (value + divisor / 2) / divisor : -((-value + divisor / 2) / divisor);
}

bool SetPosition(double raDegrees, double decDegrees, TychoStar& star) {
    if (!(raDegrees >= 0.0 && raDegrees <= 360.0 && decDegrees >= -90.0 && decDegrees <= 90.0)) return false;
    star.raSeconds = int32_t(std::llround(raDegrees * 240.0) % 86400);
    const int32_t arcsec = int32_t(std::llround(std::fabs(decDegrees) * 3600.0));
    star.decArcsec = decDegrees < 0.0 ? -arcsec : arcsec;
    return true;
}

// Identifier and layout checks both layouts share; Skipped for components other than 1.
TychoLine ParseIdentifier(std::string_view line, size_t shortest, TychoStar& star, std::string& why) {
    if (line.size() < shortest) {
        why = "shorter than a Tycho-2 record";
        return TychoLine::Malformed;
    }
    if (line[12] != '|' || line[14] != '|' || line[27] != '|' || line[40] != '|') {
        why = "not in the Tycho-2 column layout";
        return TychoLine::Malformed;
    }
    int32_t region = 0, within = 0, component = 0;
    if (!ParseInteger(Column(line, 1, 4), region) || region < 1 || region > kTychoRegions ||
        !ParseInteger(Column(line, 6, 10), within) || within < 1 || within >= kTychoRegionFactor ||
        !ParseInteger(Column(line, 12, 12), component)) {
        why = "TYC1-TYC2-TYC3 is not a Tycho number";
        return TychoLine::Malformed;
    }
    if (component != 1) return TychoLine::Skipped;
    star.number = region * kTychoRegionFactor + within;
    return TychoLine::Star;
}

// Calls onLine(line, number) for every line of a plain or gzip'd file; stops when it answers
// false. False with `problem` set (by the reader or by onLine).
template <class OnLine>
bool ForEachLine(const std::string& path, OnLine&& onLine, std::string& problem) {
    std::string pending;  // a line split across pieces
    size_t lineNumber = 0;
    const auto onPiece = [&](std::string_view data) {
        for (size_t start = 0; start < data.size();) {
            const size_t end = data.find('\n', start);
            if (end == std::string_view::npos) {
                pending.append(data.substr(start));
                return true;
            }
            std::string_view line = data.substr(start, end - start);
            if (!pending.empty()) line = pending.append(line);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (!onLine(line, ++lineNumber)) return false;
            pending.clear();
            start = end + 1;
        }
        return true;
    };
    if (!ReadPieces(path, onPiece, problem)) return false;
    if (pending.empty()) return true;
    std::string_view line = pending;
    if (line.back() == '\r') line.remove_suffix(1);
    return onLine(line, ++lineNumber);
}

// The file itself or its gzip'd form; empty when neither exists.
std::string PlainOrGzip(const std::string& dir, const std::string& name) {
    for (const std::string& candidate : {PathBelow(dir, name), PathBelow(dir, name + ".gz")})
        if (FileExists(candidate)) return candidate;
    return {};
}

// tyc2.dat.00 .. .19 when the first part is there, else tyc2.dat. False on failure.
bool MainFiles(const std::string& dir, std::vector<std::string>& paths, std::string& problem) {
    if (!PlainOrGzip(dir, "tyc2.dat.00").empty()) {
        for (int part = 0; part < kMainParts; ++part) {
            const std::string name = std::string("tyc2.dat.") + char('0' + part / 10) + char('0' + part % 10);
            const std::string path = PlainOrGzip(dir, name);
            if (path.empty()) {
                problem = InputProblem(PathBelow(dir, name),
                                       "missing (the main catalogue comes in 20 parts, .00 to .19)");
                return false;
            }
            paths.push_back(path);
        }
        return true;
    }
    const std::string whole = PlainOrGzip(dir, "tyc2.dat");
    if (whole.empty()) {
        problem = InputProblem(dir, "holds neither tyc2.dat nor tyc2.dat.00 to .19 (plain or .gz)");
        return false;
    }
    paths.push_back(whole);
    return true;
}

}  // namespace

bool TychoPhotometry(bool hasBt, int32_t btMilli, bool hasVt, int32_t vtMilli, TychoStar& star) {
    // In units of 0.00001 mag the published factors keep everything in integers.
    int64_t v = 0, bv = 0;
    bool colour = false;
    if (hasBt && hasVt) {
        const int64_t difference = int64_t(btMilli) - vtMilli;
        v = 100 * int64_t(vtMilli) - 9 * difference;
        bv = 85 * difference;
        colour = true;
    } else if (hasVt) {
        v = 100 * int64_t(vtMilli);
    } else if (hasBt) {
        v = 100 * int64_t(btMilli);
    } else {
        return false;
    }
    star.vKey = int32_t(v);
    star.magnitude = uint8_t(std::clamp<int64_t>(RoundDivide(v * 16, 100000), 0, 254));
    star.colour = colour ? int8_t(std::clamp<int64_t>(RoundDivide(bv, 10000), -128, 127)) : int8_t(0);
    return true;
}

TychoLine TychoMainLineParse(std::string_view line, TychoStar& out, std::string& why) {
    TychoStar star;
    const TychoLine kind = ParseIdentifier(line, kMainShortest, star, why);
    if (kind != TychoLine::Star) return kind;
    double ra = 0.0, dec = 0.0;
    const bool observedOnly = line[13] == 'X';
    const bool mean =
        !observedOnly && ParseDouble(Column(line, 16, 27), ra) && ParseDouble(Column(line, 29, 40), dec);
    if (!mean && !(ParseDouble(Column(line, 153, 164), ra) && ParseDouble(Column(line, 166, 177), dec))) {
        why = "no position (mRAdeg/mDEdeg or RAdeg/DEdeg)";
        return TychoLine::Malformed;
    }
    if (!SetPosition(ra, dec, star)) {
        why = "position out of range";
        return TychoLine::Malformed;
    }
    int32_t bt = 0, vt = 0;
    bool bad = false;
    const bool hasBt = ParseMilli(Column(line, 111, 116), bt, bad);
    const bool hasVt = ParseMilli(Column(line, 124, 129), vt, bad);
    if (bad || !TychoPhotometry(hasBt, bt, hasVt, vt, star)) {
        why = "no BTmag or VTmag";
        return TychoLine::Malformed;
    }
    out = star;
    return TychoLine::Star;
}

TychoLine TychoSupplementLineParse(std::string_view line, TychoStar& out, std::string& why) {
    TychoStar star;
    const TychoLine kind = ParseIdentifier(line, kSupplementShortest, star, why);
    if (kind != TychoLine::Star) return kind;
    double ra = 0.0, dec = 0.0;
    if (!ParseDouble(Column(line, 16, 27), ra) || !ParseDouble(Column(line, 29, 40), dec)) {
        why = "no position (RAdeg/DEdeg)";
        return TychoLine::Malformed;
    }
    // Hipparcos and Tycho-1 positions are at J1991.25: carried to J2000 by the proper motion.
    double pmRa = 0.0, pmDec = 0.0;
    if (ParseDouble(Column(line, 42, 48), pmRa) && ParseDouble(Column(line, 50, 56), pmDec)) {
        const double cosDec = std::max(std::cos(dec * kDegToRad), 1e-6);
        ra += pmRa * kSupplementYearsToJ2000 / 3.6e6 / cosDec;
        dec += pmDec * kSupplementYearsToJ2000 / 3.6e6;
        ra = ReduceAngle(ra, 360.0);
        dec = std::clamp(dec, -90.0, 90.0);
    }
    if (!SetPosition(ra, dec, star)) {
        why = "position out of range";
        return TychoLine::Malformed;
    }
    int32_t bt = 0, vt = 0;
    bool bad = false;
    // mflag H: the VT column holds the Hipparcos magnitude, taken as V without a colour.
    const bool hipparcosOnly = line[81] == 'H';
    const bool hasBt = !hipparcosOnly && ParseMilli(Column(line, 84, 89), bt, bad);
    const bool hasVt = ParseMilli(Column(line, 97, 102), vt, bad);
    if (bad || !TychoPhotometry(hasBt, bt, hasVt, vt, star)) {
        why = "no BTmag or VTmag";
        return TychoLine::Malformed;
    }
    out = star;
    return TychoLine::Star;
}

bool TychoStarsRead(const std::string& dir, std::vector<TychoStar>& stars, TychoReadSummary& summary,
                   std::string& problem) {
    std::vector<std::string> paths;
    if (!MainFiles(dir, paths, problem)) return false;
    const size_t mainCount = paths.size();
    const std::string supplement = PlainOrGzip(dir, "suppl_1.dat");
    if (!supplement.empty()) paths.push_back(supplement);
    summary.supplement = !supplement.empty();

    stars.clear();
    for (size_t file = 0; file < paths.size(); ++file) {
        const std::string& path = paths[file];
        const auto parse = file < mainCount ? TychoMainLineParse : TychoSupplementLineParse;
        std::string why;
        const auto onLine = [&](std::string_view line, size_t number) {
            if (TrimBlanks(line).empty()) return true;
            ++summary.lines;
            TychoStar star;
            switch (parse(line, star, why)) {
                case TychoLine::Star:
                    stars.push_back(star);
                    return true;
                case TychoLine::Skipped:
                    ++summary.otherComponents;
                    return true;
                case TychoLine::Malformed:
                    break;
            }
            problem = InputLineProblem(path, number, why);
            return false;
        };
        if (!ForEachLine(path, onLine, problem)) return false;
        summary.files.push_back(path);
    }

    // Read order decides between two entries of one number: the main catalogue's comes first.
    std::stable_sort(stars.begin(), stars.end(),
                     [](const TychoStar& a, const TychoStar& b) { return a.number < b.number; });
    const auto end = std::unique(stars.begin(), stars.end(),
                                 [](const TychoStar& a, const TychoStar& b) { return a.number == b.number; });
    summary.duplicates = stars.end() - end;
    stars.erase(end, stars.end());
    return true;
}

}  // namespace vsp::databuild
