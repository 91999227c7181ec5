#include "datafiles/JcampValues.h"

#include <optional>
#include <string>

#include "datafiles/DecimalText.h"

namespace optc {

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == ';'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A letter or symbol of the compressed forms: its form, the digit it stands for and
// that digit's sign.
struct PseudoDigit {
    JcampForm form;
    int digit;
    bool negative;
};

std::optional<PseudoDigit> PseudoDigitOf(char c) {
    if (c == '@') return PseudoDigit{JcampForm::Sqz, 0, false};
    if (c >= 'A' && c <= 'I') return PseudoDigit{JcampForm::Sqz, c - 'A' + 1, false};
    if (c >= 'a' && c <= 'i') return PseudoDigit{JcampForm::Sqz, c - 'a' + 1, true};
    if (c == '%') return PseudoDigit{JcampForm::Dif, 0, false};
    if (c >= 'J' && c <= 'R') return PseudoDigit{JcampForm::Dif, c - 'J' + 1, false};
    if (c >= 'j' && c <= 'r') return PseudoDigit{JcampForm::Dif, c - 'j' + 1, true};
    if (c >= 'S' && c <= 'Z') return PseudoDigit{JcampForm::Dup, c - 'S' + 1, false};
    if (c == 's') return PseudoDigit{JcampForm::Dup, 9, false};
    return std::nullopt;
}

// A compressed form other than the SQZ 5, which reads like an exponent.
bool HasCompressedDigit(std::string_view line) {
    for (char c : line)
        if (c != 'E' && c != 'e' && PseudoDigitOf(c)) return true;
    return false;
}

std::size_t SkipDigits(std::string_view s, std::size_t i) {
    while (i < s.size() && IsDigit(s[i])) ++i;
    return i;
}

std::vector<JcampValue> Read(std::string_view line, bool compressed) {
    std::vector<JcampValue> values;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        const std::size_t begin = i;
        if (IsSeparator(c)) {
            ++i;
        } else if (c == '?') {
            values.push_back({JcampForm::Missing, 0.0, 0, line.substr(i++, 1)});
        } else if (c == '+' || c == '-' || c == '.' || IsDigit(c)) {
            // AFFN: a sign, digits, a point, digits and, in a line without compressed
            // forms, an exponent. The sign of the next value ends this one (PAC).
            if (c == '+' || c == '-') ++i;
            i = SkipDigits(line, i);
            if (i < line.size() && line[i] == '.') i = SkipDigits(line, i + 1);
            if (!compressed && i < line.size() && (line[i] == 'E' || line[i] == 'e')) {
                std::size_t k = i + 1;
                if (k < line.size() && (line[k] == '+' || line[k] == '-')) ++k;
                if (k < line.size() && IsDigit(line[k])) i = SkipDigits(line, k);
            }
            const std::string_view text = line.substr(begin, i - begin);
            const auto v = ParseDecimal(text, false);
            values.push_back({v ? JcampForm::Affn : JcampForm::Unreadable, v.value_or(0.0), 0, text});
        } else if (const auto p = compressed ? PseudoDigitOf(c) : std::nullopt) {
            i = SkipDigits(line, i + 1);
            if (p->form != JcampForm::Dup && i < line.size() && line[i] == '.') i = SkipDigits(line, i + 1);
            const std::string_view text = line.substr(begin, i - begin);
            JcampValue v{p->form, 0.0, 0, text};
            if (p->form == JcampForm::Dup) {
                v.count = static_cast<std::uint64_t>(p->digit);
                // A count beyond any spectrum is held at a bound: reading stops long before.
                for (char d : text.substr(1))
                    if (v.count < 1'000'000'000'000ULL) v.count = v.count * 10 + static_cast<std::uint64_t>(d - '0');
            } else {
                std::string number = p->negative ? "-" : "";
                number += static_cast<char>('0' + p->digit);
                number.append(text.substr(1));
                v.value = ParseDecimal(number, false).value_or(0.0);  // digits and a point: always a number
            }
            values.push_back(v);
        } else {
            values.push_back({JcampForm::Unreadable, 0.0, 0, line.substr(i++, 1)});
        }
    }
    return values;
}

}  // namespace

std::vector<JcampValue> ReadJcampValues(std::string_view line, JcampLetters letters) {
    if (letters == JcampLetters::AffnOnly) return Read(line, false);
    if (letters == JcampLetters::Compressed || HasCompressedDigit(line)) return Read(line, true);
    std::vector<JcampValue> affn = Read(line, false);
    for (const JcampValue& v : affn)
        if (v.form == JcampForm::Unreadable) return Read(line, true);
    return affn;
}

bool HoldsCompressedForm(const std::vector<JcampValue>& values) {
    for (const JcampValue& v : values)
        if (v.form == JcampForm::Sqz || v.form == JcampForm::Dif || v.form == JcampForm::Dup) return true;
    return false;
}

}  // namespace optc
