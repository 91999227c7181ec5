#include "numerics/FloatChecks.h"

#include <gtest/gtest.h>

#include <limits>

namespace optc {
namespace {

TEST(CheckedArithmetic, FaultsRaiseTheirErrors) {
    EXPECT_EQ(Div(1.0, 4.0), 0.25);
    EXPECT_THROW(Div(1.0, 0.0), EZeroDivide);
    EXPECT_THROW(Div(-1.0, -0.0), EZeroDivide);
    EXPECT_THROW(Div(0.0, 0.0), EInvalidOp);
    EXPECT_THROW(Div(1e300, 1e-300), EOverflow);
    EXPECT_EQ(Div(1e-300, 1e300), 0.0) << "underflow is not an error";
    EXPECT_THROW(Div(1.0L, 0.0L), EZeroDivide);

    EXPECT_EQ(Sqrt(6.25), 2.5);
    EXPECT_EQ(Sqrt(0.0), 0.0);
    EXPECT_THROW(Sqrt(-1e-300), EInvalidOp);

    EXPECT_EQ(Ln(1.0), 0.0);
    EXPECT_THROW(Ln(0.0), EZeroDivide);
    EXPECT_THROW(Ln(-2.0), EInvalidOp);

    EXPECT_THROW(Mul(1e200, 1e200), EOverflow);
    EXPECT_THROW(Add(std::numeric_limits<double>::max(), std::numeric_limits<double>::max()), EOverflow);
    EXPECT_THROW(CheckFinite(std::numeric_limits<double>::quiet_NaN()), EInvalidOp);
    EXPECT_THROW(Pow(10.0, 400.0), EOverflow);
}

TEST(CheckedArithmetic, MessagesAreTheRuntimeTexts) {
    EXPECT_STREQ(EZeroDivide().what(), "Floating point division by zero");
    EXPECT_STREQ(EInvalidOp().what(), "Invalid floating point operation");
    EXPECT_STREQ(EOverflow().what(), "Floating point overflow");
}

}  // namespace
}  // namespace optc
