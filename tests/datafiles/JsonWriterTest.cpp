// The JSON writer: its escapes against nlohmann/json's, byte string by byte string,
// and the layout the batch summary has always had.
#include "datafiles/JsonWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "numerics/FloatText.h"

namespace optc {
namespace {

TEST(JsonStringTest, EscapesWhatJsonForbidsAndKeepsTheOutputValidUtf8) {
    EXPECT_EQ(JsonString(""), "\"\"");
    EXPECT_EQ(JsonString("'1,\"5\\' is"), R"("'1,\"5\\' is")");
    EXPECT_EQ(JsonString("a\nb\rc\td\b\f"), R"("a\nb\rc\td\b\f")");
    EXPECT_EQ(JsonString(std::string("\x01\x1f\x7f", 3)), R"("\u0001\u001f\u007f")");
    EXPECT_EQ(JsonString(std::string("nul\0!", 5)), R"("nul\u0000!")");
    // Valid UTF-8 passes unchanged: two-, three- and four-byte characters.
    EXPECT_EQ(JsonString("\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"), "\"\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\"");
    // Stray bytes become their Latin-1 characters: a lone lead, a cut sequence at the
    // end, an overlong form, a surrogate and a bare continuation byte.
    EXPECT_EQ(JsonString("\xFF"), R"("\u00ff")");
    EXPECT_EQ(JsonString("x\xE2\x82"), R"("x\u00e2\u0082")");
    EXPECT_EQ(JsonString("\xC0\xAF"), R"("\u00c0\u00af")");
    EXPECT_EQ(JsonString("\xED\xA0\x80"), R"("\u00ed\u00a0\u0080")");
    EXPECT_EQ(JsonString("\x80" "a"), R"("\u0080a")");
}

// The summary's escapes as they were first written: the text handed to nlohmann/json
// one character at a time (the shortest piece of one to four bytes its strict handler
// takes), ASCII with ensure_ascii, a byte that begins no character as its Latin-1
// character. Slow, but an independent account of every byte.
std::string LibraryEscapes(const std::string& text) {
    using Json = nlohmann::json;
    const auto escaped = [](const std::string& piece, bool ascii) {
        const std::string literal = Json(piece).dump(-1, ' ', ascii, Json::error_handler_t::strict);
        return literal.substr(1, literal.size() - 2);
    };
    std::string literal = "\"";
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 0;
        for (std::size_t n = 1; !length && n <= 4 && i + n <= text.size(); ++n) {
            try {
                literal += escaped(text.substr(i, n), n == 1);
                length = n;
            } catch (const Json::type_error&) {
            }
        }
        if (!length) {
            const auto byte = static_cast<unsigned char>(text[i]);
            literal += escaped({static_cast<char>(0xC0 | byte >> 6), static_cast<char>(0x80 | (byte & 0x3F))}, true);
            length = 1;
        }
        i += length;
    }
    return literal + "\"";
}

TEST(JsonStringTest, EscapesEveryByteStringAsTheLibraryDoes) {
    // Every string of one and two bytes.
    for (int a = 0; a < 256; ++a) {
        const std::string one(1, static_cast<char>(a));
        ASSERT_EQ(JsonString(one), LibraryEscapes(one)) << a;
        for (int b = 0; b < 256; ++b) {
            const std::string two = {static_cast<char>(a), static_cast<char>(b)};
            ASSERT_EQ(JsonString(two), LibraryEscapes(two)) << a << " " << b;
        }
    }
    // Longer strings of the bytes where UTF-8's ranges begin and end, mixed with the
    // characters JSON escapes.
    const unsigned char edges[] = {0x00, 0x09, 0x1F, 0x20, '"', '\\', 'a',  0x7E, 0x7F, 0x80, 0x8F, 0x90,
                                   0x9F, 0xA0, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xE1, 0xEC, 0xED, 0xEE,
                                   0xEF, 0xF0, 0xF1, 0xF3, 0xF4, 0xF5, 0xFE, 0xFF};
    std::mt19937 random(29);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(edges) - 1), length(3, 12);
    for (int trial = 0; trial < 20000; ++trial) {
        std::string text(length(random), '\0');
        for (char& c : text) c = static_cast<char>(edges[pick(random)]);
        ASSERT_EQ(JsonString(text), LibraryEscapes(text)) << trial;
    }
}

TEST(JsonWriterTest, WritesTheSummaryLayoutWithRealsAsTheWindowsWriteThem) {
    SetDecimalSeparator(',');  // JSON has one decimal point, whatever the windows use
    std::string text;
    JsonWriter json(text);
    json.BeginObject()
        .Member("message", std::optional<std::string>())
        .Member("d", 0.000204255)
        .Member("big", 1e20)
        .Member("count", -3)
        .Member("ok", true)
        .Member("inf", std::numeric_limits<double>::infinity())
        .Member("nan", std::nan(""))
        .Member("sd", std::optional<double>(2.5));
    json.Key("rows").BeginArray();
    json.BeginObject().Member("type", "min").EndObject();
    json.BeginArray().EndArray();
    json.BeginObject().EndObject();
    json.Integer(INT64_MIN);
    json.EndArray().Key("raw").Raw("[1]").EndObject();
    SetDecimalSeparator('.');
    EXPECT_EQ(text, "{\"message\": null, \"d\": 0.000204255, \"big\": 1E20, \"count\": -3, \"ok\": true, "
                    "\"inf\": null, \"nan\": null, \"sd\": 2.5, \"rows\": [{\"type\": \"min\"}, [], {}, "
                    "-9223372036854775808], \"raw\": [1]}");
}

}  // namespace
}  // namespace optc
