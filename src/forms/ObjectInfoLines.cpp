#include "forms/ObjectInfoLines.h"

#include <cstdio>

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
    lines.push_back({"RA", HMSToStr(record.ra, formats), "Dec", DmsToStr(record.dec, formats), false, true});
    if (sky) {
        lines.push_back({"Alt", DmsToStr(sky->altitude, formats), "Az", DmsToStr(sky->azimuth, formats)});
        for (const std::string& line : sky->lines) {
            lines.push_back(RiseSetLine(line));
            lines.back().gapBefore = &line == &sky->lines.front();
        }
    }
    if (!facts.description.empty()) {
        lines.push_back({"", kDreyerHeading, "", "", false, true});
        lines.push_back({"", facts.description, "", "", true});
        lines.push_back({"", kTranslationHeading});
        lines.push_back({"", facts.translation, "", "", true});
    }
    return lines;
}

}  // namespace vsp
