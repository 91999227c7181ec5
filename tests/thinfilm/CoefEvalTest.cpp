// The polynomial value skips the powers of zero coefficients; it must stay bit for bit
// the full eleven-term sum, faults included.
#include <gtest/gtest.h>

#include <cmath>

#include "numerics/Errors.h"
#include "thinfilm/envelope/CoefEval.h"

namespace optc {
namespace {

double FullSum(const CoefVector& c, double x) {
    double sum = c[0] + c[1] * x;
    for (int k = 2; k <= 10; ++k) sum = sum + c[static_cast<std::size_t>(k)] * std::pow(x, k);
    return sum;
}

TEST(CoefEval, SameBitsAsTheFullSum) {
    const CoefVector quadratic{1.9876543210987, 3.1e4, -2.7e9};
    const CoefVector sparse{0.5, 0, 0, 1e-7, 0, 0, 0, 0, 0, 0, 2e-29};
    const CoefVector zeros{};
    const CoefVector negativeZeroStart{-0.0, 0.0, 0.0, -0.0};
    for (const CoefVector* c : {&quadratic, &sparse, &zeros, &negativeZeroStart})
        for (double x : {0.0, -0.0, 1.0 / (633.0 * 633.0), 812.5, -3.25, 1e29})
            EXPECT_EQ(std::signbit(EvaluateCoef(*c, x)), std::signbit(FullSum(*c, x))) << x;
    for (const CoefVector* c : {&quadratic, &sparse})
        for (double x : {1.0 / (633.0 * 633.0), 812.5, -3.25, 2.0})
            EXPECT_EQ(EvaluateCoef(*c, x), FullSum(*c, x)) << x;
}

TEST(CoefEval, OverflowingPowersStillFault) {
    const CoefVector line{1.0, 2.0};
    // x^10 overflows: 0 * inf is an invalid operation even for zero coefficients.
    EXPECT_THROW(EvaluateCoef(line, 1e35), EInvalidOp);
    const CoefVector big{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1e300};
    EXPECT_THROW(EvaluateCoef(big, 1e10), EOverflow);
}

}  // namespace
}  // namespace optc
