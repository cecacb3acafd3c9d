#pragma once
// 3x3 matrices of doubles, row-major: the rotations of the reduction and the alignment
// matrices of the telescope code.

#include "ephemeris/Vec3.h"

namespace vsp {

struct Mat3 {
    double m[3][3] = {{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}};
};

// What a caller shows when MatInverse refuses a matrix.
inline constexpr char kNullDeterminantMessage[] = "Null derterminant, cannot compute inverse matrix";

// True with `out` the inverse; false when |det| is below 1e-20 (as a float), `out` then
// holding the adjugate, unscaled.
bool MatInverse(const Mat3& in, Mat3& out);
Vec3 MatMulVec(const Mat3& a, const Vec3& v);
Mat3 MatMul(const Mat3& a, const Mat3& b);
Mat3 MatTranspose(const Mat3& a);
Mat3 MatIdentity();

// Rotations of the coordinate axes (not of the vector) by `angle` radians.
Mat3 RotationAboutX(double angle);
Mat3 RotationAboutY(double angle);
Mat3 RotationAboutZ(double angle);

}  // namespace vsp
