#include "datafiles/DecimalText.h"

#include <charconv>
#include <cstdint>
#include <string>

#include "numerics/Errors.h"

namespace optc {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The power of ten of the leading digit, for a number that from_chars found out of
// range: above 0 it is too large for a double, below too small.
std::int64_t Magnitude(std::string_view integer, std::string_view fraction, std::int64_t exponent) {
    const std::size_t lead = integer.find_first_not_of('0');
    if (lead != std::string_view::npos) return static_cast<std::int64_t>(integer.size() - lead) - 1 + exponent;
    const std::size_t first = fraction.find_first_not_of('0');
    return -static_cast<std::int64_t>(first) - 1 + exponent;
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text, bool commaDecimal) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

    // The syntax is checked here; from_chars alone would take "inf", "nan" and more.
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t intBegin = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    const std::string_view integer = text.substr(intBegin, i - intBegin);
    std::string_view fraction;
    if (i < text.size() && (text[i] == '.' || (commaDecimal && text[i] == ','))) {
        const std::size_t fracBegin = ++i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        fraction = text.substr(fracBegin, i - fracBegin);
    }
    if (integer.empty() && fraction.empty()) return std::nullopt;
    std::int64_t exponent = 0;
    std::string_view exponentText;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        const std::size_t expBegin = ++i;
        bool minus = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) minus = text[i++] == '-';
        if (i == text.size() || !IsDigit(text[i])) return std::nullopt;
        for (; i < text.size() && IsDigit(text[i]); ++i)
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i] - '0');  // saturates
        if (minus) exponent = -exponent;
        exponentText = text.substr(expBegin, i - expBegin);
    }
    if (i != text.size()) return std::nullopt;

    std::string number = negative ? "-" : "";  // from_chars takes a minus sign only
    number.append(integer.empty() ? "0" : integer);
    number.append(".").append(fraction.empty() ? "0" : fraction);
    if (!exponentText.empty()) number.append("e").append(exponentText);
    double value = 0.0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        if (Magnitude(integer, fraction, exponent) > 0) throw EOverflow();
        return negative ? -0.0 : 0.0;
    }
    return value;
}

}  // namespace optc
