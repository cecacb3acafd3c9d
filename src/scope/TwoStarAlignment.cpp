#include "scope/TwoStarAlignment.h"

#include "format/AngleFormat.h"

namespace vsp {

bool AlignTwoStars(const AlignmentFrame& frame, const TwoStarRecords& records, double jdNow,
                   Alignment& alignment, SavedAlignment& saved, InfoSink& messages) {
    if (!alignment.ComputeAlignment(frame, records.referenceTime, records.star1, records.star2, messages)) {
        messages.InfoBox(kAlignFailed, kVerifyInputs);
        return false;
    }
    saved.julianDate = jdNow;
    saved.star1 = EncodeAlignStar(records.star1);
    saved.star2 = EncodeAlignStar(records.star2);
    return true;
}

RestoreOffer AlignmentRestore::Check(const SavedAlignment& saved, double jdNow, bool alignmentActive) {
    if (!pending_ || alignmentActive) return RestoreOffer::Nothing;
    if (jdNow - saved.julianDate < kRestoreDays) return RestoreOffer::Offer;
    pending_ = false;
    return RestoreOffer::TooOld;
}

bool AlignmentRestore::Accept(const AlignmentFrame& frame, const SavedAlignment& saved,
                              TwoStarRecords& records, Alignment& alignment, InfoSink& messages) {
    records.star1 = DecodeAlignStar(saved.star1);
    records.star2 = DecodeAlignStar(saved.star2);
    records.referenceTime = DegToHmsStr(records.star1.clockDeg);
    if (alignment.ComputeAlignment(frame, records.referenceTime, records.star1, records.star2, messages)) {
        return true;
    }
    messages.InfoBox(kAlignFailed, kRedoAlignment);
    return false;
}

void AlignmentRestore::Decline(SavedAlignment& saved) {
    saved.julianDate = 0;
    saved.zeroOffsetAz = 0;
    saved.zeroOffsetAlt = 0;
    pending_ = false;
}

}  // namespace vsp
