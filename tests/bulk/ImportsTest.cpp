// Import T Spectrum and Import R spectrum: targets, ordering, unit choices, what each
// clears, and files that do not fit.
#include "BulkFixture.h"
#include "datafiles/PairReader.h"
#include "datafiles/ImportReading.h"

namespace optc::testing {
namespace {

class Imports : public BulkWindowTest {
protected:
    // A finished calculation on a common grid, shown as the absorption graph.
    void CalculatedOnACommonGrid() {
        ImportT(WriteFile("t.txt", Pairs({{800, 10}, {700, 40}, {600, 20}, {500, 60}})));
        ImportR(WriteFile("r.txt", Pairs({{750, 30}, {650, 10}, {550, 25}, {450, 5}})));
        Calculate();
        User([&] { form.RadioButton2.Click(); });
        ASSERT_TRUE(platform.log.empty());
        ASSERT_EQ(data->AbsCount, 4);
        ASSERT_GT(form.Series2.Count(), 0);
        form.EgOutput.SetText("2.2");
    }
    void ExpectDerivedCleared() {
        for (const SpectrumArray* a : {&data->GridLambda, &data->GridTrans, &data->GridReflLambda, &data->GridRefl,
                                       &data->TaucEnergy, &data->TransFraction, &data->AbsEnergy, &data->Absorption})
            EXPECT_EQ((*a)[1], 0.0);
        EXPECT_EQ(data->AbsCount, 4);  // kept for the next calculation to set
        EXPECT_EQ(form.EgOutput.Text(), "");
        for (int s = 0; s < 3; ++s) EXPECT_EQ(form.Chart1.Series(s).Count(), 0);
    }
};

TEST_F(Imports, AscendingTransmissionIsStoredLongestFirst) {
    std::string path = WriteFile("asc.txt", "lambda T\r\n400 80\r\n500 70\r\n600 60\r\n");
    ImportT(path);
    EXPECT_EQ(platform.dialogFilters, (std::vector<std::string>{kSpectrumFilter}));
    EXPECT_EQ(form.Fileshow1.Text(), path);
    ASSERT_EQ(data->SpecCount, 3);
    EXPECT_EQ(data->SpecAscending, 1);
    EXPECT_EQ(data->RawLambda[1], 400);
    EXPECT_EQ(data->SpecLambda[1], 600);
    EXPECT_EQ(data->SpecTrans[1], 60);
    EXPECT_EQ(data->SpecLambda[3], 400);
    EXPECT_EQ(data->SpecTrans[3], 80);
}

TEST_F(Imports, UnitChoicesOfTheStartWindowApplyToBothImports) {
    units.waveNumber = true;
    units.fraction = true;
    // Ascending wave numbers are descending wavelengths: kept in file order.
    ImportT(WriteFile("wn.txt", Pairs({{20000, 0.5}, {25000, 0.8}})));
    ASSERT_EQ(data->SpecCount, 2);
    EXPECT_EQ(data->SpecAscending, 0);
    EXPECT_DOUBLE_EQ(data->SpecLambda[1], 500);
    EXPECT_DOUBLE_EQ(data->SpecLambda[2], 400);
    EXPECT_DOUBLE_EQ(data->SpecTrans[2], 80);
    ImportR(WriteFile("r.txt", Pairs({{25000, 0.1}, {20000, 0.2}})));
    ASSERT_EQ(data->ReflCount, 2);
    EXPECT_DOUBLE_EQ(data->ReflLambda[1], 500);  // reversed: longest first
    EXPECT_DOUBLE_EQ(data->ReflValue[1], 20);
}

// A JCAMP-DX reflection spectrum must hold reflectance: a transmittance file given to
// Import R spectrum is refused and the reflection boxes stay as they were.
TEST_F(Imports, JcampFilesMustHoldTheQuantityTheImportReads) {
    const auto jdx = [&](const char* name, const char* yUnits) {
        return WriteFile(name, std::string("##TITLE=r\n##JCAMP-DX=5.01\n##XUNITS=1/CM\n##YUNITS=") + yUnits +
                                   "\n##XYPOINTS=(XY..XY)\n25000,0.1\n20000,0.2\n##END=\n");
    };
    User([&] { form.InpR.SetChecked(true); });
    ASSERT_TRUE(form.InpR.Checked());
    ImportR(jdx("t.jdx", "TRANSMITTANCE"));
    EXPECT_EQ(platform.messages, std::vector<std::string>{
                                     "Line 4 of t.jdx: the file holds TRANSMITTANCE; this import reads REFLECTANCE."});
    EXPECT_TRUE(form.InpR.Checked());
    EXPECT_EQ(data->ReflCount, 0);

    ClearLog();
    const std::string r = jdx("r.jdx", "REFLECTANCE");
    ImportR(r);
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    EXPECT_FALSE(form.InpR.Checked());
    EXPECT_EQ(form.Fileshow2.Text(), "(units from the file: 1/cm, reflectance as fractions) " + r);
    ASSERT_EQ(data->ReflCount, 2);
    EXPECT_DOUBLE_EQ(data->ReflLambda[1], 500);
    EXPECT_DOUBLE_EQ(data->ReflValue[1], 20);
}

TEST_F(Imports, TransmissionImportClearsItsSpectrumAndTheResultsOnly) {
    CalculatedOnACommonGrid();
    ImportT(WriteFile("t2.txt", Pairs({{900, 50}, {850, 50}})));
    ExpectDerivedCleared();
    EXPECT_EQ(data->SpecCount, 2);
    EXPECT_EQ(data->SpecLambda[3], 0.0);  // the longer spectrum is gone
    EXPECT_EQ(data->ReflCount, 4);
    EXPECT_EQ(data->ReflLambda[1], 750);
    // The source boxes are not touched by the transmission import.
    EXPECT_FALSE(form.InpR.Checked());

    // A cancelled import changes nothing.
    const std::string shown = form.Fileshow1.Text();
    platform.openAnswers.push_back(std::nullopt);
    User([&] { form.import1.Click(); });
    EXPECT_EQ(data->SpecCount, 2);
    EXPECT_EQ(data->SpecLambda[1], 900.0);
    EXPECT_EQ(form.Fileshow1.Text(), shown);
}

TEST_F(Imports, ReflectionImportOverwritesWithoutClearing) {
    CalculatedOnACommonGrid();
    ImportR(WriteFile("r2.txt", Pairs({{700, 11}, {600, 12}})));
    ExpectDerivedCleared();
    EXPECT_EQ(data->ReflCount, 2);
    EXPECT_EQ(data->ReflLambda[2], 600);
    EXPECT_EQ(data->ReflLambda[3], 550);  // left from the earlier file
    EXPECT_EQ(data->RawReflLambda[3], 0.0);
    EXPECT_EQ(data->SpecCount, 4);

    // A name that does not exist reads nothing and changes nothing, without a message;
    // a file without a pair of numbers is refused by name and changes nothing either.
    const std::string shown = form.Fileshow2.Text();
    form.EgOutput.SetText("2.2");
    for (const std::string& path : {(dir / "missing.txt").string(), WriteFile("words.txt", "R of sample 7\n")}) {
        for (Button* import : {&form.import1, &form.Button2}) {
            platform.openAnswers.push_back(path);
            User([&] { import->Click(); });
        }
    }
    platform.existingFiles = std::set<std::string>{};
    ImportR((dir / "missing.txt").string());
    EXPECT_EQ(data->ReflCount, 2);
    EXPECT_EQ(data->SpecCount, 4);
    EXPECT_EQ(data->ReflLambda[2], 600);
    EXPECT_EQ(form.Fileshow2.Text(), shown);
    EXPECT_EQ(form.EgOutput.Text(), "2.2");
    EXPECT_EQ(platform.messages, std::vector<std::string>(2, "No pair of numbers was found in words.txt."));
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(Imports, TextLineRestartsAReflectionFileButNotALongTransmissionFile) {
    ImportR(WriteFile("r.txt", "800 1\r\n700 2\r\nsome text\r\n600 3\r\n"));
    EXPECT_EQ(data->ReflCount, 1);
    EXPECT_EQ(data->ReflLambda[1], 600);

    std::string t;
    for (int i = 0; i < 150; ++i) t += std::to_string(2000 - i) + " 50\r\n";
    t += "some text\r\n";
    for (int i = 0; i < 20; ++i) t += std::to_string(1000 - i) + " 50\r\n";
    ImportT(WriteFile("t.txt", t));
    EXPECT_EQ(data->SpecCount, 171);
}

TEST_F(Imports, AFileBeyondTheCapacityIsReadUpToItAndReported) {
    std::string t;
    t.reserve(1400000);
    for (int i = 0; i < kCapacity + 5; ++i) t += std::to_string(200000 - i) + " 50\n";
    std::string path = WriteFile("big.txt", t);
    ImportT(path);
    EXPECT_EQ(data->SpecCount, kCapacity);
    EXPECT_EQ(data->SpecLambda[kCapacity], 200000 - kCapacity + 1);
    EXPECT_EQ(platform.messages, (std::vector<std::string>{kTooManyPointsMessage}));
    ClearLog();
    ImportR(path);
    EXPECT_EQ(data->ReflCount, kCapacity);
    EXPECT_EQ(platform.messages, (std::vector<std::string>{kTooManyPointsMessage}));
}

}  // namespace
}  // namespace optc::testing
