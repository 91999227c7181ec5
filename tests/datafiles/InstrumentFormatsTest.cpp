// One synthetic spectrum written as a text file, as CSV in every separator and decimal
// style, and as JCAMP-DX in every form of its data: each reads as the very same points.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "InstrumentText.h"
#include "datafiles/CsvSpectrum.h"
#include "datafiles/FileRefusal.h"
#include "datafiles/JcampSpectrum.h"
#include "datafiles/ImportReading.h"
#include "support/TempFolder.h"

namespace optc::test {
namespace {

std::string Rows(const std::string& header, char separator, char point, const std::string& eol = "\n",
                 const std::function<std::string(std::size_t)>& more = nullptr) {
    const std::vector<long> y = SyntheticOrdinates();
    std::string text = header;
    for (std::size_t k = 0; k < y.size(); ++k)
        text += std::to_string(SyntheticX(k)) + point + "0" + separator + Decimals(y[k], 4, point) +
                (more ? more(k) : "") + eol;
    return text;
}

struct Case {
    const char* file;
    std::string content;
    const char* units;  // the file label's words; empty: the start window's choices apply
    bool moreColumns = false;
};

std::vector<Case> Cases() {
    const std::vector<long> y = SyntheticOrdinates();
    std::string points;
    for (std::size_t k = 0; k < y.size(); ++k)
        points += std::to_string(SyntheticX(k)) + ", " + Decimals(y[k], 4) + (k % 3 == 2 ? "\n" : "; ");
    const char* pct = "nm, transmittance in %";
    return {
        {"semicolon-comma.csv", Rows("Sample;film 1\nWavelength (nm);T (%)\n", ';', ','), ""},
        {"semicolon-point.csv", Rows("\xEF\xBB\xBFnm;%T\r\n", ';', '.', "\r\n"), ""},
        {"tab-comma.csv", Rows("\"Wavelength, nm\"\t\"T, %\"\r", '\t', ',', "\r"), ""},
        {"tab-point.csv", Rows("", '\t', '.'), ""},
        // Quoted, padded, a third column, an empty line and the instrument's notes below.
        {"comma.csv",
         Rows("Wavelength,T,Reference\n", ',', '.', "\n",
              [](std::size_t k) { return ", \"" + std::to_string(k) + "\""; }) +
             "\nMethod,UV-Vis scan\nOperator,\"A, B\"\n",
         "", true},
        {"points.jdx", Jcamp("XYPOINTS=(XY..XY)", points, "", "TRANSMITTANCE", "1"), pct},
        {"affn.jdx", Jcamp("XYDATA=(X++(Y..Y))", XyDataLines(y, Asdf::Affn)), pct},
        {"sqz.dx", Jcamp("XYDATA=(X++(Y..Y))", XyDataLines(y, Asdf::Sqz, 12)), pct},
        {"dif.JDX", Jcamp("XY DATA=(X++(Y..Y))", XyDataLines(y, Asdf::Dif, 15)), pct},
        {"sqz-dup.jcamp", Jcamp("XYDATA=(X++(Y..Y))", XyDataLines(y, Asdf::SqzDup)), pct},
        {"dif-dup.jdx", Jcamp("XYDATA=(X++(Y..Y))", XyDataLines(y, Asdf::DifDup, 1000)), pct},
        {"dif-dup-short-lines.jdx", Jcamp("XYDATA=(X++(Y..Y))", XyDataLines(y, Asdf::DifDup, 3)), pct},
    };
}

TEST(InstrumentFormats, EveryFormatReadsAsTheSameSpectrum) {
    testing::TempFolder temp("instrument_formats");
    PairTable text;
    ReadSpectrumFile(temp.Write("film.txt", Rows("Wavelength Transmission\n", ' ', '.')), RestartMode::Below100,
                     SpectrumKind::Transmission, text);
    ASSERT_EQ(text.count, 150);
    ASSERT_EQ(text.written, 150);

    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.file);
        PairTable read;
        SpectrumFileInfo info;
        try {
            info = ReadSpectrumFile(temp.Write(c.file, c.content), RestartMode::Below100, SpectrumKind::Transmission,
                                    read);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
            continue;
        }
        EXPECT_EQ(info.fileUnits, c.units);
        EXPECT_EQ(info.moreColumns, c.moreColumns);
        ASSERT_EQ(read.count, 150);
        EXPECT_EQ(read.written, 150);
        EXPECT_FALSE(read.truncated);
        for (std::size_t k = 0; k < 150; ++k) {
            ASSERT_EQ(read.x[k], text.x[k]) << k;
            ASSERT_EQ(read.y[k], text.y[k]) << k;
        }
        // Blocks of any size split nothing: a line end, a number or a byte-order mark
        // across a boundary read alike.
        for (std::size_t block : {1, 2, 3, 61}) {
            MemoryBytes bytes(c.content);
            LineReader lines(bytes, block);
            PairTable small;
            if (c.units[0])
                ReadJcampSpectrum(lines, c.file, SpectrumKind::Transmission, small);
            else
                ReadCsvSpectrum(lines, c.file, small);
            ASSERT_EQ(small.count, 150) << block;
            EXPECT_EQ(small.y[149], text.y[149]) << block;
        }
    }
}

// Beyond 100000 points reading stops, as for text files; a repeat count of a billion
// costs no more than the points that fit.
TEST(InstrumentFormats, ReadingStopsAtTheCapacity) {
    std::string csv = "nm;T\n";
    for (int k = 0; k <= kCapacity; ++k) csv += std::to_string(k + 1) + ";1\n";
    const std::string jcamp =
        "##TITLE=t\n##XUNITS=NM\n##YUNITS=TRANSMITTANCE\n##FIRSTX=1\n##LASTX=1000000000\n##NPOINTS=1000000000\n"
        "##XYDATA=(X++(Y..Y))\n1A0J0S999999999\n##END=\n";
    for (const std::string& file : {csv, jcamp}) {
        MemoryBytes bytes(file);
        LineReader lines(bytes);
        PairTable read;
        if (file == csv)
            ReadCsvSpectrum(lines, "big.csv", read);
        else
            ReadJcampSpectrum(lines, "big.jdx", SpectrumKind::Transmission, read);
        EXPECT_EQ(read.count, kCapacity);
        EXPECT_TRUE(read.truncated);
        EXPECT_EQ(read.x[kCapacity - 1], kCapacity);
    }
}

// The file's own units, not the start window's: wave numbers, fractions, absorbance
// and micrometres all come out in nm and %.
TEST(InstrumentFormats, JcampFilesConvertByTheirOwnUnits) {
    struct Unit {
        const char* xUnits;
        const char* yUnits;
        const char* data;  // ##XYPOINTS
        double x0, y0, x1, y1;
        const char* words;
    };
    const Unit units[] = {
        {"1/CM", "TRANSMITTANCE", "25000, 0.5\n20000, 1.02\n", 400, 50, 500, 102, "1/cm, transmittance as fractions"},
        {"cm-1", "transmittance", "25000, 50\n20000, 1.6\n", 400, 50, 500, 1.6, "1/cm, transmittance in %"},
        {"MICROMETERS", "ABSORBANCE", "0.4, 1\n0.5, 0\n", 400, 10, 500, 100, "\u00B5m, absorbance"},
        {"NM", "REFLECTANCE", "400, 0.25\n500, 0.5\n", 400, 25, 500, 50, "nm, reflectance as fractions"},
    };
    for (const Unit& u : units) {
        SCOPED_TRACE(u.words);
        const std::string file = std::string("##TITLE=u\n##JCAMP-DX=5.01\n##XUNITS=") + u.xUnits +
                                 "\n##YUNITS=" + u.yUnits + "\n##XYPOINTS=(XY..XY)\n" + u.data + "##END=\n";
        MemoryBytes bytes(file);
        LineReader lines(bytes);
        PairTable read;
        const bool reflection = std::string(u.yUnits) == "REFLECTANCE";
        const JcampOutcome outcome =
            ReadJcampSpectrum(lines, "u.jdx", reflection ? SpectrumKind::Reflection : SpectrumKind::Transmission, read);
        EXPECT_EQ(outcome.units, u.words);
        ASSERT_EQ(read.count, 2);
        EXPECT_DOUBLE_EQ(read.x[0], u.x0);
        EXPECT_DOUBLE_EQ(read.y[0], u.y0);
        EXPECT_DOUBLE_EQ(read.x[1], u.x1);
        EXPECT_DOUBLE_EQ(read.y[1], u.y1);
    }
}

// E and e are the SQZ digit 5 and an exponent alike. In a compressed table they are the
// digit even on a line that would read as a plain number (a DIF table's last line,
// X and the check value 55); in a table without compressed forms, an exponent.
TEST(InstrumentFormats, TheLetterEIsADigitInCompressedTablesAndAnExponentElsewhere) {
    const std::string head =
        "##TITLE=e\n##JCAMP-DX=4.24\n##XUNITS=NANOMETERS\n##YUNITS=TRANSMITTANCE\n##FIRSTX=300\n"
        "##LASTX=305\n##NPOINTS=6\n##XYDATA=(X++(Y..Y))\n";
    for (const char* data : {"300E0JJJ\n303E3JJ\n305E5\n", "300 5E1 5.1E1 52\n303 53 5.4e1 +5.5E+1\n"}) {
        SCOPED_TRACE(data);
        const std::string file = head + data + "##END=\n";
        MemoryBytes bytes(file);
        LineReader lines(bytes);
        PairTable read;
        ReadJcampSpectrum(lines, "e.jdx", SpectrumKind::Transmission, read);
        ASSERT_EQ(read.count, 6);
        for (int k = 0; k < 6; ++k) {
            EXPECT_EQ(read.x[static_cast<std::size_t>(k)], 300 + k);
            EXPECT_EQ(read.y[static_cast<std::size_t>(k)], 50 + k);
        }
    }
}

// A line of exactly the longest length is read whole wherever the blocks end; one
// character more is refused wherever they end.
TEST(InstrumentFormats, TheLongestLineReadsWhateverTheBlocks) {
    const std::string comment = "$$" + std::string(LineReader::kMaxLineLength - 2, 'c');
    const std::string data = "##XYPOINTS=(XY..XY)\n400, 50\n401, 51\n##END=\n";
    for (const std::size_t block : {std::size_t{1}, std::size_t{4096}, LineReader::kBlockSize}) {
        for (const bool tooLong : {false, true}) {
            SCOPED_TRACE(std::to_string(block) + (tooLong ? " one more" : " longest"));
            const std::string file = "##TITLE=t\n##XUNITS=NM\n##YUNITS=TRANSMITTANCE\n" + comment +
                                     (tooLong ? "c" : "") + "\n" + data;
            MemoryBytes bytes(file);
            LineReader lines(bytes, block);
            PairTable read;
            if (tooLong) {
                EXPECT_THROW(ReadJcampSpectrum(lines, "t.jdx", SpectrumKind::Transmission, read), FileRefusal);
            } else {
                ReadJcampSpectrum(lines, "t.jdx", SpectrumKind::Transmission, read);
                EXPECT_EQ(read.count, 2);
            }
        }
    }
}

}  // namespace
}  // namespace optc::test
