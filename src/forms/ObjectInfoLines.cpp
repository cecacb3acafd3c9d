#include "forms/ObjectInfoLines.h"

#include <cstdio>

#include "catalog/StarAngle.h"
#include "format/AngleFormat.h"
#include "platform/Text.h"

namespace vsp {
namespace {

std::string MagnitudeText(const ObjectRecord& record) {
    if (!MagnitudeKnown(record)) return "-";
    return FormatFixed(record.magnitude, 1);
}

// Arcminutes to a tenth below 10', whole above: "178' x 70'", "3.5'".
std::string ArcminText(float value) {
    char text[24];
    std::snprintf(text, sizeof text, value < 10.0f ? "%.1f'" : "%.0f'", double(value));
    return text;
}

std::string SizeText(const ObjectRecord& record) {
    if (record.sizeMajor <= 0.0f) return "-";
    if (record.sizeMinor <= 0.0f || record.sizeMinor == record.sizeMajor) return ArcminText(record.sizeMajor);
    return ArcminText(record.sizeMajor) + " x " + ArcminText(record.sizeMinor);
}

std::string NamesText(const ObjectFacts& facts) {
    std::string text = facts.designation;
    for (const std::string& other : facts.others) text += "  " + other;
    return text;
}

// "Rise    05h12m33" as its label and its time; the bullet line of an object that never rises
// or sets stays whole.
InfoLine RiseSetLine(const std::string& line) {
    const size_t blank = line.find(' ');
    if (line.starts_with(kBullet) || blank == std::string::npos) return {"", line};
    const size_t time = line.find_first_not_of(' ', blank);
    return {line.substr(0, blank), time == std::string::npos ? "" : line.substr(time)};
}

// RA and Dec, then (with `sky`) the altitude, azimuth and rise, transit and set.
void AddPlaceLines(std::vector<InfoLine>& lines, double raHours, double decDeg, const FixedPositionSky* sky,
                   const TextFormats& formats) {
    lines.push_back({"RA", HMSToStr(raHours, formats), "Dec", DmsToStr(decDeg, formats), false, true});
    if (!sky) return;
    lines.push_back({"Alt", DmsToStr(sky->altitude, formats), "Az", DmsToStr(sky->azimuth, formats)});
    for (const std::string& line : sky->lines) {
        lines.push_back(RiseSetLine(line));
        lines.back().gapBefore = &line == &sky->lines.front();
    }
}

}  // namespace

std::vector<InfoLine> ObjectInfoLines(const ObjectFacts& facts, const ObjectRecord& record,
                                      const FixedPositionSky* sky, const TextFormats& formats) {
    std::vector<InfoLine> lines{{"", NamesText(facts)}};
    if (!facts.commonName.empty()) lines.push_back({"", facts.commonName});
    std::string type = facts.typeName;
    if (!facts.classText.empty()) type += " " + facts.classText;
    lines.push_back({"Type", type.empty() ? "-" : type, "", "", false, true});
    lines.push_back({"Const.", facts.constellationName.empty() ? "-" : facts.constellationName});
    lines.push_back({"Mag", MagnitudeText(record), "Size", SizeText(record)});
    AddPlaceLines(lines, record.ra, record.dec, sky, formats);
    if (!facts.description.empty()) {
        lines.push_back({"", kDreyerHeading, "", "", false, true});
        lines.push_back({"", facts.description, "", "", true});
        lines.push_back({"", kTranslationHeading});
        lines.push_back({"", facts.translation, "", "", true});
    }
    return lines;
}

std::vector<InfoLine> StarInfoLines(const StarFacts& facts, const FixedPositionSky* sky, const TextFormats& formats) {
    const FoundStar& star = facts.star;
    std::string names = star.designation;
    for (const std::string& other : facts.others) names += "  " + other;
    std::vector<InfoLine> lines{{"", names}};
    if (!star.name.empty()) lines.push_back({"", star.name});
    lines.push_back({"Type", "Star", "", "", false, true});
    lines.push_back({"Const.", facts.constellationName.empty() ? "-" : facts.constellationName});
    lines.push_back({"Mag", FormatFixed(star.record.magnitude / 16.0, 1), "B-V",
                     FormatFixed(star.record.colour / 10.0, 1)});
    AddPlaceLines(lines, AngleToHours(star.record.ra), AngleToDegrees(star.record.dec), sky, formats);
    return lines;
}

}  // namespace vsp
