#include "datafiles/QuotedText.h"

namespace optc {

namespace {

// The length of the UTF-8 character that starts at text[i], or 0 when the bytes there
// are not one (a stray continuation byte, a cut or overlong sequence, a surrogate).
std::size_t Utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b = byte(i);
    std::size_t n = 0;
    unsigned char lowest = 0x80, highest = 0xBF;  // the second byte's range
    if (b >= 0xC2 && b <= 0xDF) n = 2;
    else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        if (b == 0xE0) lowest = 0xA0;
        if (b == 0xED) highest = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        if (b == 0xF0) lowest = 0x90;
        if (b == 0xF4) highest = 0x8F;
    }
    if (n == 0 || i + n > text.size()) return 0;
    if (byte(i + 1) < lowest || byte(i + 1) > highest) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return n;
}

void AppendCode(unsigned char b, std::string& to) {
    static const char* const kDigits = "0123456789ABCDEF";
    to += "\\x";
    to += kDigits[b >> 4];
    to += kDigits[b & 15];
}

// Appends up to `most` characters; true when some were left out.
bool AppendShown(std::string_view text, std::size_t most, std::string& to) {
    std::size_t i = 0, shown = 0;
    for (; i < text.size() && shown < most; ++shown) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b >= 0x20 && b < 0x7F) {
            to += static_cast<char>(b);
            ++i;
        } else if (const std::size_t n = b >= 0x80 ? Utf8Length(text, i) : 0) {
            to.append(text.substr(i, n));
            i += n;
        } else {
            AppendCode(b, to);
            ++i;
        }
    }
    return i < text.size();
}

}  // namespace

std::string QuotedText(std::string_view text, std::size_t most) {
    std::string quoted = "'";
    const bool cut = AppendShown(text, most, quoted);
    return quoted + (cut ? "...'" : "'");
}

std::string ShownText(std::string_view text, std::size_t most) {
    std::string shown;
    if (AppendShown(text, most, shown)) shown += "...";
    return shown;
}

}  // namespace optc
