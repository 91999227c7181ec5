// Files that the readers would misread without a word: refused by line, or read with a
// note. Thousands separators, mixed decimal marks, broken first rows, the DOS
// end-of-file byte, UTF-16 text, X of JCAMP-DX lines off by more than half a step,
// values outside what a measurement can give; and the quoting of what a file held.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "datafiles/FileRefusal.h"
#include "datafiles/ImportReading.h"
#include "datafiles/MeasuredRange.h"
#include "datafiles/QuotedText.h"
#include "support/TempFolder.h"
#include "ui/ChooseSpectrum.h"
#include "ui/ScriptedPlatform.h"

namespace optc::test {
namespace {

std::string Utf16(const std::string& ascii, bool bigEndian, bool mark) {
    std::string out = mark ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
    for (char c : ascii) out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

// Ten points from 400 to 409 nm in two lines of five; `second` is the X of line 2.
std::string JcampTable(const std::string& xFactor, const std::string& first, const std::string& second) {
    return "##TITLE=t\n##JCAMP-DX=4.24\n##XUNITS=NANOMETERS\n##YUNITS=TRANSMITTANCE\n##XFACTOR=" + xFactor +
           "\n##YFACTOR=1\n##FIRSTX=400\n##LASTX=409\n##NPOINTS=10\n##XYDATA=(X++(Y..Y))\n" + first +
           " 80 81 82 83 84\n" + second + " 85 86 87 88 89\n##END=\n";
}

std::string Edited(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

struct Case {
    const char* what;
    const char* file;
    std::string content;
    std::string message;  // the refusal or the note shown; empty: read without a word
    int points = 0;       // when read
    UnitChoices units{};
};

TEST(MisreadingRefused, EachIsRefusedByLineOrToldInANote) {
    const std::string dosEnd(1, '\x1A');
    const Case cases[] = {
        {"a thousands separator among plain rows", "t.csv", "nm,T\n999.0,70.1\n1,048.0,69.5\n",
         "Line 3 of t.csv: the row has 3 fields where the rows above have 2; is a comma a thousands separator here?"},
        {"thousands separators in every row", "t.csv", "nm,T\n1,048.0,69.5\n1,047.0,69.4\n",
         "Line 2 of t.csv: '1,048.0' is not read: a thousands separator is not a decimal mark."},
        {"a thousands point above decimal commas", "t.csv", "nm;T\n1.100,0;85,3\n999,5;85,1\n",
         "Line 2 of t.csv: '1.100,0' is not a number: a thousands separator is not read."},
        {"a decimal point among decimal commas", "t.csv", "nm;T\n999,5;85,1\n1.100;85,3\n",
         "Line 3 of t.csv: '1.100' has a decimal point where the rows above have a decimal comma."},
        {"an unclosed quote in the first row", "t.csv", "nm,T\n\"400,80\n401,81\n",
         "Line 2 of t.csv: a quoted field is not closed."},
        {"NaN in the first row", "t.csv", "nm;T\n400;NaN\n401;81\n", "Line 2 of t.csv: 'NaN' is not a number."},
        {"an infinity first", "t.csv", "nm;T\n-Inf;80\n401;81\n", "Line 2 of t.csv: '-Inf' is not a number."},
        {"the DOS end byte inside a row", "t.csv", "nm;T\n400;80\n401" + dosEnd + ";81\n402;82\n",
         "Line 3 of t.csv: the byte 26 (the end of a DOS text) stands inside the line; it ends nothing in a CSV "
         "file."},
        {"the DOS end byte as the last line", "t.csv", "nm;T\n400;80\n401;81\n" + dosEnd, "", 2},
        {"the DOS end byte still ends a text file", "t.txt", "400 80\n401 81\n" + dosEnd + "402 82\n", "", 2},
        {"a header of digits with dots stays a header", "t.csv", "15.01.2023;12.30\n400;80\n401;81\n", "", 2},
        {"UTF-16 text with its mark", "t.txt", Utf16("400 80\n401 81\n", false, true),
         "t.txt is UTF-16 text; save it as UTF-8 or ASCII."},
        {"UTF-16 CSV without a mark", "t.csv", Utf16("400;80\n401;81\n", true, false),
         "t.csv is UTF-16 text; save it as UTF-8 or ASCII."},
        {"UTF-16 JCAMP-DX", "t.jdx", Utf16(JcampTable("1", "400", "405"), false, false),
         "t.jdx is UTF-16 text; save it as UTF-8 or ASCII."},
        {"a line's X within half a step", "t.jdx", JcampTable("1", "400", "405.4"), "", 10},
        {"a line's X more than half a step off", "t.jdx", JcampTable("1", "400", "405.6"),
         "Line 12 of t.jdx: the line begins at X = 405.6, but its first point lies at 405 by ##FIRSTX, ##LASTX and "
         "##NPOINTS."},
        {"a coarse XFACTOR no longer hides a line 95 nm off", "t.jdx", JcampTable("100", "4", "5"),
         "Line 12 of t.jdx: the line begins at X = 500, but its first point lies at 405 by ##FIRSTX, ##LASTX and "
         "##NPOINTS."},
        {"noise a little above 100 %", "t.txt", "nm T\n400 80\n401 100.2\n402 -0.1\n",
         "2 transmission values of t.txt lie outside 0 to 100 % (the first on line 3: 100.2 %); noise near 0 % and "
         "100 % is real, but check the file.",
         3},
        {"one value above 100 % after the conversion from fractions", "t.csv", "nm;T\n400;0,8\n\n401;1,003\n",
         "1 transmission value of t.csv lies outside 0 to 100 % (on line 4: 100.3 %); noise near 0 % and 100 % is "
         "real, but check the file.",
         2, UnitChoices{false, true}},
        {"far above 100 %", "t.txt", "400 80\n401 81\n402 180\n",
         "Line 3 of t.txt: the transmission 180 % lies far outside 0 to 100 %; check the file and its units."},
        {"far below 0 % in JCAMP-DX", "t.jdx", Edited(JcampTable("1", "400", "405"), " 89\n", " -20\n"),
         "Line 12 of t.jdx: the transmission -20 % lies far outside 0 to 100 %; check the file and its units."},
    };
    testing::TempFolder temp("misreading");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedPlatform platform;
        platform.openAnswers.push_back(temp.Write(c.file, c.content));
        const auto chosen = ChooseSpectrum(platform, RestartMode::Below100, SpectrumKind::Transmission, c.units);
        std::vector<std::string> shown = platform.messages;
        if (chosen && chosen->info.rangeNote) shown.push_back(*chosen->info.rangeNote);
        EXPECT_EQ(shown, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
        EXPECT_TRUE(platform.errors.empty()) << platform.errors.front();
        EXPECT_EQ(chosen ? chosen->pairs.count : 0, c.points);
        if (chosen && chosen->info.rangeNote) {
            EXPECT_TRUE(IsRangeNote(*chosen->info.rangeNote));
        }
    }
}

TEST(MisreadingRefused, QuotedTextIsShortValidAndWhole) {
    const struct {
        std::string text;
        std::string quoted;
    } cases[] = {
        {"abc", "'abc'"},
        {std::string(40, 'x'), "'" + std::string(40, 'x') + "'"},
        {std::string(41, 'x'), "'" + std::string(40, 'x') + "...'"},
        {std::string("T\0%", 3), "'T\\x00%'"},
        {"\xFF\xFEz", "'\\xFF\\xFEz'"},
        {"\xC3\xA9t\xC3\xA9", "'\xC3\xA9t\xC3\xA9'"},            // UTF-8 kept, counted as characters
        {std::string(39, 'x') + "\xE2\x82\xAC" + "y", "'" + std::string(39, 'x') + "\xE2\x82\xAC...'"},
        {"\xED\xA0\x80", "'\\xED\\xA0\\x80'"},                    // a surrogate is not UTF-8
        {"\xE2\x82", "'\\xE2\\x82'"},                            // cut short
    };
    for (const auto& c : cases) EXPECT_EQ(QuotedText(c.text), c.quoted) << c.quoted;

    // A unit name of 65000 bytes that are not UTF-8, with a NUL among them: the message
    // quotes 40 characters and holds neither a NUL nor a byte that is not UTF-8.
    std::string units(65000, '\xFF');
    units[3] = '\0';
    testing::TempFolder temp("quoting");
    PairTable table;
    try {
        ReadSpectrumFile(temp.Write("u.jdx", "##TITLE=t\n##JCAMP-DX=4.24\n##YUNITS=" + units + "\n"),
                         RestartMode::Below100, SpectrumKind::Transmission, table);
        ADD_FAILURE() << "read";
    } catch (const FileRefusal& refusal) {
        const std::string message = refusal.what();
        EXPECT_EQ(message, "Line 3 of u.jdx: the Y units '\\xFF\\xFF\\xFF\\x00" +
                               [] {
                                   std::string s;
                                   for (int k = 0; k < 36; ++k) s += "\\xFF";
                                   return s;
                               }() +
                               "...' are not read; TRANSMITTANCE, REFLECTANCE and ABSORBANCE are.");
    }
}

}  // namespace
}  // namespace optc::test
