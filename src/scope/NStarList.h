#pragma once
// The stars of the pointing correction: each with its catalog place, its model coordinates
// and, once centred, the mount's reading.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/InfoSink.h"
#include "scope/AlignStar.h"

namespace vsp {

inline constexpr size_t kMaxNStars = 35;
inline constexpr std::string_view kTooManyNStars = "Sorry, no more than 35 stars could be used to do correction";
inline constexpr std::string_view kNStarTaken = "There is already a star selected at this position";
inline constexpr std::string_view kAddFourStars = "Please add at least 4 stars to do correction.";
inline constexpr std::string_view kNoStarToDelete = "Sorry, there is no more star to delete.";
inline constexpr std::string_view kDoTwoStarsFirst = "Please do 2 stars alignment first";
inline constexpr std::string_view kAddOneStar = "Please add at least one stars.";
inline constexpr std::string_view kNoNStars = "No stars";

// Two stars closer than this in catalog RA and in Dec (degrees) count as the same place.
inline constexpr double kSameRaDeg = 0.5;
inline constexpr double kSameDecDeg = 1.0;

// The fits need at least this many stars for the mount error terms.
inline constexpr size_t kMinErrorTermStars = 4;

// A star chosen for the list at clock angle `clockDeg`: its place of date (`raHours`,
// `decDeg`) and, as its model coordinates, that place (output type 0, `equatorial`) or where
// it stands now (`azimuth`, `altitude`); the reading is still to come.
AlignStar NewNStar(std::string_view name, int32_t starIndex, double clockDeg, double raHours, double decDeg,
                   bool equatorial, double azimuth, double altitude);

class NStarList {
public:
    // Appends the star unless the list is full or holds a star at its place (reported).
    bool Add(const AlignStar& star, InfoSink& messages);
    // Removes star `index`; an empty list is reported, an index past its end refused.
    bool Remove(size_t index, InfoSink& messages);
    void Clear() { stars_.clear(); }

    std::span<AlignStar> Stars() { return stars_; }
    std::span<const AlignStar> Stars() const { return stars_; }
    size_t Size() const { return stars_.size(); }

private:
    std::vector<AlignStar> stars_;
};

}  // namespace vsp
