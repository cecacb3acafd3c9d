#include "scope/ErrorTermFit.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "format/AngleFormat.h"
#include "platform/FormatText.h"

namespace vsp {
namespace {

constexpr double kSensitivityStep = 1.7453292519943297e-9;  // 1e-7 degree
constexpr double kFirstStep = 1.74532925199433;              // 100 degrees
constexpr double kSmallestStep = 1e-8;
constexpr double kConverged = 1e-8;
constexpr double kTolerancePerStep = 0.02;
constexpr double kNoResidualMin = 10, kNoResidualMax = -10;

double& Term(MountErrors& errors, int i) {
    return i == 0 ? errors.z1 : i == 1 ? errors.z2 : errors.z3;
}

// Axis 1 as the error model sees it: alt-azimuth readings run the other way.
double UnmirroredRadians(const AlignmentFrame& frame, double axis1Deg) {
    return (frame.MirrorsAxis1() ? 360 - axis1Deg : axis1Deg) * kDegToRad;
}

// One term searched by halving an interval of ±step about its value; true once the errors at
// both ends agree within kConverged.
bool SearchTerm(int term, double step, Alignment& alignment, const AlignmentFrame& frame,
                const TwoStarRecords& records, std::span<AlignStar> stars, InfoSink& messages, int& count) {
    double& z = Term(alignment.errors, term);
    const auto trial = [&](double value) {
        z = value;
        return std::fabs(TrialError(alignment, frame, records, stars, messages));
    };
    double a = z - step, b = z + step;
    double ea = trial(a), eb = trial(b);
    count += 2;
    const double tolerance = step * kTolerancePerStep;
    while (std::fabs(b - a) >= tolerance) {
        if (std::fabs(eb - ea) < kConverged) return true;
        if (eb <= ea) {
            a = b - (b - a) / 2;
            ea = trial(a);
        } else {
            b = a + (b - a) / 2;
            eb = trial(b);
        }
        ++count;
    }
    return false;
}

// The terms ordered by how strongly the mean error answers to each.
std::array<int, 3> OrderBySensitivity(Alignment& alignment, const AlignmentFrame& frame,
                                      const TwoStarRecords& records, std::span<AlignStar> stars,
                                      InfoSink& messages) {
    alignment.errors = {};
    const double e0 = TrialError(alignment, frame, records, stars, messages);
    std::array<double, 3> g{};
    for (int i = 0; i < 3; ++i) {
        Term(alignment.errors, i) += kSensitivityStep;
        g[i] = (TrialError(alignment, frame, records, stars, messages) - e0) * 1e7;
    }
    std::array<int, 3> order{0, 1, 2};
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) { return std::fabs(g[x]) > std::fabs(g[y]); });
    return order;
}

// E1 and E2 from the spread of what the fitted terms leave on each axis.
void SetOffsets(Alignment& alignment, const AlignmentFrame& frame, std::span<AlignStar> stars) {
    alignment.errors.e1 = alignment.errors.e2 = 0;
    double min1 = kNoResidualMin, max1 = kNoResidualMax, min2 = kNoResidualMin, max2 = kNoResidualMax;
    for (AlignStar& star : stars) {
        PredictCorrected(alignment, frame, star);
        // Axis 1 compared the short way round: read at 359.9° and predicted at 0.1° is 0.2° off.
        const double r1 = ReduceAngleSigned(star.correctedAxis1Deg - star.measuredAxis1Deg, 360.0);
        const double r2 = star.correctedAxis2Deg - star.measuredAxis2Deg;
        min1 = std::min(min1, r1), max1 = std::max(max1, r1);
        min2 = std::min(min2, r2), max2 = std::max(max2, r2);
    }
    const double e2 = max2 > 0 ? (min2 + max2) / 2 : (min2 - max2) / 2;
    const double e1 = max1 > 0 ? -(min1 + max1) / 2 : (max1 - min1) / 2;
    alignment.errors.e1 = e1 * kDegToRad;
    alignment.errors.e2 = e2 * kDegToRad;
}

}  // namespace

double MeanPointingError(const Alignment& alignment, const AlignmentFrame& frame,
                         std::span<const AlignStar> stars) {
    if (stars.empty()) return 0;
    double sum = 0;
    for (const AlignStar& star : stars) {
        const double p1 = UnmirroredRadians(frame, star.predictedAxis1);
        const double p2 = star.predictedAxis2 * kDegToRad;
        const double m1 = UnmirroredRadians(frame, star.measuredAxis1Deg);
        const double m2 = star.measuredAxis2Deg * kDegToRad;
        const Vec3 seen = alignment.MountVector(m2, m1);
        const double d1 = ReduceAngleSigned(p1 - ReduceAngle(std::atan2(seen[1], seen[0]), kTwoPi), kTwoPi);
        const double d2 = p2 - std::asin(std::sin(m2 + alignment.errors.z3));
        sum += std::sqrt(d1 * d1 + d2 * d2);
    }
    return sum / double(stars.size());
}

double TrialError(Alignment& alignment, const AlignmentFrame& frame, const TwoStarRecords& records,
                  std::span<AlignStar> stars, InfoSink& messages) {
    alignment.ComputeAlignment(frame, records.referenceTime, records.star1, records.star2, messages);
    for (AlignStar& star : stars) {
        if (!alignment.SkyToMount(star)) continue;
        star.predictedAxis1 *= kRadToDeg;
        star.predictedAxis2 *= kRadToDeg;
    }
    return MeanPointingError(alignment, frame, stars);
}

void PredictCorrected(const Alignment& alignment, const AlignmentFrame& frame, AlignStar& star) {
    AlignStar predicted = star;
    if (!alignment.SkyToMount(predicted)) return;
    double axis1 = predicted.predictedAxis1, axis2 = predicted.predictedAxis2;
    if (frame.MirrorsAxis1()) axis1 = kTwoPi - axis1;
    alignment.RemoveMountErrors(axis2, axis1);
    star.correctedAxis1Deg = (frame.MirrorsAxis1() ? kTwoPi - axis1 : axis1) * kRadToDeg;
    star.correctedAxis2Deg = axis2 * kRadToDeg;
}

ErrorTermResult FitErrorTerms(Alignment& alignment, const AlignmentFrame& frame, const TwoStarRecords& records,
                              std::span<AlignStar> stars, const TextFormats& formats, InfoSink& messages) {
    const std::array<int, 3> order = OrderBySensitivity(alignment, frame, records, stars, messages);
    alignment.errors = {};
    ErrorTermResult result{5, ""};
    bool converged = false;
    for (double step = kFirstStep; !converged;) {
        step *= 0.1;
        for (int term : order) {
            if (converged) break;
            converged = SearchTerm(term, step, alignment, frame, records, stars, messages, result.iterations);
        }
        if (step < kSmallestStep) break;
    }
    SetOffsets(alignment, frame, stars);
    for (AlignStar& star : stars) PredictCorrected(alignment, frame, star);
    result.message = FormatText("Converge in %d iteration", result.iterations);
    for (int i = 0; i < 3; ++i)
        result.message += FormatText("\nz%d :", i) + DmsToStr(Term(alignment.errors, i) * kRadToDeg, formats);
    return result;
}

}  // namespace vsp
