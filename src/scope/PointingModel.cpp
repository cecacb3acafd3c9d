#include "scope/PointingModel.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "scope/LeastSquares.h"

namespace vsp {
namespace {

// The residual of axis 1 the short way round, so that a star read at 359.9° for 0.1° counts
// as 0.2° off and not 359.8°.
double Axis1Residual(double readingDeg, double modelDeg) {
    return ReduceAngleSigned(readingDeg - modelDeg, 360.0);
}

void StorePredictions(AlignStar& star, double axis1Deg, double axis2Deg) {
    star.predictedAxis1 = star.correctedAxis1Deg = axis1Deg;
    star.predictedAxis2 = star.correctedAxis2Deg = axis2Deg;
}

// Below three stars only the two offsets: the mean residual of each axis.
PointingModel FitOffsets(std::span<const AlignStar> stars) {
    double sum1 = 0, sum2 = 0;
    for (const AlignStar& star : stars) {
        sum1 += Axis1Residual(star.measuredAxis1Deg, star.axis1Deg);
        sum2 += star.measuredAxis2Deg - star.axis2Deg;
    }
    const double n = double(stars.size());
    return {{sum1 / n * kDegToRad, sum2 / n * kDegToRad}};
}

std::optional<PointingModel> FitTerms(bool equatorial, std::span<const AlignStar> stars) {
    const int terms = stars.size() == 3 ? 4 : kBasisTerms;
    std::vector<std::vector<double>> rows;
    std::vector<double> residuals;
    for (const AlignStar& star : stars) {
        const BasisRows basis = PointingBasis(equatorial, star.axis1Deg, star.axis2Deg);
        rows.emplace_back(basis.axis1.begin(), basis.axis1.begin() + terms);
        residuals.push_back(Axis1Residual(star.measuredAxis1Deg, star.axis1Deg) * kDegToRad);
        rows.emplace_back(basis.axis2.begin(), basis.axis2.begin() + terms);
        residuals.push_back((star.measuredAxis2Deg - star.axis2Deg) * kDegToRad);
    }
    auto solution = SolveLeastSquares(rows, residuals, terms);
    if (!solution) return std::nullopt;
    return PointingModel{std::move(*solution)};
}

}  // namespace

BasisRows PointingBasis(bool equatorial, double axis1Deg, double axis2Deg) {
    const double a1 = axis1Deg * kDegToRad, a2 = axis2Deg * kDegToRad;
    const double s1 = std::sin(a1), c1 = std::cos(a1), t2 = std::tan(a2);
    if (equatorial)
        return {{1, 0, 1 / std::cos(a2), t2, -t2 * c1, t2 * s1, 0},
                {0, 1, 0, 0, s1, c1, 0}};
    return {{1, 0, 1 / std::sin(a2), t2, 0, s1 * t2, -c1 * t2},
            {0, 1, 0, 0, std::cos(a2), c1, s1}};
}

bool ApplyPointingModel(const PointingModel& model, bool equatorial, double& axis1Deg, double& axis2Deg,
                        InfoSink& messages) {
    if (model.Terms() > kMaxModelTerms) {
        messages.InfoBox(kTooManyModelTerms, "");
        return false;
    }
    const BasisRows basis = PointingBasis(equatorial, axis1Deg, axis2Deg);
    double shift1 = 0, shift2 = 0;
    for (int i = 0; i < std::min(model.Terms(), kBasisTerms); ++i) {
        shift1 += basis.axis1[i] * model.coefficients[i];
        shift2 += basis.axis2[i] * model.coefficients[i];
    }
    axis1Deg += shift1 * kRadToDeg;
    axis2Deg += shift2 * kRadToDeg;
    return true;
}

bool FitPointingModel(bool equatorial, std::span<AlignStar> stars, PointingModel& model, InfoSink& messages) {
    if (stars.empty()) return false;
    if (stars.size() < 3) {
        model = FitOffsets(stars);
    } else if (auto fitted = FitTerms(equatorial, stars)) {
        model = std::move(*fitted);
    } else {
        return false;
    }
    for (AlignStar& star : stars) {
        double axis1 = star.axis1Deg, axis2 = star.axis2Deg;
        ApplyPointingModel(model, equatorial, axis1, axis2, messages);
        StorePredictions(star, axis1, axis2);
    }
    return true;
}

double RmsPointingError(std::span<const AlignStar> stars) {
    if (stars.empty()) return 0;
    double sum = 0;
    for (const AlignStar& star : stars) {
        const double d1 = Axis1Residual(star.measuredAxis1Deg, star.predictedAxis1);
        const double d2 = star.measuredAxis2Deg - star.predictedAxis2;
        sum += d1 * d1 + d2 * d2;
    }
    return std::sqrt(sum) / double(stars.size());
}

}  // namespace vsp
