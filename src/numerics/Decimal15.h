#pragma once
// The fifteen significant decimal digits of a number, correctly rounded (halves away
// from zero), as the results files and the controls' texts show it.
#include <array>
#include <cstdint>
#include <cstring>
#include "numerics/Index.h"

namespace optc {

constexpr int kDigits = 15;

// A finite value rounded to 15 significant decimal digits: value = d0.d1...d14 x 10^exponent.
struct Decimal15 {
    bool negative = false;
    bool zero = false;
    // Room beyond the fifteen digits, so that any run of them can be copied as one
    // fixed-size block (see CopyDigits).
    char digits[2 * kDigits] = {};
    int exponent = 0;
};

void ToDecimal15(double value, Decimal15& d);
void ToDecimal15(long double value, Decimal15& d);

// The decimal digits of 00 to 99, two by two.
inline constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        At(pairs, 2 * i) = static_cast<char>('0' + i / 10);
        At(pairs, 2 * i + 1) = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Writes the Count lowest decimal digits of value into out, leading zeros included.
// The count is fixed at compile time, so the pairs are unrolled.
template <int Count>
void WriteDigits(std::uint32_t value, char* out) {
    int i = Count;
    for (; i >= 2; i -= 2) {
        const std::size_t pair = 2 * (value % 100);
        value /= 100;
        std::memcpy(out + i - 2, kDigitPairs.data() + pair, 2);  // one two-byte move
    }
    if (i == 1) out[0] = static_cast<char>('0' + value % 10);
}

}  // namespace optc
