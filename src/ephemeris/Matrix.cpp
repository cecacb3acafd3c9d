#include "ephemeris/Matrix.h"

#include <cmath>

namespace vsp {

namespace {
// 1e-20 as a single-precision constant: the threshold the alignment code was tuned with.
constexpr double kSingularDeterminant = 9.999999682655225e-21;
}  // namespace

bool MatInverse(const Mat3& in, Mat3& out) {
    const auto& a = in.m;
    Mat3 adj;
    // Cofactors of a, transposed in place.
    adj.m[0][0] = a[1][1] * a[2][2] - a[1][2] * a[2][1];
    adj.m[0][1] = a[0][2] * a[2][1] - a[0][1] * a[2][2];
    adj.m[0][2] = a[0][1] * a[1][2] - a[0][2] * a[1][1];
    adj.m[1][0] = a[1][2] * a[2][0] - a[1][0] * a[2][2];
    adj.m[1][1] = a[0][0] * a[2][2] - a[0][2] * a[2][0];
    adj.m[1][2] = a[0][2] * a[1][0] - a[0][0] * a[1][2];
    adj.m[2][0] = a[1][0] * a[2][1] - a[1][1] * a[2][0];
    adj.m[2][1] = a[0][1] * a[2][0] - a[0][0] * a[2][1];
    adj.m[2][2] = a[0][0] * a[1][1] - a[0][1] * a[1][0];
    const double det = a[0][0] * adj.m[0][0] + a[0][1] * adj.m[1][0] + a[0][2] * adj.m[2][0];
    out = adj;
    if (std::fabs(det) < kSingularDeterminant) return false;
    for (auto& row : out.m)
        for (double& x : row) x /= det;
    return true;
}

Vec3 MatMulVec(const Mat3& a, const Vec3& v) {
    Vec3 r;
    for (int i = 0; i < 3; ++i) r[i] = a.m[i][0] * v[0] + a.m[i][1] * v[1] + a.m[i][2] * v[2];
    return r;
}

Mat3 MatMul(const Mat3& a, const Mat3& b) {
    Mat3 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
    return r;
}

Mat3 MatTranspose(const Mat3& a) {
    Mat3 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) r.m[i][j] = a.m[j][i];
    return r;
}

Mat3 MatIdentity() {
    Mat3 r;
    for (int i = 0; i < 3; ++i) r.m[i][i] = 1.0;
    return r;
}

Mat3 RotationAboutX(double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    Mat3 r;
    r.m[0][0] = 1.0;
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

Mat3 RotationAboutY(double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    Mat3 r;
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[1][1] = 1.0;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

Mat3 RotationAboutZ(double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    Mat3 r;
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    r.m[2][2] = 1.0;
    return r;
}

}  // namespace vsp
