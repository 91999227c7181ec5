#include <random>

#include "PairText.h"
#include "numerics/Errors.h"

namespace optc::test {
namespace {

using RM = RestartMode;

TEST(PairReader, PlainFilesAndTheEmptyPassAtTheEnd) {
    for (const char* text : {"400 80\n401 81\n402 82\n", "400 80\n401 81\n402 82",
                             "400\t80\n401 81\n402 82 \t \n\n  "}) {
        SCOPED_TRACE(text);
        const Parsed p = Parse(text);
        EXPECT_EQ(p.count, 3);
        EXPECT_EQ(p.x(1), 400);
        EXPECT_EQ(p.y(3), 82);
        // The pass that meets only line ends stores nothing.
        EXPECT_EQ(p.x(4), kUntouched);
        EXPECT_EQ(p.y(4), kUntouched);
        EXPECT_FALSE(p.result.truncated);
    }
    EXPECT_EQ(Parse("").count, 0);
    EXPECT_EQ(Parse("no numbers here\nat all\n").count, 0);
}

TEST(PairReader, HeaderLines) {
    const std::string data = "400 80\n401 81\n402 82\n";
    const Parsed two = Parse("Wavelength Transmission\nSample 7 measured today\n" + data);
    EXPECT_EQ(two.count, 3);
    EXPECT_EQ(two.x(1), 400);
    EXPECT_EQ(two.y(1), 80);

    // A one-word header pairs with the first wavelength; the rest of that line goes.
    const Parsed one = Parse("Wavelength\n" + data);
    EXPECT_EQ(one.count, 2);
    EXPECT_EQ(one.x(1), 401);
    EXPECT_EQ(one.x(2), 402);
    EXPECT_EQ(one.y(2), 82);

    const Parsed crlf = Parse("Wavelength Transmission\r\n" + DataLines(3, 400, "\r\n"));
    EXPECT_EQ(crlf.count, 3);
    EXPECT_EQ(crlf.y(3), 52);
}

TEST(PairReader, ALoneCarriageReturnEndsALineAsALineFeedDoes) {
    // The same file with the line ends of three kinds of instrument: a one-word
    // header, a two-word header, data, a bad line and more data.
    for (const char* eol : {"\n", "\r\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(eol));
        const std::string e = eol;
        const Parsed p = Parse("Transmission" + e + "Wavelength T" + e + "400 80" + e + "401 81" + e +
                               "402,5 9 9" + e + "403 83" + e);
        EXPECT_EQ(p.count, 1);
        EXPECT_EQ(p.x(1), 403);
        EXPECT_EQ(p.x(2), 401);  // left from the first block, outside the count
        EXPECT_EQ(p.x(3), 402);
        const Parsed fringes = Parse("Lambda" + e + "900 90" + e + "800 40" + e + "End" + e, RM::Always);
        EXPECT_EQ(fringes.count, 1);
        EXPECT_EQ(fringes.x(1), 800);
    }
}

TEST(PairReader, BlockBoundariesSplitNothing) {
    // Reading goes by blocks of 256 KiB: a number, a line end and the end-of-file byte
    // are read alike wherever the boundary falls within them.
    constexpr std::size_t kBlock = 1 << 18;
    for (std::size_t shift = 0; shift <= 70; ++shift) {
        SCOPED_TRACE(shift);
        const std::string pad(kBlock - shift, ' ');
        const Parsed p = Parse(pad + "400.123456789012345678 80.25\r\n401 1.5e1\r\n\x1a" "402 82\n");
        EXPECT_EQ(p.count, 2);
        EXPECT_EQ(p.x(1), 400.123456789012345678);
        EXPECT_EQ(p.y(1), 80.25);
        EXPECT_EQ(p.y(2), 15);
        EXPECT_EQ(p.x(3), kUntouched);
        const Parsed bad = Parse(pad + "some words\r401 15\n", RM::Always);
        EXPECT_EQ(bad.count, 1);
        EXPECT_EQ(bad.x(1), 401);
    }
}

TEST(PairReader, TextBetweenBlocksOfData) {
    // After 100 counted points a text line occupies its index with abscissa 0.
    const Parsed late = Parse(DataLines(150, 400) + "some text\n" + DataLines(20, 1000));
    EXPECT_EQ(late.count, 171);
    EXPECT_EQ(late.x(150), 549);
    EXPECT_EQ(late.x(151), 0);
    EXPECT_EQ(late.y(151), 0);
    EXPECT_EQ(late.x(152), 1000);
    EXPECT_EQ(late.x(171), 1019);

    // Before 100 points the second block overwrites the first from index 1.
    const Parsed early = Parse(DataLines(50, 400) + "some text\n" + DataLines(20, 1000));
    EXPECT_EQ(early.count, 20);
    EXPECT_EQ(early.x(1), 1000);
    EXPECT_EQ(early.x(20), 1019);
    EXPECT_EQ(early.x(21), 420);  // left from the first block, outside the count

    // Fringes files restart at every text line.
    const Parsed always = Parse(DataLines(150, 400) + "some text\n" + DataLines(20, 1000), RM::Always);
    EXPECT_EQ(always.count, 20);
    EXPECT_EQ(always.x(1), 1000);
}

TEST(PairReader, FooterLines) {
    // A footer and a blank line after it: the empty pass must not overwrite point 1.
    const Parsed fringes = Parse(DataLines(10, 900) + "End of data\n\n", RM::Always);
    EXPECT_EQ(fringes.count, 10);
    EXPECT_EQ(fringes.x(1), 900);
    EXPECT_EQ(fringes.y(1), 50);

    const Parsed spectrum = Parse(DataLines(120, 400) + "End of data\n");
    EXPECT_EQ(spectrum.count, 120);
    EXPECT_EQ(spectrum.x(121), 0);
}

TEST(PairReader, BadPairsAndZeroAbscissas) {
    // Decimal commas: every pair is bad; the integer part is the token's value.
    const Parsed comma = Parse("400,5 80,2\n401,5 81,3\n", RM::Always);
    EXPECT_EQ(comma.count, 1);
    EXPECT_EQ(comma.x(1), 401);
    EXPECT_EQ(comma.y(1), 81);

    // A bad ordinate skips the rest of its line only, up to the line feed.
    const Parsed ordinate = Parse("400 80,5 9 9\r\n401 81\r\n402 82\r\n");
    EXPECT_EQ(ordinate.count, 2);
    EXPECT_EQ(ordinate.x(1), 401);

    // A literal 0 inside the data is a point within the count.
    const Parsed zero = Parse("400 80\n0 0\n402 82\n");
    EXPECT_EQ(zero.count, 3);
    EXPECT_EQ(zero.x(2), 0);
}

TEST(PairReader, SeparatorAndEndOfFileBytes) {
    const char raw[] = "400\0" "80\x01" "401\x1f" "81\x7f" "x 9\n";
    const std::string controls(raw, sizeof raw - 1);
    const Parsed c = Parse(controls, RM::Always);
    EXPECT_EQ(c.count, 2);
    EXPECT_EQ(c.y(1), 80);
    EXPECT_EQ(c.x(2), 401);

    const Parsed eof = Parse("400 80\n401 81\n\x1a" "402 82\n");
    EXPECT_EQ(eof.count, 2);
    EXPECT_EQ(eof.x(3), kUntouched);

    // Inside a token the byte still ends the file; the missing ordinate reads 0.
    const Parsed cut = Parse("400 80\n402\x1a" "5 82\n");
    EXPECT_EQ(cut.count, 2);
    EXPECT_EQ(cut.x(2), 402);
    EXPECT_EQ(cut.y(2), 0);
}

TEST(PairReader, TokensAreCutAfterSixtyFourCharacters) {
    // 65 characters: the first 64 are 4000, the 65th is the next token.
    const Parsed p = Parse(std::string(60, '0') + "4000" + "1\n");
    EXPECT_EQ(p.count, 1);
    EXPECT_EQ(p.x(1), 4000);
    EXPECT_EQ(p.y(1), 1);

    const Parsed word = Parse(std::string(200, 'A') + " 5\n400 80\n");
    EXPECT_EQ(word.count, 1);
    EXPECT_EQ(word.x(1), 400);
}

TEST(PairReader, NumberSyntax) {
    struct Case {
        const char* token;
        double value;
        bool valid;
    };
    const Case cases[] = {
        {"80", 80, true},      {"+80", 80, true},    {"-80", -80, true},   {"80.", 80, true},
        {".5", 0.5, true},     {"8e1", 80, true},    {"8E+1", 80, true},   {"800e-1", 80, true},
        {"5.e1", 50, true},    {"1e-400", 0, true},  {"12,5", 12, false},  {"3.2x", 3.2, false},
        {"1e", 1, false},      {"1e+", 1, false},    {"1.2.3", 1.2, false}, {".", 0, false},
        {"-", 0, false},       {"e5", 0, false},     {"inf", 0, false},    {"nan", 0, false},
        {"0x1A", 0, false},    {"--5", 0, false},    {"\xEF\xBB\xBF" "5", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.token);
        // A valid token lets the reader go on to the second pair of the line.
        const Parsed p = Parse(std::string("5 ") + c.token + " 6 7\n");
        EXPECT_EQ(p.y(1), c.value);
        EXPECT_EQ(p.count, c.valid ? 2 : 1);
    }
}

TEST(PairReader, ValuesAreCorrectlyRounded) {
    const Parsed p = Parse(
        "400.123 85.4321\n"
        "3.14159265358979323846264338327950288419716939937510582097494459 0.1\n"
        "4.9e-324 1.7976931348623157e308\n");
    EXPECT_EQ(p.x(1), 400.123);
    EXPECT_EQ(p.y(1), 85.4321);
    EXPECT_EQ(p.x(2), 3.141592653589793);
    EXPECT_EQ(p.y(2), 0.1);
    EXPECT_EQ(p.x(3), 4.9e-324);
    EXPECT_EQ(p.y(3), 1.7976931348623157e308);

    EXPECT_THROW(Parse("400 1e400\n"), EOverflow);
    EXPECT_THROW(Parse("-1E+999 80\n"), EOverflow);
}

TEST(PairReader, CapacityIsNeverExceeded) {
    const Parsed over = Parse(DataLines(kCapacity + 5));
    EXPECT_TRUE(over.result.truncated);
    EXPECT_EQ(over.count, kCapacity);
    EXPECT_EQ(over.x(kCapacity), 400 + kCapacity - 1);

    const Parsed full = Parse(DataLines(kCapacity) + "\n\n");
    EXPECT_FALSE(full.result.truncated);
    EXPECT_EQ(full.count, kCapacity);

    // Footers after a full file are no points beyond it.
    for (RM mode : {RM::Below100, RM::Always}) {
        const Parsed footer = Parse(DataLines(kCapacity) + "End of data\n\n", mode);
        EXPECT_FALSE(footer.result.truncated);
        EXPECT_EQ(footer.count, kCapacity);
        EXPECT_EQ(footer.x(1), 400);
    }
    // ... but data behind a footer are, unless the footer restarts the reading.
    EXPECT_TRUE(Parse(DataLines(kCapacity) + "End of data\n" + DataLines(3)).result.truncated);
    const Parsed restarted = Parse(DataLines(kCapacity) + "End of data\n" + DataLines(3, 900), RM::Always);
    EXPECT_FALSE(restarted.result.truncated);
    EXPECT_EQ(restarted.count, 3);
    EXPECT_EQ(restarted.x(1), 900);
}

TEST(PairReader, ForeignEncodingsAndHostileBytes) {
    const Parsed bom = Parse("\xEF\xBB\xBF" "400 80\n401 81\n");
    EXPECT_EQ(bom.count, 1);
    EXPECT_EQ(bom.x(1), 401);

    // UTF-16 in both byte orders, with a byte-order mark.
    for (bool little : {true, false}) {
        std::string wide = little ? "\xFF\xFE" : "\xFE\xFF";
        for (char ch : DataLines(300, 400, "\r\n")) {
            if (little) wide += ch;
            wide += '\0';
            if (!little) wide += ch;
        }
        const Parsed p = Parse(wide);
        EXPECT_GE(p.count, 0);
        EXPECT_LE(p.count, kCapacity);
    }

    const char alphabet[] = "0123456789.eE+-, \t\r\n\x1a\x00\x80\xff" "abc";
    std::mt19937 rng(20240611);
    for (int round = 0; round < 400; ++round) {
        std::string bytes(rng() % 3000, ' ');
        const bool anyByte = round % 4 == 0;
        for (char& b : bytes)
            b = anyByte ? static_cast<char>(rng()) : alphabet[rng() % (sizeof alphabet - 1)];
        try {
            for (RM mode : {RM::Below100, RM::Always}) {
                const Parsed p = Parse(bytes, mode);
                ASSERT_GE(p.count, 0);
                ASSERT_LE(p.count, kCapacity);
            }
        } catch (const EOverflow&) {
            // a long exponent is a number too large for a double: a proper error
        }
    }

    // One line of many pairs runs into the capacity; one endless token ends.
    std::string dense;
    for (int k = 0; k < 2 * kCapacity + 10; ++k) dense += "1 ";
    EXPECT_TRUE(Parse(dense).result.truncated);
    EXPECT_EQ(Parse(std::string(1 << 20, '7')).count, (1 << 20) / 128);
}

}  // namespace
}  // namespace optc::test
