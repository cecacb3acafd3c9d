// 3x3 matrices: the inverse and the singular case.

#include <gtest/gtest.h>

#include "ephemeris/Matrix.h"

namespace vsp {
namespace {

Mat3 Sample() {
    Mat3 a;
    const double v[3][3] = {{2.0, -1.0, 0.5}, {0.3, 4.0, -2.0}, {1.0, 0.0, 3.0}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) a.m[i][j] = v[i][j];
    return a;
}

void ExpectIdentity(const Mat3& m, double tolerance) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(m.m[i][j], i == j ? 1.0 : 0.0, tolerance);
}

TEST(Matrix, InverseTimesMatrixIsIdentity) {
    const Mat3 a = Sample();
    Mat3 inv;
    ASSERT_TRUE(MatInverse(a, inv));
    ExpectIdentity(MatMul(a, inv), 1e-14);
    ExpectIdentity(MatMul(inv, a), 1e-14);
    // A rotation's inverse is its transpose.
    const Mat3 r = MatMul(RotationAboutX(0.3), MatMul(RotationAboutY(-1.1), RotationAboutZ(2.0)));
    ASSERT_TRUE(MatInverse(r, inv));
    const Mat3 t = MatTranspose(r);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(inv.m[i][j], t.m[i][j], 1e-15);
}

TEST(Matrix, SingularMatrixIsRefusedAndGivesTheAdjugate) {
    Mat3 a = Sample();
    for (int j = 0; j < 3; ++j) a.m[2][j] = 2.0 * a.m[0][j] - a.m[1][j];  // dependent rows
    Mat3 out;
    EXPECT_FALSE(MatInverse(a, out));
    // Unscaled adjugate: A adj(A) = det(A) I = 0 for a singular A, and its first element is
    // the minor a11 a22 - a12 a21 of the lower right block.
    const Mat3 product = MatMul(a, out);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(product.m[i][j], 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(out.m[0][0], a.m[1][1] * a.m[2][2] - a.m[1][2] * a.m[2][1]);
}

TEST(Matrix, DeterminantThresholdIsTheSinglePrecisionOneE20) {
    Mat3 tiny;
    // det = 1.5e-21 * 1 * 1 is singular; 2e-20 is not.
    tiny.m[0][0] = 1.5e-21;
    tiny.m[1][1] = 1.0;
    tiny.m[2][2] = 1.0;
    Mat3 out;
    EXPECT_FALSE(MatInverse(tiny, out));
    tiny.m[0][0] = 2e-20;
    EXPECT_TRUE(MatInverse(tiny, out));
    EXPECT_DOUBLE_EQ(out.m[0][0], 5e19);
}

}  // namespace
}  // namespace vsp
