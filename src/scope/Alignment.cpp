#include "scope/Alignment.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "format/AngleParse.h"

namespace vsp {

namespace {

// Below this the cross product of two directions is taken as no direction at all.
constexpr double kParallel = 1e-7;

// The unit normal of the plane of a and b, or nothing when they are (nearly) parallel.
std::optional<Vec3> UnitNormal(const Vec3& a, const Vec3& b) {
    const Vec3 n = Cross(a, b);
    const double length = Length(n);
    if (length < kParallel) return std::nullopt;
    return (1.0 / length) * n;
}

Mat3 Columns(const Vec3& a, const Vec3& b, const Vec3& c) {
    Mat3 m;
    for (int i = 0; i < 3; ++i) {
        m.m[i][0] = a[i];
        m.m[i][1] = b[i];
        m.m[i][2] = c[i];
    }
    return m;
}

double PositiveAngle(double radians) { return radians < 0 ? radians + kTwoPi : radians; }

}  // namespace

double Alignment::SinceReference(double clockDeg) const {
    return PositiveAngle(clockDeg * kDegToRad - referenceRad_);
}

Vec3 Alignment::SkyVector(double raRad, double decRad, double clockDeg) const {
    if (frame_.SkyRotates()) raRad -= rate_ * SinceReference(clockDeg) + platformOffsetRad_;
    return {{std::cos(raRad) * std::cos(decRad), std::sin(raRad) * std::cos(decRad), std::sin(decRad)}};
}

double Alignment::Axis1Radians(double axis1Deg) const {
    return (frame_.MirrorsAxis1() ? 360.0 - axis1Deg : axis1Deg) * kDegToRad;
}

Vec3 Alignment::MountVector(double theta, double phi) const {
    const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const double sinTheta = std::sin(theta + errors.z3), cosTheta = std::cos(theta + errors.z3);
    return {{cosPhi * cosTheta - sinPhi * errors.z2 + sinPhi * sinTheta * errors.z1,
             sinPhi * cosTheta + cosPhi * errors.z2 - cosPhi * sinTheta * errors.z1, sinTheta}};
}

bool Alignment::ComputeAlignment(const AlignmentFrame& frame, std::string_view referenceTime,
                                 const AlignStar& star1, const AlignStar& star2, InfoSink& messages) {
    frame_ = frame;
    referenceRad_ = ParseHoursAsDegrees(referenceTime) * kDegToRad;
    active_ = false;

    const Vec3 m1 = MountVector(star1.axis2Deg * kDegToRad, Axis1Radians(star1.axis1Deg));
    const Vec3 m2 = MountVector(star2.axis2Deg * kDegToRad, Axis1Radians(star2.axis1Deg));
    const std::optional<Vec3> m3 = UnitNormal(m1, m2);
    if (!m3) {
        messages.InfoBox(kFillAllValues, "");
        return false;
    }
    const Vec3 s1 = SkyVector(star1.raDeg * kDegToRad, star1.decDeg * kDegToRad, star1.clockDeg);
    const Vec3 s2 = SkyVector(star2.raDeg * kDegToRad, star2.decDeg * kDegToRad, star2.clockDeg);
    const std::optional<Vec3> s3 = UnitNormal(s1, s2);
    if (!s3) return false;

    Mat3 skyInverse;
    if (!MatInverse(Columns(s1, s2, *s3), skyInverse)) {
        messages.InfoBox(kNullDeterminantMessage, "");
        return false;
    }
    skyToMount_ = MatMul(Columns(m1, m2, *m3), skyInverse);
    // The mount matrix, like the sky one, has a determinant of at least 1e-7 (a unit normal
    // beside two unit vectors), so the rotation always inverts.
    MatInverse(skyToMount_, mountToSky_);
    active_ = true;
    return true;
}

std::optional<EquatorialPosition> Alignment::MountToSky(double clockDeg, double axis1Deg,
                                                        double axis2Deg) const {
    if (!active_) return std::nullopt;
    const Vec3 s = MatMulVec(mountToSky_, MountVector(axis2Deg * kDegToRad, Axis1Radians(axis1Deg)));
    double ra = std::atan2(s[1], s[0]);
    if (frame_.SkyRotates()) ra += rate_ * SinceReference(clockDeg) + platformOffsetRad_;
    // The turned angle can pass a full turn either way.
    return EquatorialPosition{ReduceAngle(ra, kTwoPi) * kRadToDeg / 15.0,
                              std::asin(std::clamp(s[2], -1.0, 1.0)) * kRadToDeg};
}

bool Alignment::SkyToMount(AlignStar& record) const {
    if (!active_) return false;
    Vec3 m = MatMulVec(skyToMount_, SkyVector(record.raDeg * kDegToRad, record.decDeg * kDegToRad,
                                              record.clockDeg));
    const double length = Length(m);
    if (std::fabs(m[2]) > 1.0 && length >= 1e-8) m = (1.0 / length) * m;
    double axis1 = PositiveAngle(std::atan2(m[1], m[0]));
    if (frame_.MirrorsAxis1()) axis1 = kTwoPi - axis1;
    record.predictedAxis1 = axis1;
    record.predictedAxis2 = std::asin(m[2]);
    return true;
}

void Alignment::RemoveMountErrors(double& axis2, double& axis1) const {
    const double sinPhi = std::sin(axis1), cosPhi = std::cos(axis1);
    const double sinTheta = std::sin(axis2), cosTheta = std::cos(axis2);
    const double x = cosPhi * cosTheta + sinPhi * errors.z2 - sinPhi * sinTheta * errors.z1;
    const double y = sinPhi * cosTheta - cosPhi * errors.z2 + cosPhi * sinTheta * errors.z1;
    axis1 = PositiveAngle(std::atan2(y, x)) - errors.e1;
    axis2 = axis2 - errors.z3 - errors.e2;
}

std::optional<EquatorialPosition> Alignment::GotoMountPosition(double clockDeg, double raHours,
                                                               double decDeg) const {
    AlignStar target;
    target.clockDeg = clockDeg;
    target.raDeg = raHours * 15.0;
    target.decDeg = decDeg;
    if (!SkyToMount(target)) return std::nullopt;
    // The error model works on the unmirrored angle.
    double axis1 = target.predictedAxis1, axis2 = target.predictedAxis2;
    if (frame_.MirrorsAxis1()) axis1 = kTwoPi - axis1;
    RemoveMountErrors(axis2, axis1);
    if (frame_.MirrorsAxis1()) axis1 = kTwoPi - axis1;
    return EquatorialPosition{axis1 * kRadToHours, axis2 * kRadToDeg};
}

void Alignment::SetPlatformMode(bool on) {
    platform_ = on;
    if (on) {
        rate_ = 0;
    } else {
        rate_ = kSkyRotationRate;
        platformOffsetRad_ = 0;
    }
}

bool Alignment::ResetPlatform(double clockDeg, InfoSink& messages) {
    if (!platform_) {
        messages.InfoBox(kResetPlatformTitle, kPlatformNotActivated);
        return false;
    }
    platformOffsetRad_ = (clockDeg * kDegToRad - referenceRad_) * kSkyRotationRate;
    return true;
}

}  // namespace vsp
