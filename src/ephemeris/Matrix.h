#pragma once
// 3x3 matrices of doubles, row-major: the rotations of the reduction and the alignment
// matrices of the telescope code.

#include "ephemeris/Vec3.h"
#include "platform/InfoSink.h"

namespace vsp {

struct Mat3 {
    double m[3][3] = {{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}};
};

inline constexpr char kNullDeterminantMessage[] = "Null derterminant, cannot compute inverse matrix";

// Returns 1 with `out` the inverse, or 0 when |det| is below 1e-20 (as a float): the message
// above goes to `messages` (when given) and `out` holds the adjugate, unscaled.
int MatInverse(const Mat3& in, Mat3& out, InfoSink* messages);
Vec3 MatMulVec(const Mat3& a, const Vec3& v);
Mat3 MatMul(const Mat3& a, const Mat3& b);
Mat3 MatTranspose(const Mat3& a);
Mat3 MatIdentity();

// Rotations of the coordinate axes (not of the vector) by `angle` radians.
Mat3 RotationAboutX(double angle);
Mat3 RotationAboutY(double angle);
Mat3 RotationAboutZ(double angle);

}  // namespace vsp
