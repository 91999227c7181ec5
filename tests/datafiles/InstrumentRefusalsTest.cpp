// Every way an instrument file is refused, and the message that names the file and line.
#include <gtest/gtest.h>

#include <string>

#include "datafiles/FileRefusal.h"
#include "datafiles/ImportReading.h"
#include "support/TempFolder.h"

namespace optc::test {
namespace {

// Lines 1 to 7; the data record is line 8.
const std::string kHead =
    "##TITLE=t\n##JCAMP-DX=4.24\n##XUNITS=NANOMETERS\n##YUNITS=TRANSMITTANCE\n##FIRSTX=400\n##LASTX=406\n##NPOINTS=4\n";
// Four points, 400 to 406 nm, read as 10, 20, 30 and 40 %.
const std::string kAffn = kHead + "##XYDATA=(X++(Y..Y))\n400 10 20\n404 30 40\n##END=\n";
const std::string kDif = kHead + "##XYDATA=(X++(Y..Y))\n400A0J0\n402B0J0J0\n##END=\n";

std::string Edited(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

struct Case {
    const char* file;
    std::string content;
    std::string message;
    SpectrumKind kind = SpectrumKind::Transmission;
};

TEST(InstrumentRefusals, EachNamesTheFileAndLine) {
    const std::string longField(70000, '1');
    const Case cases[] = {
        // CSV
        {"a.csv", "nm;T\n400;1\n401;2\n402;3\nabc;4\n", "Line 5 of a.csv: 'abc' is not a number."},
        {"a.csv", "400,5;1\n401,5;x1234567890123456789012345678901234567890123\n",
         "Line 2 of a.csv: 'x123456789012345678901234567890123456789...' is not a number."},
        {"a.csv", "400;1\n401;2\n402;\n", "Line 3 of a.csv: column 2 is empty."},
        {"a.csv", "400,1,0\n401,2,3\n\"402,3\n", "Line 3 of a.csv: a quoted field is not closed."},
        {"a.csv", "400;1\n40\"1;2\n", "Line 2 of a.csv: a quotation mark is out of place."},
        {"a.csv", "400;1\n401;2\n\nNotes;x\n402;3\n", "Line 5 of a.csv: more data after line 4, where the data ended."},
        {"a.csv", "400;1\n401;" + longField + "\n", "Line 2 of a.csv: the line is longer than 65536 characters."},
        {"a.csv", "400;1\n401;1e999\n", "Line 2 of a.csv: a number is too large to be read (Floating point overflow)."},
        // JCAMP-DX: what the file is
        {"a.jdx", "400 80\n401 81\n", "a.jdx is not a JCAMP-DX file: it does not begin with ##TITLE=."},
        {"a.jdx", Edited(kAffn, "4.24", "6.00"),
         "Line 2 of a.jdx: JCAMP-DX version 6.00 is not read; versions 4.24 and 5.01 are."},
        {"a.jdx", "##TITLE=link\n##JCAMP-DX=5.01\n##DATA TYPE=LINK\n##BLOCKS=2\n",
         "Line 3 of a.jdx: the file holds several blocks; only files of one spectrum are read."},
        {"a.jdx", kAffn + "\n" + kAffn,
         "Line 13 of a.jdx: the file holds several blocks; only files of one spectrum are read."},
        {"a.jdx", Edited(kAffn, "##XYDATA=(X++(Y..Y))", "##PEAK TABLE=(XY..XY)"),
         "Line 8 of a.jdx: a peak table is not a spectrum; only ##XYDATA and ##XYPOINTS are read."},
        {"a.jdx", Edited(kAffn, "##XYDATA=(X++(Y..Y))", "##NTUPLES=UV"),
         "Line 8 of a.jdx: ##NTUPLES tables are not read; only ##XYDATA and ##XYPOINTS are."},
        {"a.jdx", Edited(kAffn, "(X++(Y..Y))", "(X++(R..R))"),
         "Line 8 of a.jdx: ##XYDATA=(X++(R..R)) is not read; only (X++(Y..Y)) is."},
        {"a.jdx", Edited(kAffn, "##XYDATA=(X++(Y..Y))", "##XYPOINTS=(XYW..XYW)"),
         "Line 8 of a.jdx: ##XYPOINTS=(XYW..XYW) is not read; only (XY..XY) is."},
        {"a.jdx", Edited(kAffn, "##END=", "##XYPOINTS=(XY..XY)\n400,1\n##END="),
         "Line 11 of a.jdx: a second data table; only files of one spectrum are read."},
        {"a.jdx", "##TITLE=t\n##END=\n", "a.jdx holds no ##XYDATA or ##XYPOINTS table."},
        {"a.jdx", Edited(kAffn, "##END=\n", ""), "a.jdx ends before ##END=: the file is incomplete."},
        // Its header
        {"a.jdx", Edited(kAffn, "##NPOINTS=4\n", ""), "Line 7 of a.jdx: ##XYDATA needs ##NPOINTS before it."},
        {"a.jdx", Edited(kAffn, "=400\n", "=four hundred\n"),
         "Line 5 of a.jdx: ##FIRSTX=four hundred is not a number."},
        {"a.jdx", Edited(kAffn, "404 30", "404 3e999"),
         "Line 10 of a.jdx: a number is too large to be read (Floating point overflow)."},
        {"a.jdx", Edited(kAffn, "=4\n", "=4.5\n"), "Line 7 of a.jdx: ##NPOINTS must be a whole number of 1 or more."},
        {"a.jdx", Edited(kAffn, "##NPOINTS", "##YFACTOR=0\n##NPOINTS"), "Line 7 of a.jdx: ##YFACTOR must not be 0."},
        {"a.jdx", Edited(kAffn, "##NPOINTS", "##DELTAX=2.5\n##NPOINTS"),
         "Line 7 of a.jdx: ##DELTAX=2.5 does not agree with ##FIRSTX, ##LASTX and ##NPOINTS, which give a step of 2."},
        {"a.jdx", Edited(kAffn, "NANOMETERS", "HZ"),
         "Line 3 of a.jdx: the X units 'HZ' are not read; NANOMETERS, MICROMETERS and 1/CM are."},
        {"a.jdx", Edited(kAffn, "TRANSMITTANCE", "KUBELKA-MUNK"),
         "Line 4 of a.jdx: the Y units 'KUBELKA-MUNK' are not read; TRANSMITTANCE, REFLECTANCE and ABSORBANCE are."},
        {"a.jdx", Edited(kAffn, "TRANSMITTANCE", "REFLECTANCE"),
         "Line 4 of a.jdx: the file holds REFLECTANCE; this import reads TRANSMITTANCE or ABSORBANCE."},
        {"a.jdx", Edited(kAffn, "TRANSMITTANCE", "Absorbance"),
         "Line 4 of a.jdx: the file holds ABSORBANCE; this import reads REFLECTANCE.", SpectrumKind::Reflection},
        {"a.jdx", Edited(kAffn, "##XUNITS=NANOMETERS\n", ""),
         "a.jdx has no ##XUNITS: the units of its data are unknown."},
        {"a.jdx", Edited(kAffn, "##YUNITS=TRANSMITTANCE\n", ""),
         "a.jdx has no ##YUNITS: the units of its data are unknown."},
        // Its data against the header
        {"a.jdx", Edited(Edited(kAffn, "=4\n", "=5\n"), "=406", "=408"),
         "Line 7 of a.jdx: ##NPOINTS=5, but the data hold 4 points."},
        {"a.jdx", Edited(Edited(kAffn, "=4\n", "=3\n"), "=406", "=404"),
         "Line 10 of a.jdx: the data hold more points than ##NPOINTS=3."},
        {"a.jdx", Edited(kAffn, "400 10 20\n404", "400 10 20 25\n404"),
         "Line 10 of a.jdx: the line begins at X = 404, but its first point lies at 406 by ##FIRSTX, ##LASTX and "
         "##NPOINTS."},
        {"a.jdx", Edited(kDif, "402B0", "402B1"),
         "Line 10 of a.jdx: the check value 21 differs from the last value 20 of the line before."},
        {"a.jdx", Edited(kDif, "402B0J0J0", "402J0J0"),
         "Line 10 of a.jdx: the line does not begin with the check value of the line before."},
        {"a.jdx", Edited(kDif, "400A0J0", "400J0J0"), "Line 9 of a.jdx: a difference (DIF) has no value before it."},
        {"a.jdx", Edited(kDif, "400A0J0", "400S5"), "Line 9 of a.jdx: a repeat count (DUP) has no value before it."},
        {"a.jdx", Edited(kAffn, "400 10 20", "400 10 ?"), "Line 9 of a.jdx: a missing value ('?') cannot be used."},
        {"a.jdx", Edited(kAffn, "400 10 20", "400 10 *"), "Line 9 of a.jdx: '*' is not a value of the JCAMP-DX forms."},
        {"a.jdx", Edited(kAffn, "400 10 20", "A5 10 20"), "Line 9 of a.jdx: the line does not begin with an X value."},
        {"a.jdx", Edited(kAffn, "404 30 40", "404 30 40\n406"),
         "Line 11 of a.jdx: the line holds an X value without Y values."},
        {"a.jdx", Edited(kAffn, "400 10 20", "400 10 2" + longField),
         "Line 9 of a.jdx: the line is longer than 65536 characters."},
        {"a.jdx", kHead + "##XYPOINTS=(XY..XY)\n400,1;402,2\n404,3;406\n##END=\n",
         "Line 10 of a.jdx: the last X has no Y value."},
        {"a.jdx", kHead + "##XYPOINTS=(XY..XY)\n400,1;402,A\n", "Line 9 of a.jdx: 'A' is not a number."},
        {"a.jdx", kHead + "##XYPOINTS=(XY..XY)\n401,1;402,2\n404,3;406,4\n##END=\n",
         "Line 5 of a.jdx: ##FIRSTX=400 does not agree with the data, where X = 401."},
    };
    testing::TempFolder temp("instrument_refusals");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        PairTable table;
        try {
            ReadSpectrumFile(temp.Write(c.file, c.content), RestartMode::Below100, c.kind, table);
            ADD_FAILURE() << "read " << table.count << " points";
        } catch (const FileRefusal& refusal) {
            EXPECT_EQ(refusal.what(), c.message);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
    }
    // The two sound files above do read.
    for (const std::string& sound : {kAffn, kDif}) {
        PairTable table;
        ReadSpectrumFile(temp.Write("sound.jdx", sound), RestartMode::Below100, SpectrumKind::Transmission, table);
        ASSERT_EQ(table.count, 4);
        EXPECT_EQ(table.x[3], 406);
        EXPECT_EQ(table.y[3], 40);
    }
}

}  // namespace
}  // namespace optc::test
