#pragma once
// A rectangular vector of the reduction: equatorial x, y, z (AU or AU/day). Its storage is a
// plain double[3], so the body ephemerides, which fill double[3] outputs, can write into it.

#include <cmath>

namespace vsp {

struct Vec3 {
    double c[3] = {0.0, 0.0, 0.0};

    double& operator[](int i) { return c[i]; }
    double operator[](int i) const { return c[i]; }
    double* data() { return c; }
    const double* data() const { return c; }
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) {
    return {{a[0] + b[0], a[1] + b[1], a[2] + b[2]}};
}
inline Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {{a[0] - b[0], a[1] - b[1], a[2] - b[2]}};
}
inline Vec3 operator*(double s, const Vec3& a) { return {{s * a[0], s * a[1], s * a[2]}}; }
inline double Dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
inline double Length(const Vec3& a) { return std::sqrt(Dot(a, a)); }
inline Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]}};
}

}  // namespace vsp
