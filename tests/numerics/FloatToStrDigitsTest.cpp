// The fifteen digits FloatToStr writes, checked against the exact decimal expansion of
// the value over many values of every magnitude: halves away from zero, also where a
// shorter rounded expansion reads as exactly half.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "numerics/FloatText.h"

namespace optc {
namespace {

// Significant digits without trailing zeros, and the decimal exponent of the first.
using Digits = std::pair<std::string, int>;

// From the exact expansion (a double has fewer than 800 significant digits), rounded
// to fifteen digits with halves away from zero.
Digits Exact15(double value) {
    std::vector<char> buffer(1000);
    std::snprintf(buffer.data(), buffer.size(), "%.800e", std::fabs(value));
    std::string all;
    const char* p = buffer.data();
    for (; *p != 'e'; ++p)
        if (*p != '.') all.push_back(*p);
    int exponent = std::atoi(p + 1);
    std::string digits = all.substr(0, 15);
    if (all[15] >= '5') {
        int i = 14;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        }
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    return {digits, exponent};
}

// Reads the digits back from a FloatToStr text in either notation.
Digits Shown(const std::string& text) {
    std::string digits;
    int pointAt = -1, count = 0, firstAt = -1;
    std::size_t i = text[0] == '-' ? 1 : 0;
    for (; i < text.size() && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            pointAt = count;
            continue;
        }
        if (firstAt < 0 && text[i] != '0') firstAt = count;
        if (firstAt >= 0) digits.push_back(text[i]);
        ++count;
    }
    if (pointAt < 0) pointAt = count;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    if (i < text.size()) return {digits, std::atoi(text.c_str() + i + 1)};
    return {digits, pointAt - firstAt - 1};
}

void ExpectDigits(double value) {
    if (value == 0.0 || !std::isfinite(value)) return;
    const std::string text = FloatToStr(value);
    ASSERT_EQ(Shown(text), Exact15(value)) << text << " for " << std::hexfloat << value;
    ASSERT_EQ(text[0] == '-', value < 0) << text;
}

TEST(FloatToStrDigits, ExactHalvesGoAwayFromZero) {
    SetDecimalSeparator('.');
    // Sixteen-digit integers are exact doubles: ...45 is a true half.
    EXPECT_EQ(FloatToStr(1234567890123445.0), "1.23456789012345E15");
    EXPECT_EQ(FloatToStr(-1234567890123445.0), "-1.23456789012345E15");
    EXPECT_EQ(FloatToStr(std::nextafter(1234567890123445.0, 0.0)), "1.23456789012344E15");
    EXPECT_EQ(FloatToStr(999999999999999.5), "1E15");
    // Above 1E15 the digits come from a division: the half of a seventeen-digit value.
    EXPECT_EQ(FloatToStr(12345678901234550.0), "1.23456789012346E16");
    EXPECT_EQ(FloatToStr(std::nextafter(12345678901234550.0, 0.0)), "1.23456789012345E16");
    // 0.5 / 2^k are exact too: 1.52587890625E-5 needs no rounding, 2^-20 does.
    EXPECT_EQ(FloatToStr(std::ldexp(1.0, -16)), "1.52587890625E-5");
    EXPECT_EQ(FloatToStr(std::ldexp(1.0, -20)), "9.5367431640625E-7");
    EXPECT_EQ(FloatToStr(std::ldexp(1.0, -30)), "9.31322574615479E-10");
}

TEST(FloatToStrDigits, AgreeWithTheExactExpansion) {
    SetDecimalSeparator('.');
    std::mt19937_64 rng(20240613);
    std::uniform_int_distribution<std::int64_t> sixteen(1000000000000000LL, 9007199254740991LL);
    std::uniform_int_distribution<int> scale(-60, 20);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 20000; ++i) {
        std::uint64_t bits = rng();
        double any;
        std::memcpy(&any, &bits, sizeof any);
        ExpectDigits(any);
        // Halves and their neighbours, scaled by powers of two so they stay exact.
        const std::int64_t k = sixteen(rng);
        const double half = std::ldexp(static_cast<double>(k - k % 10 + 5), scale(rng));
        ExpectDigits(half);
        ExpectDigits(std::nextafter(half, 0.0));
        ExpectDigits(-std::nextafter(half, 1e300));
        // Values of the program: energies, wavelengths, transmissions.
        ExpectDigits(1239.83 / (300.0 + 1200.0 * (unit(rng) + 1.0)));
        ExpectDigits(std::round(unit(rng) * 1e6) / 1e3);
    }
}

}  // namespace
}  // namespace optc
