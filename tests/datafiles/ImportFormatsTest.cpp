// The table of spectrum formats: the ending chooses the reader, the open dialogs' filter
// and the guide's list are made from it, and every reader reads the same bytes alike
// from a file and from memory.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "datafiles/ImportReading.h"
#include "datafiles/ImportFormats.h"
#include "support/TempFolder.h"

namespace optc::test {
namespace {

TEST(SpectrumFormats, TheEndingChoosesTheReader) {
    const struct {
        const char* path;
        const char* format;
    } cases[] = {
        {"/data/film.txt", "Text"},   {"film.TXT", "Text"},       {"film", "Text"},
        {"film.dat", "Text"},         {"film.csv.bak", "Text"},   {"/data.csv/film", "Text"},
        {"film.csv", "CSV"},          {"FILM.Csv", "CSV"},        {"film.jdx", "JCAMP-DX"},
        {"film.DX", "JCAMP-DX"},      {"film.jcamp", "JCAMP-DX"}, {".csv", "Text"},
    };
    for (const auto& c : cases) EXPECT_EQ(SpectrumFormatOf(c.path).name, c.format) << c.path;
}

TEST(SpectrumFormats, TheDialogFilterIsMadeFromTheTable) {
    EXPECT_EQ(SpectrumFilter(),
              "Spectra (*.txt *.csv *.jdx *.dx *.jcamp);;Text files (*.txt);;CSV files (*.csv);;"
              "JCAMP-DX files (*.jdx *.dx *.jcamp);;All files (*)");
    EXPECT_EQ(kSpectrumFilter, SpectrumFilter());
}

// The guide's list of formats names every format with every ending the table gives it,
// and quotes the dialog's first filter as it is.
TEST(SpectrumFormats, TheGuideListsEveryFormat) {
    std::ifstream in(std::string(OPTC_TEST_SOURCE_DIR) + "/README.md");
    std::stringstream guide;
    guide << in.rdbuf();
    const std::string text = guide.str();
    const auto begin = text.find("## Preparing spectrum files");
    ASSERT_NE(begin, std::string::npos);
    const std::string section = text.substr(begin, text.find("### Text files", begin) - begin);
    for (const SpectrumFormat& format : SpectrumFormats()) {
        const auto item = section.find("- **" + std::string(format.name) + " files**");
        ASSERT_NE(item, std::string::npos) << format.name;
        const std::string line = section.substr(item, section.find(':', item) - item);
        for (const std::string_view ending : format.endings)
            EXPECT_NE(line.find("`" + std::string(ending) + "`"), std::string::npos) << format.name << ending;
    }
    const std::string filter = SpectrumFilter();
    EXPECT_NE(section.find("(\"" + filter.substr(0, filter.find(";;")) + "\")"), std::string::npos);
}

TEST(SpectrumFormats, EveryReaderReadsAFileAsItsBytes) {
    testing::TempFolder temp("spectrum_formats");
    const struct {
        const char* file;
        std::string bytes;
    } cases[] = {
        {"a.txt", "nm T\n400 80\n401 81\n402 82\n"},
        {"a.csv", "nm;T\n400;80\n401;81\n402;82\n"},
        {"a.jdx", "##TITLE=a\n##JCAMP-DX=4.24\n##XUNITS=NANOMETERS\n##YUNITS=TRANSMITTANCE\n"
                  "##XYPOINTS=(XY..XY)\n400,80\n401,81\n402,82\n##END=\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        PairTable fromFile, fromMemory;
        const SpectrumFileInfo a =
            ReadSpectrumFile(temp.Write(c.file, c.bytes), RestartMode::Below100, SpectrumKind::Transmission, fromFile);
        MemoryBytes bytes(c.bytes);
        const SpectrumFileInfo b = SpectrumFormatOf(c.file).read(
            bytes, SpectrumRequest{c.file, RestartMode::Below100, SpectrumKind::Transmission}, fromMemory);
        EXPECT_EQ(a.fileUnits, b.fileUnits);
        ASSERT_EQ(fromFile.count, 3);
        ASSERT_EQ(fromMemory.count, 3);
        EXPECT_TRUE(fromFile.anyNumberPair);
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(fromFile.x[k], 400.0 + static_cast<double>(k));
            EXPECT_EQ(fromFile.y[k], fromMemory.y[k]);
        }
    }
}

}  // namespace
}  // namespace optc::test
