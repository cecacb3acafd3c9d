#include "scope/AlignStar.h"

#include <algorithm>
#include <cstring>

#include "format/AngleParse.h"
#include "records/RecordCodec.h"

namespace vsp {

namespace {

constexpr int32_t kNameOffset = 4;

constexpr BoundField<AlignStar> kAlignStarFields[] = {
    {"star_index", 0, &AlignStar::starIndex},
    {"clock_deg", 24, &AlignStar::clockDeg},
    {"ra_deg", 32, &AlignStar::raDeg},
    {"dec_deg", 40, &AlignStar::decDeg},
    {"axis1_deg", 48, &AlignStar::axis1Deg},
    {"axis2_deg", 56, &AlignStar::axis2Deg},
    {"predicted_axis1", 64, &AlignStar::predictedAxis1},
    {"predicted_axis2", 72, &AlignStar::predictedAxis2},
    {"measured_axis1_deg", 80, &AlignStar::measuredAxis1Deg},
    {"measured_axis2_deg", 88, &AlignStar::measuredAxis2Deg},
    {"corrected_axis1_deg", 96, &AlignStar::correctedAxis1Deg},
    {"corrected_axis2_deg", 104, &AlignStar::correctedAxis2Deg}};

}  // namespace

AlignStarBytes EncodeAlignStar(const AlignStar& star) {
    AlignStarBytes bytes{};
    EncodeFields<AlignStar>(kAlignStarFields, star, bytes.data());
    const size_t length = std::min(star.name.size(), kAlignStarNameMax);
    std::memcpy(bytes.data() + kNameOffset, star.name.data(), length);
    return bytes;
}

AlignStar DecodeAlignStar(const AlignStarBytes& bytes) {
    AlignStar star = DecodeFields<AlignStar>(kAlignStarFields, bytes.data());
    const auto* name = reinterpret_cast<const char*>(bytes.data() + kNameOffset);
    star.name.assign(name, strnlen(name, kAlignStarNameMax));
    return star;
}

void ReadAlignStarTexts(const AlignStarTexts& texts, int32_t outputType, AlignStar& star) {
    star.clockDeg = ParseHoursAsDegrees(texts.time);
    star.raDeg = ParseHoursAsDegrees(texts.ra);
    star.decDeg = ParseSexagesimalDeclination(texts.dec);
    star.axis1Deg = ParseSexagesimalDeclination(texts.axis1);
    if (outputType == 0) star.axis1Deg *= 15;
    star.axis2Deg = ParseSexagesimalDeclination(texts.axis2);
}

}  // namespace vsp
