#pragma once
// The two stars the two-star form holds, its "Align", and the alignment kept with the
// preferences: stored after each success and offered back for half a day.

#include <string>
#include <string_view>

#include "platform/InfoSink.h"
#include "scope/AlignStar.h"
#include "scope/Alignment.h"
#include "settings/Preferences.h"

namespace vsp {

inline constexpr std::string_view kAlignFailed = "Fail to compute align matrix";
inline constexpr std::string_view kVerifyInputs = "Please verify inputs.";
inline constexpr std::string_view kRedoAlignment = "Please redo 2 star alignment.";
inline constexpr std::string_view kRestoreQuestion = "Would you want to restore your last alignment?";

struct TwoStarRecords {
    std::string referenceTime;  // local clock "hh:mm:ss", the origin of the sky's rotation
    AlignStar star1;
    AlignStar star2;
};

// Computes the alignment from the records; a failure is reported with "Please verify inputs.".
// On success the saved alignment takes both records and the Julian Date `jdNow`.
bool AlignTwoStars(const AlignmentFrame& frame, const TwoStarRecords& records, double jdNow,
                   Alignment& alignment, SavedAlignment& saved, InfoSink& messages);

// A saved alignment this many days old or older is not offered.
inline constexpr double kRestoreDays = 0.5;

enum class RestoreOffer {
    Offer,   // ask kRestoreQuestion, then Accept or Decline
    TooOld,  // half a day or more: the offer ends unasked
    Nothing, // no offer pending, or an alignment in use
};

// The offer to restore the last alignment, pending from start until it is declined or found
// too old.
class AlignmentRestore {
public:
    RestoreOffer Check(const SavedAlignment& saved, double jdNow, bool alignmentActive);
    // Yes: the saved records come back and the alignment is recomputed with star 1's time as
    // the reference time. On success the caller restores the saved encoder zero offsets; on
    // failure (reported) it resets them.
    bool Accept(const AlignmentFrame& frame, const SavedAlignment& saved, TwoStarRecords& records,
                Alignment& alignment, InfoSink& messages);
    // No: forgets the saved time and encoder offsets; the caller resets the encoder zero.
    void Decline(SavedAlignment& saved);

private:
    bool pending_ = true;
};

}  // namespace vsp
