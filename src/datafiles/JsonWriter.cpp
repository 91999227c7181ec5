#include "datafiles/JsonWriter.h"

#include <charconv>
#include <cmath>

#include "numerics/FloatText.h"

namespace optc {

namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendUnicodeEscape(std::string& out, unsigned char byte) {
    const char escape[] = {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0x0F]};
    out.append(escape, sizeof escape);
}

bool InRange(unsigned char byte, unsigned char low, unsigned char high) { return byte >= low && byte <= high; }

// The length of the well-formed UTF-8 sequence of two to four bytes that starts at
// text[i], or 0 when none does (a lone continuation byte, an overlong form, a
// surrogate, a code point beyond U+10FFFF or a sequence cut short).
std::size_t SequenceLength(std::string_view text, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const std::size_t left = text.size() - i;
    const unsigned char lead = at(0);
    if (InRange(lead, 0xC2, 0xDF)) return left >= 2 && InRange(at(1), 0x80, 0xBF) ? 2 : 0;
    if (InRange(lead, 0xE0, 0xEF)) {
        // The second byte's range excludes the overlong forms (after E0) and the
        // surrogates (after ED).
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
        return left >= 3 && InRange(at(1), low, high) && InRange(at(2), 0x80, 0xBF) ? 3 : 0;
    }
    if (InRange(lead, 0xF0, 0xF4)) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
        return left >= 4 && InRange(at(1), low, high) && InRange(at(2), 0x80, 0xBF) && InRange(at(3), 0x80, 0xBF)
                   ? 4
                   : 0;
    }
    return 0;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
    out.reserve(out.size() + text.size() + 2);
    out += '"';
    std::size_t plain = 0;  // start of the bytes not yet copied, which need no escape
    const auto flush = [&](std::size_t end) { out.append(text.data() + plain, end - plain); };
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
            ++i;
            continue;
        }
        if (byte >= 0x80) {
            if (const std::size_t length = SequenceLength(text, i)) {
                i += length;
                continue;
            }
        }
        flush(i);
        switch (byte) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default: AppendUnicodeEscape(out, byte);  // other controls, DEL, a byte read as Latin-1
        }
        plain = ++i;
    }
    flush(text.size());
    out += '"';
}

std::string JsonString(std::string_view text) {
    std::string literal;
    AppendJsonString(literal, text);
    return literal;
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!filled_.empty()) {
        if (filled_.back()) out_ += ", ";
        filled_.back() = true;
    }
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    out_ += '{';
    filled_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    out_ += '}';
    filled_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    out_ += '[';
    filled_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    out_ += ']';
    filled_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    BeforeValue();
    AppendJsonString(out_, key);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view text) {
    BeforeValue();
    AppendJsonString(out_, text);
    return *this;
}

JsonWriter& JsonWriter::Real(double value) {
    if (!std::isfinite(value)) return Null();
    BeforeValue();
    const std::size_t start = out_.size();
    AppendFloatToStr(out_, value);
    // JSON's decimal point whatever the separator of the windows.
    if (DecimalSeparator() != '.') {
        for (std::size_t i = start; i < out_.size(); ++i)
            if (out_[i] == DecimalSeparator()) out_[i] = '.';
    }
    return *this;
}

JsonWriter& JsonWriter::Integer(std::int64_t value) {
    BeforeValue();
    char digits[24];
    out_.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
    return *this;
}

JsonWriter& JsonWriter::Raw(std::string_view json) {
    BeforeValue();
    out_ += json;
    return *this;
}

}  // namespace optc
