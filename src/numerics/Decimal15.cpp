#include "numerics/Decimal15.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>
#include "numerics/Index.h"

namespace optc {

namespace {

// Reads the digits and the exponent of a "%.Ne" text ("d.ddd...e+x").
void SplitScientific(const char* text, std::string& digits, int& exponent) {
    digits.clear();
    const char* p = text;
    for (; *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') digits.push_back(*p);
    }
    exponent = std::atoi(p + 1);
}

// Whether the exact value lies at or above the midpoint between two 15-digit
// neighbours, given the first digit beyond the fifteenth and those after it. A
// quick correctly rounded expansion to 22 digits decides almost always; only when it
// reads 5 followed by zeros is the exact expansion consulted.
bool RoundsUp(long double magnitude, const std::string& quick) {
    auto decide = [](const std::string& digits) -> int {
        // 1: above the midpoint, -1: below, 0: reads exactly as the midpoint.
        if (digits[kDigits] != '5') return digits[kDigits] > '5' ? 1 : -1;
        for (std::size_t i = kDigits + 1; i < digits.size(); ++i) {
            if (digits[i] != '0') return 1;
        }
        return 0;
    };
    const int quickSide = decide(quick);
    if (quickSide != 0) return quickSide > 0;

    // Every extended value has a finite decimal expansion of fewer than 11600
    // significant digits (the smallest ones are multiples of 2^-16445); print it whole.
    const int precision = 12000;
    std::vector<char> buffer(precision + 32);
    std::snprintf(buffer.data(), buffer.size(), "%.*Le", precision, magnitude);
    std::string exact;
    int exponent = 0;
    SplitScientific(buffer.data(), exact, exponent);
    // Halves go away from zero, as the runtime's digit rounding does.
    return decide(exact) >= 0;
}

// Adds one unit in the fifteenth digit.
void RoundUp(Decimal15& d) {
    int i = kDigits - 1;
    while (i >= 0 && d.digits[i] == '9') {
        d.digits[i] = '0';
        --i;
    }
    if (i >= 0) {
        ++d.digits[i];
    } else {
        // 9.99...95 becomes 10.0...: one digit more before the point.
        d.digits[0] = '1';
        ++d.exponent;
    }
}

// Powers of five that fit in 64 bits (5^27 < 2^63): with a power of two they make
// the powers of ten 10^-27 to 10^27 exactly.
constexpr int kExactPowers = 28;
constexpr auto kPow5 = [] {
    std::array<std::uint64_t, kExactPowers> powers{};
    powers[0] = 1;
    for (std::size_t k = 1; k < powers.size(); ++k) powers[k] = powers[k - 1] * 5;
    return powers;
}();

__extension__ typedef unsigned __int128 Wide;

// The magnitude m * 2^e2 scaled by 10^k and cut to a whole number, and whether the
// part cut off is at least one half. Exact: the scaling is done in 128-bit integers.
// False when the numbers would not fit.
bool ScaleExactly(std::uint64_t m, int e2, int k, std::uint64_t& whole, bool& halfOrMore) {
    Wide quotient = 0, remainder = 0, divisor = 1;
    if (k >= 0) {
        // m * 5^k * 2^(e2 + k): below 2^116 before the shift.
        const Wide product = static_cast<Wide>(m) * At(kPow5, k);
        const int shift = e2 + k;
        if (shift >= 0) {
            if (shift > 10) return false;  // far beyond fifteen digits
            quotient = product << shift;
        } else {
            if (-shift >= 127) return false;
            divisor = static_cast<Wide>(1) << -shift;
            quotient = product >> -shift;
            remainder = product & (divisor - 1);
        }
    } else {
        // m * 2^(e2 + k) / 5^-k, as a numerator and a divisor in whole numbers.
        const int shift = e2 + k;
        Wide numerator = m;
        divisor = At(kPow5, -k);
        if (shift >= 0) {
            if (shift > 74) return false;  // m < 2^53
            numerator <<= shift;
        } else {
            if (-shift > 60) return false;  // 5^27 < 2^63
            divisor <<= -shift;
        }
        quotient = numerator / divisor;
        remainder = numerator % divisor;
    }
    if (quotient >= static_cast<Wide>(10000000000000000ULL)) return false;
    whole = static_cast<std::uint64_t>(quotient);
    halfOrMore = remainder >= divisor - remainder;  // 2 * remainder >= divisor
    return true;
}

// The common case of a double of everyday magnitude (1e-13 to 1e41): scaled by an
// exact power of ten to a whole number of fifteen digits and a remainder, both exact,
// so the rounding is decided exactly, halves away from zero. Subnormal values and
// magnitudes out of reach of the exact powers are not decided here.
bool FromScaled(double magnitude, Decimal15& d) {
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);  // the sign bit is clear
    if (biased == 0) return false;
    const std::uint64_t m = (bits & ((1ULL << 52) - 1)) | (1ULL << 52);
    const int e2 = biased - 1075;  // magnitude = m * 2^e2
    // About floor(log10(2^(e2 + 52))): the decimal exponent of the magnitude or one
    // less, corrected below.
    const int lead = (e2 + 52) * 1233;
    int exponent = lead >= 0 ? lead / 4096 : -((-lead + 4095) / 4096);
    constexpr std::uint64_t kLow = 100000000000000ULL, kHigh = 1000000000000000ULL;
    std::uint64_t whole = 0;
    bool halfOrMore = false;
    for (int attempt = 0;; ++attempt) {
        if (attempt == 3) return false;
        const int k = 14 - exponent;
        if (k >= kExactPowers || k <= -kExactPowers) return false;
        if (!ScaleExactly(m, e2, k, whole, halfOrMore)) return false;
        if (whole >= kHigh) {
            ++exponent;
        } else if (whole < kLow) {
            --exponent;
        } else {
            break;
        }
    }
    if (halfOrMore && ++whole == kHigh) {
        // 9.99...95 becomes 10.0...: one digit more before the point.
        whole = kLow;
        ++exponent;
    }
    // Two independent halves of seven and eight digits, two digits at a time.
    WriteDigits<7>(static_cast<std::uint32_t>(whole / 100000000), d.digits);
    WriteDigits<8>(static_cast<std::uint32_t>(whole % 100000000), d.digits + 7);
    d.exponent = exponent;
    return true;
}

// Other doubles: their first 17 significant digits, correctly rounded by the standard
// library's conversion, decide the fifteenth digit unless digits 16 and 17 read "50",
// where the 17-digit rounding may hide which side of the midpoint the value lies.
// Then nothing is decided here.
bool FromDouble(double magnitude, Decimal15& d) {
    // "d.dddddddddddddddde+x": digit k (k >= 2) at index k.
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 16).ptr;
    const char d16 = buffer[16], d17 = buffer[17];
    if (d16 == '5' && d17 == '0') return false;
    d.digits[0] = buffer[0];
    std::memcpy(d.digits + 1, buffer + 2, kDigits - 1);
    const char* e = buffer + 19;  // after the 'e'
    const bool negativeExponent = *e == '-';
    if (*e == '+' || *e == '-') ++e;
    int exponent = 0;
    std::from_chars(e, end, exponent);
    d.exponent = negativeExponent ? -exponent : exponent;
    // Above the midpoint when digit 16 is above 5, or 5 with a non-zero digit 17 (the
    // rounding to 17 digits moved the value by less than half a unit of digit 17). A
    // rounding that carried into the first fifteen digits leaves "00" and the fifteen
    // already correctly rounded.
    if (d16 >= '5') RoundUp(d);
    return true;
}

// Values held in extended precision and doubles of extreme magnitude: the digits from
// a correctly rounded 22-digit expansion, or the exact one near a half.
void FromExtended(long double magnitude, Decimal15& d) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.21Le", magnitude);
    std::string digits;
    int exponent = 0;
    SplitScientific(buffer, digits, exponent);

    // The 22-digit text is itself rounded. When that rounding carried into the first
    // fifteen digits, digits 16 to 22 read zeros and the fifteen are already the
    // correctly rounded ones, so the decision below keeps them.
    const bool up = RoundsUp(magnitude, digits);
    for (int i = 0; i < kDigits; ++i) d.digits[i] = At(digits, i);
    d.exponent = exponent;
    if (up) RoundUp(d);
}

}  // namespace

// A double stays in double registers throughout: the results files hold only doubles.
// The digits are filled in place, so that reading them back does not wait on their
// narrow stores.
void ToDecimal15(double value, Decimal15& d) {
    if (value == 0.0) {
        d.zero = true;
        for (char& c : d.digits) c = '0';
        return;
    }
    d.negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    if (!FromScaled(magnitude, d) && !FromDouble(magnitude, d)) FromExtended(magnitude, d);
}

void ToDecimal15(long double value, Decimal15& d) {
    const auto asDouble = static_cast<double>(value);
    if (static_cast<long double>(asDouble) == value) return ToDecimal15(asDouble, d);
    d.negative = std::signbit(value);
    FromExtended(std::fabs(value), d);
}

}  // namespace optc
