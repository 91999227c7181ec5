// The transmission, reflection and absorption graphs, and the two results files
// byte for byte.
#include "BulkFixture.h"
#include "support/DiskFull.h"

namespace optc::testing {
namespace {

class Graphs : public BulkWindowTest {
protected:
    void ResampledCalculation() {
        ImportT(WriteFile("t.txt", Pairs({{800, 10}, {700, 40}, {600, 20}, {500, 60}, {400, 50}})));
        ImportR(WriteFile("r.txt", Pairs({{750, 30}, {650, 10}, {550, 25}, {450, 5}})));
        Calculate();
        ASSERT_TRUE(platform.log.empty());
        ASSERT_EQ(data->AbsCount, 4);
    }
    void ExpectTitles(const std::string& bottom, const std::string& left) {
        EXPECT_EQ(form.Chart1.BottomAxis().title, bottom);
        EXPECT_EQ(form.Chart1.LeftAxis().title, left);
    }
};

TEST_F(Graphs, TransmissionShowsTheResampledCurveOnlyAfterACommonGrid) {
    ResampledCalculation();
    form.Chart1.LeftAxis().logarithmic = true;
    form.Chart1.ZoomTo(1, 2, 3, 4);
    data->GraphMode = 1;
    User([&] { form.RadioButton4.Click(); });
    EXPECT_EQ(data->GraphMode, 0);
    ExpectTitles("WaveLengths, nm", "T , %");
    EXPECT_FALSE(form.Chart1.LeftAxis().logarithmic);
    EXPECT_TRUE(form.Chart1.LeftAxis().Automatic());
    EXPECT_TRUE(form.Chart1.BottomAxis().Automatic());
    ASSERT_EQ(form.Series1.Count(), 5);
    EXPECT_EQ(form.Series1.Points()[0].x, 400);  // kept in ascending X
    EXPECT_EQ(form.Series1.Points()[0].colour, clRed);
    ASSERT_EQ(form.Series2.Count(), 4);
    EXPECT_EQ(form.Series2.Points()[3].x, 750);
    EXPECT_EQ(form.Series2.Points()[3].y, data->GridTrans[1]);
    EXPECT_EQ(form.Series2.Points()[3].colour, clBlue);

    // With a constant reflection there is no common grid, so only the measured spectrum.
    User([&] { form.InpR.Click(); });
    Calculate();
    User([&] { form.RadioButton4.Click(); });
    EXPECT_EQ(form.Series1.Count(), 5);
    EXPECT_EQ(form.Series2.Count(), 0);
}

TEST_F(Graphs, ReflectionFollowsTheBoxesAtTheTimeOfTheClick) {
    ResampledCalculation();
    User([&] { form.RadioButton1.Click(); });
    ExpectTitles("WaveLengths, nm", "R , %");
    EXPECT_EQ(form.Series1.Count(), 4);
    EXPECT_EQ(form.Series1.Points()[0].colour, clBlue);
    ASSERT_EQ(form.Series3.Count(), 4);
    EXPECT_EQ(form.Series3.Points()[0].x, 525);
    EXPECT_EQ(form.Series3.Points()[0].y, data->GridRefl[4]);
    EXPECT_EQ(form.Series3.Points()[0].colour, clRed);

    // InpR checked: a flat row at the value typed now, over the transmission wavelengths.
    User([&] { form.InpR.Click(); });
    User([&] { form.Refl.SetText("25"); });
    User([&] { form.RadioButton2.Click(); });
    User([&] { form.RadioButton1.Click(); });
    ASSERT_EQ(form.Series1.Count(), 5);
    EXPECT_EQ(form.Series1.Points()[2].y, 25);
    EXPECT_EQ(form.Series3.Count(), 0);

    // A non-number ends the graph after the chart was cleared and retitled.
    User([&] { form.Refl.SetText("x"); });
    User([&] { form.RadioButton2.Click(); });
    User([&] { form.RadioButton1.Click(); });
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"'x' is not a valid floating point value"}));
    EXPECT_EQ(form.Series1.Count(), 0);
    EXPECT_EQ(form.Series2.Count(), 0);
    ExpectTitles("WaveLengths, nm", "R , %");

    // InpN checked (two clicks from InpR checked): nothing.
    User([&] { form.InpN.Click(); });
    User([&] { form.InpN.Click(); });
    ASSERT_TRUE(form.InpN.Checked());
    User([&] { form.RadioButton2.Click(); });
    User([&] { form.RadioButton1.Click(); });
    for (int s = 0; s < 3; ++s) EXPECT_EQ(form.Chart1.Series(s).Count(), 0);
}

TEST_F(Graphs, AbsorptionDrawsAbsCountPointsEvenAfterAnImport) {
    ResampledCalculation();
    User([&] { form.RadioButton2.Click(); });
    ExpectTitles("Photon Energy, eV", "a , cm-1");
    ASSERT_EQ(form.Series2.Count(), 4);
    EXPECT_EQ(form.Series2.Points()[0].x, data->AbsEnergy[1]);
    EXPECT_EQ(form.Series2.Points()[0].y, data->Absorption[1]);
    // After an import the results are zero but still counted: points at the origin.
    ImportR(WriteFile("r2.txt", Pairs({{700, 1}, {600, 1}, {500, 1}})));
    User([&] { form.RadioButton2.Click(); });  // still checked: draws nothing
    EXPECT_EQ(form.Series2.Count(), 0);
    User([&] { form.RadioButton4.Click(); });
    User([&] { form.RadioButton2.Click(); });
    ASSERT_EQ(form.Series2.Count(), 4);
    EXPECT_EQ(form.Series2.Points()[3].x, 0.0);
    EXPECT_EQ(form.Series2.Points()[3].y, 0.0);
}

const char* const kAbsFile =
    "Energy                        Absorption\r\n"
    "2.06638333333333  0.296245303112269\r\n"
    "2.47966  15.7211937735106\r\n"
    "3.099575  -0.173758326133467\r\n";

class Results : public BulkWindowTest {
protected:
    // Three points under the initial entries, the indirect Tauc view, and a line.
    void Prepare() {
        ImportT(WriteFile("t.txt", "600 50\r\n500 0\r\n400 80\r\n"));
        Calculate();
        User([&] { form.RadioButton3.Click(); });
        data->TaucLine[0] = -1;
        data->TaucLine[1] = 0.5;
        ASSERT_TRUE(platform.log.empty());
    }
    void Save(const std::string& name) {
        platform.saveAnswers.push_back((dir / name).string());
        User([&] { form.Button1.Click(); });
    }
    std::string Read(const std::string& name) { return ReadFile((dir / name).string()); }
};

TEST_F(Results, BothFilesByteForByteWithAPoint) {
    Prepare();
    Save("sample");
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    EXPECT_EQ(Read("sampleAbs.txt"), kAbsFile);
    EXPECT_EQ(Read("sampletauc.txt"),
              "Energy                         Tauc                          Fit\r\n"
              "2.06638333333333  0.782404215817805   3.31916666666665E-0002\r\n"
              "2.47966  6.24365400646315   2.39830000000000E-0001\r\n"
              "3.099575  0.733878030550813   5.49787500000000E-0001\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "sample"));
}

TEST_F(Results, BothFilesByteForByteWithAComma) {
    Prepare();
    SetDecimalSeparator(',');
    Save("sample.txt");
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    EXPECT_EQ(Read("sample.txtAbs.txt"),
              "Energy                        Absorption\r\n"
              "2,06638333333333  0,296245303112269\r\n"
              "2,47966  15,7211937735106\r\n"
              "3,099575  -0,173758326133467\r\n");
    EXPECT_EQ(Read("sample.txttauc.txt"),
              "Energy                         Tauc                          Fit\r\n"
              "2,06638333333333  0,782404215817805   3.31916666666665E-0002\r\n"
              "2,47966  6,24365400646315   2.39830000000000E-0001\r\n"
              "3,099575  0,733878030550813   5.49787500000000E-0001\r\n");
}

TEST_F(Results, NoLineNoPointsAndCancel) {
    // Before any calculation: headers only.
    Save("empty");
    EXPECT_EQ(Read("emptyAbs.txt"), "Energy                        Absorption\r\n");
    EXPECT_EQ(Read("emptytauc.txt"), "Energy                         Tauc                          Fit\r\n");
    // After a calculation without a Tauc view or a gap: Tauc and Fit are zero.
    ImportT(WriteFile("t.txt", "500 50\r\n"));
    Calculate();
    Save("plain");
    EXPECT_EQ(Read("plaintauc.txt"),
              "Energy                         Tauc                          Fit\r\n"
              "2.47966  0   0.00000000000000E+0000\r\n");
    // Cancelled: nothing written.
    User([&] { form.Button1.Click(); });
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 5);
    EXPECT_TRUE(platform.log.empty());
}

TEST_F(Results, AFailedTaucFileLeavesNoAbsorptionFileEither) {
    Prepare();
    std::filesystem::create_directory(dir / "bustauc.txt");
    Save("bus");
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir / "busAbs.txt"));
}

TEST_F(Results, ADiskFullAtTheTaucFileKeepsTheEarlierPairOfFiles) {
    Prepare();
    Save("bus");
    ASSERT_EQ(Read("busAbs.txt"), kAbsFile);
    const std::string tauc = Read("bustauc.txt");
    ImportT(WriteFile("t2.txt", "500 50\r\n"));
    Calculate();
    {
        DiskFullAtFile full(2);
        Save("bus");
    }
    EXPECT_EQ(platform.errors, std::vector<std::string>{"Disk full"});
    EXPECT_EQ(Read("busAbs.txt"), kAbsFile);
    EXPECT_EQ(Read("bustauc.txt"), tauc);
    EXPECT_FALSE(std::filesystem::exists(dir / "busAbs.txt.part"));
    EXPECT_FALSE(std::filesystem::exists(dir / "bustauc.txt.part"));
}

}  // namespace
}  // namespace optc::testing
