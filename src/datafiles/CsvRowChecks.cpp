#include "datafiles/CsvRowChecks.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "datafiles/DecimalText.h"
#include "datafiles/QuotedText.h"

namespace optc {

namespace {

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The first two fields that are not empty, split at the separator alone.
std::vector<std::string> FirstTwoFields(std::string_view line, char separator, bool dropQuotes) {
    std::vector<std::string> fields;
    while (fields.size() < 2) {
        const std::size_t end = line.find(separator);
        std::string field(Trimmed(line.substr(0, end)));
        if (dropQuotes) field.erase(std::remove(field.begin(), field.end(), '"'), field.end());
        if (!Trimmed(field).empty()) fields.push_back(std::string(Trimmed(field)));
        if (end == std::string_view::npos) break;
        line.remove_prefix(end + 1);
    }
    return fields;
}

bool IsNumber(const std::string& text, char separator) {
    try {
        return ParseDecimal(text, separator != ',').has_value();
    } catch (...) {
        return true;  // too large to read: a number all the same, refused as such later
    }
}

bool IsNonFinite(std::string_view text) {
    std::string t(Trimmed(text));
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) t.erase(0, 1);
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return t == "nan" || t == "inf" || t == "infinity" || t == "1.#inf" || t == "1.#qnan" || t == "1.#ind";
}

// "1.100,0": digits with both marks, as a thousands separator writes them.
bool HasThousandsSeparator(std::string_view text) {
    text = Trimmed(text);
    const bool digitsAndMarks = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '.' || c == ',' || c == '+' || c == '-';
    });
    return digitsAndMarks && text.find('.') != std::string_view::npos && text.find(',') != std::string_view::npos;
}

}  // namespace

bool HoldsOnlyEndOfFileBytes(std::string_view line) {
    return !line.empty() && line.find_first_not_of(kDosEndOfFile) == std::string_view::npos;
}

std::optional<std::string> BrokenFirstRow(std::string_view line, char separator) {
    const std::vector<std::string> plain = FirstTwoFields(line, separator, false);
    if (plain.size() < 2) return std::nullopt;
    const std::array<bool, 2> number{IsNumber(plain[0], separator), IsNumber(plain[1], separator)};
    for (std::size_t k = 0; k < 2; ++k) {
        if (number[1 - k] && IsNonFinite(plain[k])) return QuotedText(plain[k]) + " is not a number.";
        if ((number[1 - k] || HasThousandsSeparator(plain[1 - k])) && HasThousandsSeparator(plain[k]))
            return QuotedText(plain[k]) + " is not a number: a thousands separator is not read.";
    }
    if (number[0] && number[1]) return std::nullopt;  // splits as it is: no quote is at fault
    const std::size_t quotes = static_cast<std::size_t>(std::count(line.begin(), line.end(), '"'));
    if (quotes == 0) return std::nullopt;
    const std::vector<std::string> unquoted = FirstTwoFields(line, separator, true);
    if (unquoted.size() < 2 || !IsNumber(unquoted[0], separator) || !IsNumber(unquoted[1], separator))
        return std::nullopt;
    return quotes % 2 == 1 ? "a quoted field is not closed." : "a quotation mark is out of place.";
}

DecimalMark DecimalMarkOf(std::string_view number) {
    if (number.find(',') != std::string_view::npos) return DecimalMark::Comma;
    if (number.find('.') != std::string_view::npos) return DecimalMark::Point;
    return DecimalMark::None;
}

}  // namespace optc
