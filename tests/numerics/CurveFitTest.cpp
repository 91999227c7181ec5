#include "numerics/CurveFit.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "numerics/Errors.h"

namespace optc {
namespace {

using Coefs = std::array<double, 12>;

Coefs Filled(double v) {
    Coefs c;
    c.fill(v);
    return c;
}

// Runs f and returns the text of the EMathError it raises ("" when none).
template <class F>
std::string MathErrorOf(F f) {
    try {
        f();
    } catch (const EMathError& e) {
        return e.what();
    }
    return "";
}

const std::string kOneTerm = "PolyFit called with less than one term";
const std::string kTwoPoints = "PolyFit called with less than two points";
const std::string kSingular2 = "Error in GaussJordan2: matrix is singular";
const std::string kSingular = "Error in GaussJordan: matrix is singular";

TEST(PolyFit, ExactFitsThroughThePoints) {
    // Straight line through two points.
    {
        const double x[] = {1.0, 3.0}, y[] = {3.0, 7.0};
        Coefs c = Filled(0.0);
        PolyFit(x, y, c.data(), 2, 2);
        EXPECT_NEAR(c[0], 1.0, 1e-12);
        EXPECT_NEAR(c[1], 2.0, 1e-12);
    }
    // Interpolating parabola y = 2 - x + 0.5 x^2 at wavelength-like abscissae.
    {
        const double x[] = {400.0, 500.0, 650.0};
        double y[3];
        for (int i = 0; i < 3; ++i) y[i] = 2.0 - x[i] + 0.5 * x[i] * x[i];
        Coefs c = Filled(0.0);
        PolyFit(x, y, c.data(), 3, 3);
        EXPECT_NEAR(c[0], 2.0, 1e-5);
        EXPECT_NEAR(c[1], -1.0, 1e-7);
        EXPECT_NEAR(c[2], 0.5, 1e-10);
    }
    // One term is the mean of Y.
    {
        const double x[] = {7.0, -1.0, 3.0, 100.0}, y[] = {1.0, 2.0, 3.0, 4.0};
        Coefs c = Filled(0.0);
        PolyFit(x, y, c.data(), 4, 1);
        EXPECT_EQ(c[0], 2.5);
    }
}

TEST(PolyFit, LeastSquaresLineThroughScatteredPoints) {
    // Residuals +1, -1, -1, +1 around y = 1 + 2x are orthogonal to 1 and x.
    const double x[] = {0.0, 1.0, 2.0, 3.0};
    const double y[] = {2.0, 2.0, 4.0, 8.0};
    Coefs c = Filled(0.0);
    PolyFit(x, y, c.data(), 4, 2);
    EXPECT_NEAR(c[0], 1.0, 1e-12);
    EXPECT_NEAR(c[1], 2.0, 1e-12);
}

TEST(PolyFit, SumsRunInPointOrderInDoublePrecision) {
    // In point order each 1 is lost against 1e16 and the sum is 0; a compensated or
    // extended-precision sum would give 4 and a mean of 2/3.
    const double x[] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    const double y[] = {1e16, 1.0, 1.0, 1.0, 1.0, -1e16};
    Coefs c = Filled(5.0);
    PolyFit(x, y, c.data(), 6, 1);
    EXPECT_EQ(c[0], 0.0);
}

TEST(PolyFit, ArgumentErrors) {
    const double x[] = {1.0, 2.0, 3.0}, y[] = {1.0, 2.0, 3.0};
    Coefs c = Filled(0.0);
    // The term count is tested first, even when the points are too few as well.
    EXPECT_EQ(MathErrorOf([&] { PolyFit(x, y, c.data(), 0, 0); }), kOneTerm);
    EXPECT_EQ(MathErrorOf([&] { PolyFit(x, y, c.data(), 3, -2); }), kOneTerm);
    EXPECT_EQ(MathErrorOf([&] { PolyFit(x, y, c.data(), 1, 2); }), kTwoPoints);
    EXPECT_EQ(MathErrorOf([&] { PolyFit(x, y, c.data(), 0, 1); }), kTwoPoints);
    EXPECT_EQ(MathErrorOf([&] { PolyFit(x, y, c.data(), -5, 3); }), kTwoPoints);
}

TEST(PolyFit, SingularNormalMatrices) {
    const double y[] = {1.0, 3.0, 5.0};
    // All abscissae 0: the last step finds only exact zeros.
    {
        const double x[] = {0.0, 0.0, 0.0};
        Coefs c = Filled(7.0);
        EXPECT_EQ(MathErrorOf([&] { PolyFit(x, y, c.data(), 3, 2); }), kSingular);
        EXPECT_EQ(c, Filled(7.0)) << "a failed fit leaves the vector as it was";
        // With three terms the second step already finds nothing.
        EXPECT_EQ(MathErrorOf([&] { PolyFit(x, y, c.data(), 3, 3); }), kSingular2);
        EXPECT_EQ(c, Filled(7.0));
    }
    // Two equal abscissae whose elimination leaves an exact zero.
    {
        const double x[] = {2.0, 2.0};
        Coefs c = Filled(7.0);
        EXPECT_EQ(MathErrorOf([&] { PolyFit(x, y, c.data(), 2, 2); }), kSingular);
        EXPECT_EQ(c, Filled(7.0));
    }
}

TEST(PolyFit, CoefficientsBeyondTheTermsAreUntouched) {
    const double x[] = {1.0, 2.0, 3.0, 4.0}, y[] = {1.0, 4.0, 9.0, 16.0};
    Coefs c = Filled(-99.0);
    PolyFit(x, y, c.data(), 4, 3);
    EXPECT_NEAR(c[2], 1.0, 1e-10);
    for (int k = 3; k < 12; ++k) EXPECT_EQ(c[k], -99.0) << "element " << k;
}

TEST(PolyFit, OverflowIsRaisedNotCarried) {
    const double y[] = {1.0, 2.0};
    Coefs c = Filled(0.0);
    // x^2 of the design matrix overflows.
    const double big[] = {1e200, 2e200};
    EXPECT_THROW(PolyFit(big, y, c.data(), 2, 3), EOverflow);
    // The design matrix is finite but the sum of x*x overflows.
    const double large[] = {1e155, 1e155};
    EXPECT_THROW(PolyFit(large, y, c.data(), 2, 2), EOverflow);
    EXPECT_EQ(c, Filled(0.0));
}

TEST(GaussJordan, PivotOrderWithTies) {
    // The magnitude 5 appears at (0,2), (1,0) and (1,2). Searching rows then columns
    // ascending and keeping the first of equal candidates takes (0,2), then (1,0),
    // then (2,1); by hand that order yields the exact solution. Taking the last of
    // equal candidates, or scanning columns first, leaves rounding residue
    // (x2 = 3.33e-16 and 1.11e-16 respectively).
    matrix m = {{1.0, 1.0, 5.0}, {5.0, 3.0, 5.0}, {1.0, 1.0, 2.0}};
    const double b[] = {4.0, 1.0, 4.0};
    double x[3] = {9.0, 9.0, 9.0};
    GaussJordan(m, b, x, 3);
    EXPECT_EQ(x[0], -5.5);
    EXPECT_EQ(x[1], 9.5);
    EXPECT_EQ(x[2], 0.0);

    // A second case where each of the three orders gives different last bits.
    matrix m2 = {{2.0, 5.0, 5.0}, {5.0, 7.0, 5.0}, {7.0, 7.0, 1.0}};
    const double b2[] = {5.0, 5.0, 3.0};
    GaussJordan(m2, b2, x, 3);
    EXPECT_EQ(x[0], -0x1.aaaaaaaaaaaa7p-1);
    EXPECT_EQ(x[1], 0x1.3fffffffffffep+0);
    EXPECT_EQ(x[2], 0x1.5555555555564p-4);
}

TEST(GaussJordan, SingularMatricesAndTinyPivots) {
    double x[3] = {1.0, 2.0, 3.0};
    const double b[] = {1.0, 1.0, 1.0};
    {
        matrix zero = {{0.0}};
        EXPECT_EQ(MathErrorOf([&] { GaussJordan(zero, b, x, 1); }), kSingular);
    }
    {
        matrix zero(3, std::vector<double>(3, 0.0));
        EXPECT_EQ(MathErrorOf([&] { GaussJordan(zero, b, x, 3); }), kSingular2);
    }
    {
        // Rank 2: the third step finds only zeros.
        matrix rank2 = {{1.0, 1.0, 0.0}, {1.0, 1.0, 0.0}, {0.0, 0.0, 1.0}};
        EXPECT_EQ(MathErrorOf([&] { GaussJordan(rank2, b, x, 3); }), kSingular);
    }
    EXPECT_EQ(x[0], 1.0) << "the solution is written only on success";
    {
        // No tolerance: a pivot of 1e-300 is accepted.
        matrix tiny = {{1e-300, 0.0}, {0.0, 1.0}};
        const double b2[] = {1e-300, 2.0};
        GaussJordan(tiny, b2, x, 2);
        EXPECT_EQ(x[0], 1.0);
        EXPECT_EQ(x[1], 2.0);
    }
}

}  // namespace
}  // namespace optc
