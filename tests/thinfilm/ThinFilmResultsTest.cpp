// The four results files of the Thin Films window, byte for byte, for a small
// workspace whose texts were worked out by hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "numerics/Errors.h"
#include "numerics/FloatText.h"
#include "support/DiskFull.h"
#include "support/TempFolder.h"
#include "thinfilm/ThinFilmData.h"
#include "thinfilm/ThinFilmFixture.h"
#include "thinfilm/envelope/ThinFilmResults.h"

namespace optc {
namespace {

const std::string kRefHeader = "Lambda     Refraction     LambdaExp     RefractionExp\r\n";
const std::string kAbsHeader = "Energy                        Absorption\r\n";
const std::string kTaucHeader = "Energy                         Tauc                            Fit\r\n";
const std::string kFreeHeader = "Lambda                         Fringes-free transmission\r\n";

class ResultsFilesTest : public ::testing::Test {
protected:
    ResultsFilesTest() : data(ThinFilmData::Create()) { SetDecimalSeparator('.'); }
    ~ResultsFilesTest() override { SetDecimalSeparator('.'); }

    // Three grid points of n(lambda), two extrema, three spectrum points; values chosen
    // to cover whole numbers, 15-digit rounding, both scientific ranges and negatives.
    void FillSmallCase() {
        ThinFilmData& d = *data;
        d.DispCount = 4;
        d.DispLambda[1] = 500;
        d.DispLambda[2] = 501;
        d.DispLambda[3] = 502;
        d.DispLambda[4] = 503;  // beyond the grid: never written
        d.DispRefraction[1] = 2.5;
        d.DispRefraction[2] = 2.4375;
        d.DispRefraction[3] = 12345.678901234567;
        d.ExtCount = 2;
        d.LambdaExp[1] = 812.5;
        d.LambdaExp[2] = 640;
        d.LambdaExp[3] = 99;  // beyond ExtCount
        d.RefractionExp[1] = 2.0625;
        d.RefractionExp[2] = -0.00005;

        d.SpecCount = 3;
        d.AbsEnergy[1] = 1.5;
        d.AbsEnergy[2] = 2;
        d.AbsEnergy[3] = 2.5;
        d.Absorption[1] = 0;
        d.Absorption[2] = 15000.25;
        d.Absorption[3] = 1e16;
        d.TaucEnergy[1] = 1.5;
        d.TaucEnergy[2] = 2;
        d.TaucEnergy[3] = 2.5;
        d.Tauc[1] = 0;
        d.Tauc[2] = 100.25;
        d.Tauc[3] = 3e-5;
        d.TaucLine[0] = -2;
        d.TaucLine[1] = 1.25;
        d.FreeLambda[1] = 900;
        d.FreeLambda[2] = 800.5;
        d.FreeLambda[3] = 700;
        d.FreeTrans[1] = 85.125;
        d.FreeTrans[2] = 80;
        d.FreeTrans[3] = 0.0001;
    }

    std::string Read(const std::string& suffix) const { return testing::ReadFile(base + suffix); }
    bool Exists(const std::string& suffix) const { return std::filesystem::exists(base + suffix); }

    std::unique_ptr<ThinFilmData> data;
    testing::TempFolder temp{"thinfilm_results"};
    std::filesystem::path dir = temp.Path();
    std::string base = (dir / "film7").string();
};

TEST_F(ResultsFilesTest, FourFilesWithPointAsSeparator) {
    FillSmallCase();
    SaveThinFilmResults(*data, base, true);

    EXPECT_EQ(Read("Ref.txt"), kRefHeader +
                                   "500  2.5  812.5  2.0625\r\n"
                                   "501  2.4375  640  -5E-5\r\n"
                                   "502  12345.6789012346\r\n");
    EXPECT_EQ(Read("Abs.txt"), kAbsHeader +
                                   "1.5  0\r\n"
                                   "2  15000.25\r\n"
                                   "2.5  1E16\r\n");
    EXPECT_EQ(Read("tauc.txt"), kTaucHeader +
                                    "1.5  0  -1.25000000000000E-0001\r\n"
                                    "2  100.25   5.00000000000000E-0001\r\n"
                                    "2.5  3E-5   1.12500000000000E+0000\r\n");
    EXPECT_EQ(Read("FreeTrans.txt"), kFreeHeader +
                                         "900  85.125\r\n"
                                         "800.5  80\r\n"
                                         "700  0.0001\r\n");
}

TEST_F(ResultsFilesTest, FourFilesWithCommaAsSeparatorKeepTheFitColumnWithPoint) {
    FillSmallCase();
    SetDecimalSeparator(',');
    SaveThinFilmResults(*data, base, true);

    EXPECT_EQ(Read("Ref.txt"), kRefHeader +
                                   "500  2,5  812,5  2,0625\r\n"
                                   "501  2,4375  640  -5E-5\r\n"
                                   "502  12345,6789012346\r\n");
    EXPECT_EQ(Read("Abs.txt"), kAbsHeader +
                                   "1,5  0\r\n"
                                   "2  15000,25\r\n"
                                   "2,5  1E16\r\n");
    EXPECT_EQ(Read("tauc.txt"), kTaucHeader +
                                    "1,5  0  -1.25000000000000E-0001\r\n"
                                    "2  100,25   5.00000000000000E-0001\r\n"
                                    "2,5  3E-5   1.12500000000000E+0000\r\n");
    EXPECT_EQ(Read("FreeTrans.txt"), kFreeHeader +
                                         "900  85,125\r\n"
                                         "800,5  80\r\n"
                                         "700  0,0001\r\n");
}

TEST_F(ResultsFilesTest, UncheckedFringesFreeBoxLeavesOnlyTheHeader) {
    FillSmallCase();
    SaveThinFilmResults(*data, base, false);
    EXPECT_EQ(Read("FreeTrans.txt"), kFreeHeader);
    EXPECT_EQ(Read("Abs.txt"), kAbsHeader + "1.5  0\r\n2  15000.25\r\n2.5  1E16\r\n");
}

TEST_F(ResultsFilesTest, RefractionRowsFollowTheGridNotTheExtrema) {
    FillSmallCase();
    ThinFilmData& d = *data;

    // A grid shorter than the extrema: extrema beyond the last grid row are dropped.
    d.DispCount = 2;
    WriteRefractionFile(d, base + "Ref.txt");
    EXPECT_EQ(Read("Ref.txt"), kRefHeader + "500  2.5  812.5  2.0625\r\n");

    // No grid at all (before a calculation, or an empty grid): the header alone.
    for (int count : {0, 1}) {
        d.DispCount = count;
        WriteRefractionFile(d, base + "Ref.txt");
        EXPECT_EQ(Read("Ref.txt"), kRefHeader) << "DispCount " << count;
    }

    // No extrema: every row has two values.
    d.DispCount = 3;
    d.ExtCount = 0;
    WriteRefractionFile(d, base + "Ref.txt");
    EXPECT_EQ(Read("Ref.txt"), kRefHeader + "500  2.5\r\n501  2.4375\r\n");
}

TEST_F(ResultsFilesTest, BeforeAnyCalculationRowsOfZerosAndNoGapLine) {
    // A spectrum was imported, nothing calculated: every result array is zero.
    data->SpecCount = 2;
    data->SpecLambda[1] = 600;
    data->SpecLambda[2] = 601;
    SaveThinFilmResults(*data, base, true);
    EXPECT_EQ(Read("Ref.txt"), kRefHeader);
    EXPECT_EQ(Read("Abs.txt"), kAbsHeader + "0  0\r\n0  0\r\n");
    EXPECT_EQ(Read("tauc.txt"), kTaucHeader + "0  0   0.00000000000000E+0000\r\n0  0   0.00000000000000E+0000\r\n");
    EXPECT_EQ(Read("FreeTrans.txt"), kFreeHeader + "0  0\r\n0  0\r\n");
}

TEST_F(ResultsFilesTest, EmptyWorkspaceGivesFourHeaders) {
    SaveThinFilmResults(*data, base, true);
    EXPECT_EQ(Read("Ref.txt"), kRefHeader);
    EXPECT_EQ(Read("Abs.txt"), kAbsHeader);
    EXPECT_EQ(Read("tauc.txt"), kTaucHeader);
    EXPECT_EQ(Read("FreeTrans.txt"), kFreeHeader);
}

TEST_F(ResultsFilesTest, ExistingFilesAreReplacedNotAppended) {
    FillSmallCase();
    SaveThinFilmResults(*data, base, true);
    data->SpecCount = 1;
    SaveThinFilmResults(*data, base, true);
    EXPECT_EQ(Read("Abs.txt"), kAbsHeader + "1.5  0\r\n");
}

TEST_F(ResultsFilesTest, AFailingFileStopsTheSaveBeforeAnyFileMovesIntoPlace) {
    FillSmallCase();
    // A folder in the way of the absorption file: it cannot be replaced.
    std::filesystem::create_directories(base + "Abs.txt");
    try {
        SaveThinFilmResults(*data, base, true);
        FAIL() << "the save reported success";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "File access denied");
    }
    EXPECT_FALSE(Exists("Ref.txt"));
    EXPECT_FALSE(Exists("tauc.txt"));
    EXPECT_FALSE(Exists("FreeTrans.txt"));
    // Nothing but the folder: no temporary is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);
}

TEST_F(ResultsFilesTest, MissingFolderIsReportedBeforeAnythingIsWritten) {
    FillSmallCase();
    const std::string missing = (dir / "no-such-folder" / "film").string();
    EXPECT_THROW(SaveThinFilmResults(*data, missing, true), EInOutError);
    EXPECT_FALSE(std::filesystem::exists(dir / "no-such-folder"));
}

TEST_F(ResultsFilesTest, GapLineThatOverflowsIsAnErrorNotAnInfinity) {
    data->SpecCount = 1;
    data->TaucEnergy[1] = 1e300;
    data->TaucLine[1] = 1e10;
    try {
        WriteThinFilmTaucFile(*data, base + "tauc.txt");
        FAIL() << "an infinite Fit value was written";
    } catch (const EOverflow& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
}

}  // namespace
}  // namespace optc

namespace optc::testing {
namespace {

// Save Results through the window: the dialog, the check box and the error box.
class SaveResultsTest : public ThinFilmWindowTest {
protected:
    std::string Base() const { return (dir / "res").string(); }
    std::string Read(const std::string& suffix) const { return ReadFile(Base() + suffix); }
    void Save(std::optional<std::string> answer) {
        platform.saveAnswers.push_back(std::move(answer));
        User([&] { form.Button1.Click(); });
    }
};

TEST_F(SaveResultsTest, FourFilesNamedAfterTheChosenNameWithTheBoxReadAtSaving) {
    d.DispCount = 4;
    d.ExtCount = 2;
    for (int k = 1; k <= 3; ++k) d.DispLambda[k] = 400 + k;
    d.SpecCount = 1;
    d.FreeLambda[1] = 700;
    d.FreeTrans[1] = 50;
    User([&] { form.FrFTr.Click(); });  // unchecked now
    Save(Base());
    EXPECT_EQ(platform.dialogFilters.back(), "*.txt");
    EXPECT_TRUE(platform.errors.empty());
    // Rows 1 and 2 with four values, row 3 with two.
    EXPECT_EQ(Read("Ref.txt"), kRefHeader + "401  0  0  0\r\n402  0  0  0\r\n403  0\r\n");
    EXPECT_EQ(Read("FreeTrans.txt"), kFreeHeader);

    User([&] { form.FrFTr.Click(); });
    Save(Base());
    EXPECT_EQ(Read("FreeTrans.txt"), kFreeHeader + "700  50\r\n");
}

TEST_F(SaveResultsTest, NameEndingInTxtKeepsItsExtensionInsideTheNames) {
    Save(Base() + ".txt");
    EXPECT_TRUE(std::filesystem::exists(Base() + ".txtRef.txt"));
    EXPECT_TRUE(std::filesystem::exists(Base() + ".txtFreeTrans.txt"));
}

TEST_F(SaveResultsTest, CancelledDialogWritesNothing) {
    Save(std::nullopt);
    EXPECT_TRUE(std::filesystem::is_empty(dir));
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(SaveResultsTest, UnwritableFileIsReportedInTheErrorBoxAndChangesNothingInTheWindow) {
    d.SpecCount = 2;
    std::filesystem::create_directories(Base() + "tauc.txt");
    Save(Base());
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(LastError(), "File access denied");
    for (const char* suffix : {"Ref.txt", "Abs.txt", "FreeTrans.txt"})
        EXPECT_FALSE(std::filesystem::exists(Base() + suffix)) << suffix;
    EXPECT_TRUE(form.FrFTr.Checked());
    EXPECT_EQ(d.SpecCount, 2);
    EXPECT_TRUE(platform.rememberedFiles.empty());
}

// Every file or none: a disk that runs full in the middle of the second file leaves
// the results of the earlier save byte for byte, and no partial file beside them.
TEST_F(SaveResultsTest, ADiskFullAtTheSecondFileLeavesTheEarlierResultsIntact) {
    d.DispCount = 3;
    d.DispLambda[1] = 500;
    d.SpecCount = 2;
    d.AbsEnergy[1] = 1.5;
    d.Absorption[1] = 2000;
    Save(Base());
    ASSERT_TRUE(platform.errors.empty()) << LastError();
    ASSERT_EQ(platform.rememberedFiles, std::vector<std::string>{Base()});
    std::map<std::string, std::string> before;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        before[entry.path().string()] = ReadFile(entry.path().string());
    ASSERT_EQ(before.size(), 4u);

    // A later calculation, saved under the same name and under a new one.
    for (int k = 1; k <= 2; ++k) d.Absorption[k] = 3000 + k;
    for (const std::string& base : {Base(), (dir / "next").string()}) {
        DiskFullAtFile full(2);
        Save(base);
        EXPECT_EQ(LastError(), "Disk full");
    }
    std::map<std::string, std::string> after;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        after[entry.path().string()] = ReadFile(entry.path().string());
    EXPECT_EQ(after, before);
    EXPECT_EQ(platform.errors.size(), 2u);
    EXPECT_EQ(platform.rememberedFiles.size(), 1u);
}

}  // namespace
}  // namespace optc::testing
