#include "numerics/FloatText.h"

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

#include "numerics/Errors.h"

namespace optc {

namespace {

char gDecimalSeparator = '.';

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

// The decimal digits of 00 to 99, two by two.
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
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

__extension__ typedef unsigned __int128 Wide;

// The magnitude m * 2^e2 scaled by 10^k and cut to a whole number, and whether the
// part cut off is at least one half. Exact: the scaling is done in 128-bit integers.
// False when the numbers would not fit.
bool ScaleExactly(std::uint64_t m, int e2, int k, std::uint64_t& whole, bool& halfOrMore) {
    Wide quotient = 0, remainder = 0, divisor = 1;
    if (k >= 0) {
        // m * 5^k * 2^(e2 + k): below 2^116 before the shift.
        const Wide product = static_cast<Wide>(m) * kPow5[static_cast<std::size_t>(k)];
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
        divisor = kPow5[static_cast<std::size_t>(-k)];
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
    for (int i = 0; i < kDigits; ++i) d.digits[i] = digits[static_cast<std::size_t>(i)];
    d.exponent = exponent;
    if (up) RoundUp(d);
}

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

[[noreturn]] void InvalidFloat(const std::string& text) {
    throw EConvertError("'" + text + "' is not a valid floating point value", text);
}

[[noreturn]] void InvalidInteger(const std::string& text) {
    throw EConvertError("'" + text + "' is not a valid integer value", text);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The start of a number text: moves i past leading blanks and an optional sign; true
// for a minus.
bool SkipBlanksAndSign(const std::string& text, std::size_t& i) {
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) return text[i++] == '-';
    return false;
}

// Room for the longest general form (a sign, fifteen digits, a separator and an
// exponent of an extended value, E-4951, or "-0.000" before fifteen digits) and for the
// surplus of the fixed-size digit copies.
constexpr int kMaxGeneralText = 48;

char* Append(char* out, const char* from, const char* to) {
    while (from != to) *out++ = *from++;
    return out;
}

// Digits first to first + count - 1 of d into out: one fixed-size copy, whose surplus
// the characters written next overwrite (out needs kDigits characters of room).
char* CopyDigits(char* out, const Decimal15& d, int first, int count) {
    std::memcpy(out, d.digits + first, kDigits);
    return out + count;
}

// Writes FloatToStr's text of value into out (kMaxGeneralText characters of room) and
// returns its length: built in place, for the hundreds of thousands of numbers of a
// results file.
template <typename Real>
std::size_t WriteGeneral(Real value, char* out) {
    char* p = out;
    if (std::isnan(value)) return static_cast<std::size_t>(Append(p, "NAN", "NAN" + 3) - out);
    if (std::isinf(value)) {
        if (value < 0) *p++ = '-';
        return static_cast<std::size_t>(Append(p, "INF", "INF" + 3) - out);
    }

    Decimal15 d;
    ToDecimal15(value, d);
    if (d.zero) {
        *p = '0';
        return 1;
    }

    int count = kDigits;  // significant digits without trailing zeros
    while (count > 1 && d.digits[count - 1] == '0') --count;

    if (d.negative) *p++ = '-';
    const int e = d.exponent;
    if (e >= -4 && e < kDigits) {
        // Fixed notation for magnitudes from 0.0001 up to but excluding 1E15.
        if (e >= 0) {
            const int before = e + 1;  // digits before the separator
            if (count >= before) {
                p = CopyDigits(p, d, 0, before);
            } else {
                p = CopyDigits(p, d, 0, count);
                for (int i = count; i < before; ++i) *p++ = '0';
            }
            if (count > before) {
                *p++ = gDecimalSeparator;
                p = CopyDigits(p, d, before, count - before);
            }
        } else {
            *p++ = '0';
            *p++ = gDecimalSeparator;
            for (int i = 0; i < -e - 1; ++i) *p++ = '0';
            p = CopyDigits(p, d, 0, count);
        }
    } else {
        *p++ = d.digits[0];
        if (count > 1) {
            *p++ = gDecimalSeparator;
            p = CopyDigits(p, d, 1, count - 1);
        }
        *p++ = 'E';
        if (e < 0) *p++ = '-';
        p = std::to_chars(p, out + kMaxGeneralText, e < 0 ? -e : e).ptr;
    }
    return static_cast<std::size_t>(p - out);
}

}  // namespace

char DecimalSeparator() { return gDecimalSeparator; }

void SetDecimalSeparator(char separator) { gDecimalSeparator = separator; }

std::string FloatToStr(long double value) {
    char text[kMaxGeneralText];
    return std::string(text, WriteGeneral(value, text));
}

void AppendFloatToStr(std::string& out, double value) {
    char text[kMaxGeneralText];
    out.append(text, WriteGeneral(value, text));
}

double StrToFloat(const std::string& text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    const bool negative = SkipBlanksAndSign(text, i);

    // Mantissa digits, rewritten with '.' for the conversion; the decimal exponent
    // of the leading significant digit is tracked to tell overflow from underflow.
    std::string number;
    number.reserve(n + 8);
    std::size_t mantissaDigits = 0;
    long long leadExponent = 0;
    bool seenNonZero = false;
    std::size_t integerDigits = 0;
    while (i < n && IsDigit(text[i])) {
        number.push_back(text[i]);
        if (!seenNonZero && text[i] != '0') seenNonZero = true;
        if (seenNonZero) ++integerDigits;
        ++mantissaDigits;
        ++i;
    }
    if (seenNonZero) leadExponent = static_cast<long long>(integerDigits) - 1;
    if (i < n && text[i] == gDecimalSeparator) {
        number.push_back('.');
        ++i;
        long long position = 0;
        while (i < n && IsDigit(text[i])) {
            number.push_back(text[i]);
            --position;
            if (!seenNonZero && text[i] != '0') {
                seenNonZero = true;
                leadExponent = position;
            }
            ++mantissaDigits;
            ++i;
        }
    }
    if (mantissaDigits == 0) InvalidFloat(text);

    long long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        number.push_back('e');
        ++i;
        bool exponentNegative = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            exponentNegative = text[i] == '-';
            number.push_back(text[i]);
            ++i;
        }
        std::size_t exponentDigits = 0;
        while (i < n && IsDigit(text[i])) {
            number.push_back(text[i]);
            if (exponent < 1000000000LL) exponent = exponent * 10 + (text[i] - '0');
            ++exponentDigits;
            ++i;
        }
        if (exponentDigits == 0) InvalidFloat(text);
        if (exponentNegative) exponent = -exponent;
    }

    while (i < n && text[i] == ' ') ++i;
    if (i != n) InvalidFloat(text);

    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small for a double reads as zero; too large is not a number we can hold.
        if (!seenNonZero || leadExponent + exponent < 0) {
            value = 0.0;
        } else {
            InvalidFloat(text);
        }
    } else if (result.ec != std::errc() || result.ptr != number.data() + number.size()) {
        InvalidFloat(text);
    }
    return negative ? -value : value;
}

int StrToInt(const std::string& text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    const bool negative = SkipBlanksAndSign(text, i);

    // Hexadecimal after "$", "x", "X", "0x" or "0X"; it may use all 32 bits.
    bool hex = false;
    if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }

    const std::size_t first = i;
    unsigned long long magnitude = 0;
    if (hex) {
        for (; i < n; ++i) {
            const char c = text[i];
            int digit;
            if (c >= '0' && c <= '9') digit = c - '0';
            else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            else InvalidInteger(text);
            magnitude = magnitude * 16 + static_cast<unsigned long long>(digit);
            if (magnitude > 0xFFFFFFFFULL) InvalidInteger(text);
        }
    } else {
        for (; i < n; ++i) {
            if (!IsDigit(text[i])) InvalidInteger(text);
            magnitude = magnitude * 10 + static_cast<unsigned long long>(text[i] - '0');
            if (magnitude > 2147483648ULL) InvalidInteger(text);
        }
    }
    if (i == first) InvalidInteger(text);

    if (hex) {
        // The 32 bits are taken as they are: $FFFFFFFF is -1.
        const auto bits = static_cast<std::uint32_t>(magnitude);
        const auto value = static_cast<std::int32_t>(bits);
        return negative ? static_cast<int>(0u - bits) : value;
    }
    if (!negative && magnitude > 2147483647ULL) InvalidInteger(text);
    const long long value = negative ? -static_cast<long long>(magnitude)
                                     : static_cast<long long>(magnitude);
    return static_cast<int>(value);
}

std::string RealToText23(double value) {
    if (std::isnan(value) || std::isinf(value)) {
        const char* word = std::isnan(value) ? "Nan" : (value < 0 ? "-Inf" : "+Inf");
        std::string text(word);
        return std::string(23 - text.size(), ' ') + text;
    }
    Decimal15 d;
    ToDecimal15(value, d);
    char text[23];
    text[0] = d.negative ? '-' : ' ';
    text[1] = d.digits[0];
    text[2] = '.';
    Append(text + 3, d.digits + 1, d.digits + kDigits);
    text[17] = 'E';
    text[18] = d.exponent < 0 ? '-' : '+';
    // A double's decimal exponent has at most three digits.
    WriteDigits<4>(static_cast<std::uint32_t>(d.exponent < 0 ? -d.exponent : d.exponent), text + 19);
    return std::string(text, sizeof text);
}

std::int64_t Round(long double value) {
    if (std::isnan(value)) throw EInvalidOp();
    long double r = std::floor(value);
    const long double fraction = value - r;  // exact
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(r, 2.0L) != 0.0L)) r += 1.0L;
    if (!(r >= -0x1p63L && r < 0x1p63L)) throw EInvalidOp();
    return static_cast<std::int64_t>(r);
}

std::int64_t Trunc(long double value) {
    if (std::isnan(value)) throw EInvalidOp();
    const long double t = std::trunc(value);
    if (!(t >= -0x1p63L && t < 0x1p63L)) throw EInvalidOp();
    return static_cast<std::int64_t>(t);
}

}  // namespace optc
