#pragma once
// The pointing correction of a mount that aligns itself: up to seven terms per axis (offsets,
// collimation, non-perpendicular axes, polar misalignment, ...) fitted by least squares to the
// stars of the N-star list and added to every goto target.

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "platform/InfoSink.h"
#include "scope/AlignStar.h"

namespace vsp {

inline constexpr std::string_view kTooManyModelTerms = "Too much errors parameters";
inline constexpr int kMaxModelTerms = 8;
inline constexpr int kBasisTerms = 7;

// Coefficient i (radians) moves axis 1 by axis1[i] x coefficient and axis 2 by axis2[i] x
// coefficient.
struct BasisRows {
    std::array<double, kBasisTerms> axis1{};
    std::array<double, kBasisTerms> axis2{};
};

// The basis at mount coordinates in degrees; `equatorial` for scope output type 0 (RA x 15
// and Dec), else azimuth and altitude.
BasisRows PointingBasis(bool equatorial, double axis1Deg, double axis2Deg);

struct PointingModel {
    std::vector<double> coefficients;  // radians; their count is the term count T

    int Terms() const { return int(coefficients.size()); }
};

// Corrects the coordinates (degrees) in place; a model of more than kMaxModelTerms terms is
// refused with kTooManyModelTerms.
bool ApplyPointingModel(const PointingModel& model, bool equatorial, double& axis1Deg, double& axis2Deg,
                        InfoSink& messages);

// Fits the model to the stars' model coordinates (axis1Deg/axis2Deg) and mount readings
// (measured fields): offsets alone below 3 stars, 4 terms for 3, 7 from 4 on. Every star's
// prediction fields then hold its corrected model coordinates. False for an empty list or
// stars that leave the terms undetermined (the model is left as it was).
bool FitPointingModel(bool equatorial, std::span<AlignStar> stars, PointingModel& model, InfoSink& messages);

// The square root of the summed squared differences between readings and predictions, over
// the star count, degrees.
double RmsPointingError(std::span<const AlignStar> stars);

}  // namespace vsp
