#include "numerics/FloatText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "numerics/Errors.h"

namespace optc {
namespace {

// Sets the decimal separator for one test and restores '.' afterwards.
class NumberText : public ::testing::Test {
protected:
    void TearDown() override { SetDecimalSeparator('.'); }
};

template <class F>
std::string ConvertErrorOf(F f) {
    try {
        f();
    } catch (const EConvertError& e) {
        return e.what();
    }
    return "";
}

TEST_F(NumberText, FixedAndScientificBoundaries) {
    EXPECT_EQ(FloatToStr(0.00005), "5E-5");
    EXPECT_EQ(FloatToStr(-0.00005), "-5E-5");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
    EXPECT_EQ(FloatToStr(0.00012345), "0.00012345");
    EXPECT_EQ(FloatToStr(0.000099999), "9.9999E-5");
    EXPECT_EQ(FloatToStr(999999999999999.0), "999999999999999");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(1.5e15), "1.5E15");
    EXPECT_EQ(FloatToStr(-1.5e15), "-1.5E15");
    EXPECT_EQ(FloatToStr(1e100), "1E100");
    EXPECT_EQ(FloatToStr(1.2345e-10), "1.2345E-10");
    EXPECT_EQ(FloatToStr(123456789012345678.0), "1.23456789012346E17");
    // Rounding to 15 digits can carry across either boundary.
    EXPECT_EQ(FloatToStr(999999999999999.5), "1E15");
    EXPECT_EQ(FloatToStr(0.000099999999999999995), "0.0001");
}

TEST_F(NumberText, FifteenSignificantDigits) {
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FloatToStr(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(FloatToStr(-2.0 / 3.0), "-0.666666666666667");
    EXPECT_EQ(FloatToStr(1239.83 / 550.0), "2.25423636363636");
    EXPECT_EQ(FloatToStr(0.0), "0");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(100.0), "100");
    EXPECT_EQ(FloatToStr(-2.5), "-2.5");
    EXPECT_EQ(FloatToStr(400.123), "400.123");
    // An exact half at the 16th digit (decided on the exact expansion) goes away from zero.
    EXPECT_EQ(FloatToStr(100000000000000.5), "100000000000001");
    EXPECT_EQ(FloatToStr(-100000000000000.5), "-100000000000001");
    EXPECT_EQ(FloatToStr(100000000000000.25), "100000000000000");
}

TEST_F(NumberText, ExtendedValuesPrintInFull) {
    EXPECT_EQ(FloatToStr(1e4000L), "1E4000");
    EXPECT_EQ(FloatToStr(-2.5e-4000L), "-2.5E-4000");
    EXPECT_EQ(FloatToStr(1.0L / 3.0L), "0.333333333333333");
    // The smallest extended value, far below the double range.
    EXPECT_EQ(FloatToStr(std::numeric_limits<long double>::denorm_min()), "3.64519953188247E-4951");
}

TEST_F(NumberText, CommaSeparator) {
    SetDecimalSeparator(',');
    EXPECT_EQ(DecimalSeparator(), ',');
    EXPECT_EQ(FloatToStr(2.5), "2,5");
    EXPECT_EQ(FloatToStr(1.5e15), "1,5E15");
    EXPECT_EQ(FloatToStr(0.00005), "5E-5");
    EXPECT_EQ(FloatToStr(-0.0001234), "-0,0001234");
    EXPECT_EQ(StrToFloat("2,5"), 2.5);
    EXPECT_EQ(StrToFloat(" -1,5E2 "), -150.0);
    EXPECT_EQ(ConvertErrorOf([] { StrToFloat("2.5"); }), "'2.5' is not a valid floating point value");
    // The 23-character form always uses the point.
    EXPECT_EQ(RealToText23(2.5), " 2.50000000000000E+0000");
}

TEST_F(NumberText, ReadingTypedNumbers) {
    EXPECT_EQ(StrToFloat("2.5"), 2.5);
    EXPECT_EQ(StrToFloat("  -1.5e3  "), -1500.0);
    EXPECT_EQ(StrToFloat("+.5"), 0.5);
    EXPECT_EQ(StrToFloat("5."), 5.0);
    EXPECT_EQ(StrToFloat("1E-2"), 0.01);
    EXPECT_EQ(StrToFloat("1e+2"), 100.0);
    EXPECT_EQ(StrToFloat("007"), 7.0);
    // The nearest double, as a literal would give it.
    EXPECT_EQ(StrToFloat("2.3"), 2.3);
    EXPECT_EQ(StrToFloat("1239.83"), 1239.83);
    EXPECT_EQ(StrToFloat("1.7976931348623157e308"), 1.7976931348623157e308);
    // Too small for a double reads as zero, keeping the sign.
    EXPECT_EQ(StrToFloat("1e-400"), 0.0);
    EXPECT_TRUE(std::signbit(StrToFloat("-1e-400")));
    EXPECT_EQ(StrToFloat("4e-320"), 4e-320);
}

TEST_F(NumberText, TextsThatAreNotNumbers) {
    const std::string texts[] = {"", " ", "1e", "1e+", "abc", "1,5", "--1", "1 2", "1.2.3", ".",
                                 "-", "0x10", "inf", "nan", "1.5x", "\t1", "1e309", "-1e400"};
    for (const std::string& text : texts) {
        EXPECT_EQ(ConvertErrorOf([&] { StrToFloat(text); }),
                  "'" + text + "' is not a valid floating point value")
            << "text [" << text << "]";
    }
    EXPECT_THROW(StrToFloat(std::string("1\0", 2)), EConvertError);
}

TEST_F(NumberText, ReadingTypedIntegers) {
    EXPECT_EQ(StrToInt("12"), 12);
    EXPECT_EQ(StrToInt("  -7"), -7);
    EXPECT_EQ(StrToInt("+3"), 3);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    for (const std::string text : {"2147483648", "-2147483649", "99999999999999999999", "", " ",
                                   "12 ", "1.0", "abc", "$", "$100000000", "-", "1e3", "5x"}) {
        EXPECT_EQ(ConvertErrorOf([&] { StrToInt(text); }), "'" + text + "' is not a valid integer value")
            << "text [" << text << "]";
    }
}

TEST_F(NumberText, FitColumnForm) {
    EXPECT_EQ(RealToText23(2.5), " 2.50000000000000E+0000");
    EXPECT_EQ(RealToText23(-1234.5), "-1.23450000000000E+0003");
    EXPECT_EQ(RealToText23(0.0), " 0.00000000000000E+0000");
    EXPECT_EQ(RealToText23(-0.0), " 0.00000000000000E+0000");
    EXPECT_EQ(RealToText23(0.5), " 5.00000000000000E-0001");
    EXPECT_EQ(RealToText23(1.0 / 3.0), " 3.33333333333333E-0001");
    EXPECT_EQ(RealToText23(9.999999999999998), " 1.00000000000000E+0001");
    EXPECT_EQ(RealToText23(-1e-300), "-1.00000000000000E-0300");
    EXPECT_EQ(RealToText23(1.7976931348623157e308), " 1.79769313486232E+0308");
    EXPECT_EQ(RealToText23(1e-320).size(), 23u);
}

TEST(RoundAndTrunc, HalvesGoToEven) {
    EXPECT_EQ(Round(2.5L), 2);
    EXPECT_EQ(Round(3.5L), 4);
    EXPECT_EQ(Round(-2.5L), -2);
    EXPECT_EQ(Round(-3.5L), -4);
    EXPECT_EQ(Round(0.5L), 0);
    EXPECT_EQ(Round(-0.5L), 0);
    EXPECT_EQ(Round(2.4999999L), 2);
    EXPECT_EQ(Round(2.5000001L), 3);
    EXPECT_EQ(Round(-7.75L), -8);
    EXPECT_EQ(Round(123456.5L), 123456);
    EXPECT_EQ(Round(123457.5L), 123458);
}

TEST(RoundAndTrunc, TruncationCutsTowardZero) {
    EXPECT_EQ(Trunc(2.9L), 2);
    EXPECT_EQ(Trunc(-2.9L), -2);
    EXPECT_EQ(Trunc(-0.5L), 0);
    // The shown gap: the double times 10000 in extended precision, cut.
    EXPECT_EQ(Trunc(static_cast<long double>(2.34567) * 10000.0L), 23456);
    EXPECT_EQ(Trunc(static_cast<long double>(-0.12345) * 10000.0L), -1234);
    EXPECT_EQ(Trunc(static_cast<long double>(2.99999) * 10000.0L), 29999);
}

TEST(RoundAndTrunc, OutOfTheIntegerRangeIsInvalid) {
    EXPECT_EQ(Trunc(-0x1p63L), INT64_MIN);
    EXPECT_EQ(Trunc(0x1p63L - 1.0L), INT64_MAX);
    EXPECT_EQ(Round(0x1p63L - 1.5L), INT64_MAX - 1);  // half goes to the even neighbour
    EXPECT_THROW(Trunc(0x1p63L), EInvalidOp);
    EXPECT_THROW(Round(0x1p63L - 0.5L), EInvalidOp);  // rounds up to 2^63
    EXPECT_THROW(Round(-0x1p63L - 1.0L), EInvalidOp);
    EXPECT_THROW(Round(std::numeric_limits<long double>::quiet_NaN()), EInvalidOp);
    EXPECT_THROW(Trunc(std::numeric_limits<long double>::infinity()), EInvalidOp);
    try {
        Round(1e30L);
        FAIL() << "no error";
    } catch (const EInvalidOp& e) {
        EXPECT_STREQ(e.what(), "Invalid floating point operation");
    }
}

}  // namespace
}  // namespace optc
