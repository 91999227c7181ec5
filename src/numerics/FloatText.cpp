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

#include "numerics/Decimal15.h"
#include "numerics/Errors.h"

namespace optc {

namespace {

char gDecimalSeparator = '.';

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
