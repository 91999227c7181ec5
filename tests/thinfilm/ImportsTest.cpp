// The Thin Films window as it starts, its two imports and its four option boxes.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "datafiles/CsvSpectrum.h"
#include "datafiles/PairReader.h"
#include "datafiles/ImportReading.h"
#include "ThinFilmFixture.h"

namespace optc::testing {
namespace {

TEST_F(ThinFilmWindowTest, WindowStartsWithTheDesignedControls) {
    EXPECT_EQ(form.Caption(), "Thin Films");
    EXPECT_EQ(form.Chart1.Title(), "Optical Characteristics");
    ASSERT_EQ(form.Chart1.SeriesCount(), 5);
    EXPECT_EQ(form.Series1.Style(), SeriesStyle::Markers);
    for (int s = 1; s < 5; ++s) EXPECT_EQ(form.Chart1.Series(s).Style(), SeriesStyle::Line);
    EXPECT_EQ(&form.Series5, &form.Chart1.Series(4));

    for (Edit* e : {&form.Const1, &form.Tolerance, &form.Wstart, &form.Wend, &form.Estart, &form.Eend,
                    &form.Ytauc1, &form.Ytauc2})
        EXPECT_EQ(e->Text(), "1") << e->Name();
    EXPECT_EQ(form.Const2.Text(), "2");
    EXPECT_EQ(form.natx.Text(), "633");
    EXPECT_EQ(form.Order.Text(), "2");
    EXPECT_EQ(form.envelope.Text(), "3");
    EXPECT_EQ(form.thickness.Text(), "0");
    EXPECT_FALSE(form.thickness.Enabled());
    EXPECT_EQ(form.thickness.Colour(), clBtnFace);
    EXPECT_EQ(form.ninp.Text(), "");
    EXPECT_FALSE(form.ninp.Visible());
    for (Edit* e : {&form.Estart, &form.Eend, &form.Ytauc1, &form.Ytauc2}) EXPECT_FALSE(e->Enabled());
    EXPECT_FALSE(form.Button2.Enabled());
    EXPECT_EQ(form.Button2.Caption(), "Determine Fringes");
    EXPECT_EQ(form.CalculatEg.Caption(), "Eg Calculation");
    EXPECT_EQ(form.BitBtn1.Caption(), "Exit");

    EXPECT_TRUE(form.FrFTr.Checked());
    EXPECT_FALSE(form.FixThickness.Checked() || form.not633.Checked() || form.nu633.Checked() ||
                 form.Direct.Checked());
    EXPECT_EQ(form.nu633.Caption(), "Use constant n =");
    EXPECT_EQ(form.Fileshow1.Text(), "File1");
    EXPECT_EQ(form.Fileshow2.Text(), "File2");
    EXPECT_EQ(form.n633show.Text(), "0");
    EXPECT_EQ(form.EgOutput.Text(), "0");
    EXPECT_EQ(form.PositionX.Text(), "X =");
    EXPECT_EQ(form.PositionY.Text(), "Y =");

    // The graph buttons exclude only one another.
    form.RadioButton1.SetChecked(true);
    form.RadioButton2.SetChecked(true);
    EXPECT_FALSE(form.RadioButton1.Checked());
    EXPECT_FALSE(form.Direct.Checked());
}

TEST_F(ThinFilmWindowTest, ImportSpectrumClearsResultsAndReadsTheFile) {
    // Leftovers of an earlier analysis.
    d.LambdaExp[5] = 1;
    d.FreeExtTrans[3] = 2;
    d.ExtLambda[2] = 3;
    d.SpecLambda[100000] = 9;
    d.SpecLambda[7] = 5;
    d.ExtCount = 5;
    d.DispCount = 7;
    d.FitCount = 3;
    d.RangeCount = 2;
    d.DispCoef[0] = 1.5;
    d.TaucDirect[1] = 4;
    d.EnvMaxTrans[1] = 80;
    form.Series3.AddXY(1, 2, clRed);
    form.n633show.SetText("2.3456");
    form.nu633.SetChecked(true);  // shows ninp with "2.3456"
    d.TaucLine[1] = 2;
    form.thickness.SetText("0.0001");
    form.EgOutput.SetText("2.1");
    form.Fileshow2.SetText("old.txt");

    ImportSpectrum({{400, 80}, {401, 81}, {402, 82}});
    ASSERT_TRUE(platform.errors.empty()) << LastError();

    for (auto* t : {&form.Fileshow2, &form.n633show, &form.EgOutput}) EXPECT_EQ(t->Text(), "") << t->Name();
    EXPECT_EQ(form.thickness.Text(), "");
    EXPECT_EQ(form.ninp.Text(), "");
    EXPECT_FALSE(form.nu633.Checked());
    EXPECT_FALSE(form.ninp.Visible());
    EXPECT_EQ(d.TaucLine[1], 0.0);  // cleared by the unchecked nu633
    EXPECT_EQ(form.Series3.Count(), 0);

    EXPECT_EQ(d.LambdaExp[5], 0.0);
    EXPECT_EQ(d.FreeExtTrans[3], 0.0);
    EXPECT_EQ(d.ExtLambda[2], 0.0);
    EXPECT_EQ(d.SpecLambda[7], 0.0);
    EXPECT_EQ(d.SpecLambda[100000], 9.0);  // the last element is never cleared
    EXPECT_EQ(d.ExtCount, 5);
    EXPECT_EQ(d.DispCount, 7);
    EXPECT_EQ(d.FitCount, 3);
    EXPECT_EQ(d.RangeCount, 2);
    EXPECT_EQ(d.DispCoef[0], 1.5);
    EXPECT_EQ(d.TaucDirect[1], 4.0);
    EXPECT_EQ(d.EnvMaxTrans[1], 80.0);

    EXPECT_EQ(d.SpecCount, 3);
    EXPECT_EQ(d.SpecLambda[3], 402.0);
    EXPECT_EQ(d.SpecTrans[2], 81.0);
    EXPECT_EQ(d.SpecAscending, 1);
    EXPECT_EQ(form.Fileshow1.Text(), (dir / "spectrum.txt").string());
    EXPECT_TRUE(form.Button2.Enabled());
    EXPECT_EQ(platform.dialogFilters, std::vector<std::string>{kSpectrumFilter});
    EXPECT_TRUE(platform.messages.empty());
    // Only now do the dialogs start in the file's folder.
    EXPECT_EQ(platform.rememberedFiles, std::vector<std::string>{(dir / "spectrum.txt").string()});
}

// A cancelled dialog, a name that does not exist and a file without a pair of numbers
// leave both imports' window and workspace exactly as they were; only the file is
// named in the refusal.
TEST_F(ThinFilmWindowTest, CancelledOrRefusedImportsChangeNothing) {
    ImportSpectrum({{400, 80}, {401, 81}, {402, 82}});
    ImportFringes({{900, 92}, {800, 40}});
    d.LambdaExp[1] = 7;
    form.Series2.AddXY(1, 1, clRed);
    form.n633show.SetText("2.3456");
    User([&] { form.nu633.Click(); });
    d.TaucLine[1] = 2;
    form.thickness.SetText("0.0001");
    form.EgOutput.SetText("2.1");
    const std::vector<std::string> remembered = platform.rememberedFiles;
    ASSERT_EQ(remembered.size(), 2u);
    const std::string shown1 = form.Fileshow1.Text(), shown2 = form.Fileshow2.Text();

    struct Case {
        const char* name;
        std::optional<std::string> answer;  // nothing: the dialog is cancelled
        const char* message;                // the refusal, or nothing
    };
    const char binary[] = "\x7f" "ELF\x02\x01\x01\0\0\0\xff\xfe\x1a" "400 80";
    const Case cases[] = {
        {"cancel", std::nullopt, ""},
        {"missing", (dir / "gone.txt").string(), ""},
        {"text", WriteFile("notes.txt", "Sample 7\nmeasured on Monday\n"),
         "No pair of numbers was found in notes.txt."},
        {"binary", WriteFile("scan.bin", std::string(binary, sizeof binary - 1)),
         "No pair of numbers was found in scan.bin."},
        {"comma", WriteFile("comma.txt", "Lambda;T\n,5 ,2\n"), "No pair of numbers was found in comma.txt."},
        {"zeros", WriteFile("zeros.txt", "0 80\n0 81\n"), "No pair of numbers was found in zeros.txt."},
        {"decimal commas", WriteFile("commas.txt", "nm\tT\n400,0\t80,5\n401,0\t81,5\n"),
         "No pair of numbers was found in commas.txt."},
        {"csv header only", WriteFile("empty.csv", "Wavelength;T\n"), "No pair of numbers was found in empty.csv."},
        {"csv row", WriteFile("bad.csv", "400;80\nabc;81\n"), "Line 2 of bad.csv: 'abc' is not a number."},
        {"peak table", WriteFile("peaks.jdx", "##TITLE=p\n##PEAK TABLE=(XY..XY)\n400,1\n##END=\n"),
         "Line 2 of peaks.jdx: a peak table is not a spectrum; only ##XYDATA and ##XYPOINTS are read."},
    };
    for (const Case& c : cases) {
        for (Button* import : {&form.import1, &form.Import2}) {
            SCOPED_TRACE(std::string(c.name) + " " + import->Caption());
            platform.messages.clear();
            platform.openAnswers.push_back(c.answer);
            User([&] { import->Click(); });
            EXPECT_TRUE(platform.errors.empty()) << LastError();
            EXPECT_EQ(platform.messages, c.message[0] ? std::vector<std::string>{c.message}
                                                      : std::vector<std::string>{});
            EXPECT_EQ(d.SpecCount, 3);
            EXPECT_EQ(d.SpecLambda[2], 401.0);
            EXPECT_EQ(d.ExtCount, 2);
            EXPECT_EQ(d.ExtLambda[1], 900.0);
            EXPECT_EQ(d.LambdaExp[1], 7.0);
            EXPECT_EQ(d.TaucLine[1], 2.0);
            EXPECT_EQ(form.Series2.Count(), 1);
            EXPECT_TRUE(form.nu633.Checked());
            EXPECT_EQ(form.ninp.Text(), "2.3456");
            EXPECT_EQ(form.thickness.Text(), "0.0001");
            EXPECT_EQ(form.EgOutput.Text(), "2.1");
            EXPECT_EQ(form.Fileshow1.Text(), shown1);
            EXPECT_EQ(form.Fileshow2.Text(), shown2);
            EXPECT_EQ(form.Wstart.Text(), "600");
            EXPECT_EQ(form.Wend.Text(), "900");
            EXPECT_EQ(platform.rememberedFiles, remembered);
        }
    }
}

// A JCAMP-DX file says its own units: the start window's choices are not used, and the
// file label says so. A CSV file is in the start window's units, as a text file is,
// and a third column is noted.
TEST_F(ThinFilmWindowTest, InstrumentFilesAndTheStartWindowUnits) {
    units.waveNumber = true;
    units.fraction = true;
    const std::string jdx = WriteFile("film.jdx",
                                      "##TITLE=film\n##JCAMP-DX=4.24\n##XUNITS=NANOMETERS\n##YUNITS=TRANSMITTANCE\n"
                                      "##XYPOINTS=(XY..XY)\n400,80\n500,40\n600,60\n##END=\n");
    platform.openAnswers.push_back(jdx);
    User([&] { form.import1.Click(); });
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    EXPECT_EQ(form.Fileshow1.Text(), "(units from the file: nm, transmittance in %) " + jdx);
    ASSERT_EQ(d.SpecCount, 3);
    EXPECT_EQ(d.SpecLambda[1], 400.0);
    EXPECT_EQ(d.SpecTrans[2], 40.0);
    EXPECT_EQ(d.SpecAscending, 1);

    const std::string csv = WriteFile("fringes.csv", "nm;T;sd\n25000;0,5;0,01\n20000;0,75;0,02\n");
    platform.openAnswers.push_back(csv);
    User([&] { form.Import2.Click(); });
    EXPECT_EQ(platform.messages, std::vector<std::string>{kMoreColumnsMessage});
    EXPECT_EQ(form.Fileshow2.Text(), csv);
    ASSERT_EQ(d.ExtCount, 2);
    EXPECT_EQ(d.ExtLambda[1], 500.0);
    EXPECT_EQ(d.ExtTrans[1], 75.0);
}

TEST_F(ThinFilmWindowTest, ImportSpectrumAppliesTheStartWindowUnits) {
    units.waveNumber = true;
    units.fraction = true;
    ImportSpectrum({{20000, 0.5}, {25000, 0.8}});
    EXPECT_EQ(d.SpecLambda[1], 500.0);
    EXPECT_EQ(d.SpecLambda[2], 400.0);
    EXPECT_EQ(d.SpecTrans[2], 80.0);
    EXPECT_EQ(d.SpecAscending, 0);  // ascending wave numbers are descending wavelengths
}

TEST_F(ThinFilmWindowTest, ImportSpectrumFileErrorChangesNothing) {
    const std::string missing = (dir / "gone.txt").string();
    platform.existingFiles = std::set<std::string>{missing};  // the dialog believes it exists
    platform.openAnswers.push_back(missing);
    d.LambdaExp[1] = 3;
    User([&] { form.import1.Click(); });
    EXPECT_EQ(LastError(), "File not found");
    EXPECT_EQ(form.Fileshow1.Text(), "File1");
    EXPECT_EQ(d.LambdaExp[1], 3.0);
    EXPECT_EQ(d.SpecCount, 0);
    EXPECT_FALSE(form.Button2.Enabled());
    EXPECT_TRUE(platform.rememberedFiles.empty());
}

TEST_F(ThinFilmWindowTest, OversizedFilesAreCutAtTheCapacityWithAMessage) {
    std::string text;
    text.reserve(1300000);
    for (int i = 1; i <= kCapacity + 1; ++i) text += std::to_string(300 + i) + " 50\n";
    platform.openAnswers.push_back(WriteFile("big.txt", text));
    User([&] { form.import1.Click(); });
    EXPECT_EQ(d.SpecCount, kCapacity);
    EXPECT_EQ(d.SpecLambda[kCapacity], 300.0 + kCapacity);
    EXPECT_EQ(platform.messages, std::vector<std::string>{kTooManyPointsMessage});
    EXPECT_TRUE(form.Button2.Enabled());
    EXPECT_EQ(d.SpecAscending, 1);

    platform.openAnswers.push_back(WriteFile("bigfringes.txt", text));
    User([&] { form.Import2.Click(); });
    EXPECT_EQ(d.ExtCount, kCapacity);
    EXPECT_EQ(d.ExtLambda[1], 300.0 + kCapacity);  // longest first
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(platform.errors.empty()) << LastError();
}

TEST_F(ThinFilmWindowTest, ImportFringesOrdersLongestFirstAndProposesTheRange) {
    d.LambdaExp[1] = 7;  // a result of an earlier run
    form.Series2.AddXY(1, 1, clRed);
    ImportFringes({{450, 40}, {600, 90}, {750, 50}, {900, 92}});
    EXPECT_EQ(d.ExtCount, 4);
    EXPECT_EQ(d.ExtLambda[1], 900.0);
    EXPECT_EQ(d.ExtTrans[1], 92.0);
    EXPECT_EQ(d.ExtLambda[4], 450.0);
    EXPECT_EQ(d.RawExtLambda[1], 450.0);  // the file order stays in the raw arrays
    EXPECT_EQ(form.Wstart.Text(), "450");
    EXPECT_EQ(form.Wend.Text(), "900");
    EXPECT_EQ(form.Fileshow2.Text(), (dir / "fringes.txt").string());
    EXPECT_EQ(d.LambdaExp[1], 7.0);  // nothing is cleared
    EXPECT_EQ(form.Series2.Count(), 1);

    ImportFringes({{620, 40}, {610, 90}});
    EXPECT_EQ(form.Wstart.Text(), "600");
    EXPECT_EQ(form.Wend.Text(), "650");

    ImportFringes({{1200.5, 40}, {700, 90}});
    EXPECT_EQ(form.Wstart.Text(), "600");
    EXPECT_EQ(form.Wend.Text(), "1200.5");

    ImportFringes({{633, 40}, {600, 90}});  // both bounds are inclusive
    EXPECT_EQ(form.Wstart.Text(), "600");
    EXPECT_EQ(form.Wend.Text(), "633");
}

TEST_F(ThinFilmWindowTest, ImportFringesWithoutExtremaKeepsTheExtremaAndTheRangeTexts) {
    ImportFringes({{900, 92}, {800, 40}});
    platform.openAnswers.push_back(WriteFile("words.txt", "no numbers here\n"));
    User([&] { form.Import2.Click(); });
    EXPECT_EQ(LastMessage(), "No pair of numbers was found in words.txt.");
    EXPECT_EQ(d.ExtCount, 2);
    EXPECT_EQ(form.Wstart.Text(), "600");
    EXPECT_EQ(form.Wend.Text(), "900");
    EXPECT_EQ(form.Fileshow2.Text(), (dir / "fringes.txt").string());
    EXPECT_EQ(platform.rememberedFiles, std::vector<std::string>{(dir / "fringes.txt").string()});
}

TEST_F(ThinFilmWindowTest, OptionBoxesClearTheGapLineAndSwitchTheirControls) {
    d.TaucLine[0] = 1;
    d.TaucLine[1] = 2;
    form.EgOutput.SetText("2.5");
    User([&] { form.FrFTr.Click(); });
    EXPECT_FALSE(form.FrFTr.Checked());
    EXPECT_EQ(d.TaucLine[0], 0.0);
    EXPECT_EQ(d.TaucLine[1], 0.0);
    EXPECT_EQ(form.EgOutput.Text(), "2.5");  // only FixThickness empties the gap

    d.TaucLine[1] = 2;
    form.thickness.SetText("0.00012");
    User([&] { form.FixThickness.Click(); });
    EXPECT_EQ(d.TaucLine[1], 0.0);
    EXPECT_EQ(form.EgOutput.Text(), "");
    EXPECT_TRUE(form.thickness.Enabled());
    EXPECT_EQ(form.thickness.Colour(), clWindow);
    User([&] { form.FixThickness.Click(); });
    EXPECT_FALSE(form.thickness.Enabled());
    EXPECT_EQ(form.thickness.Colour(), clBtnFace);
    EXPECT_EQ(form.thickness.Text(), "0.00012");

    User([&] { form.not633.Click(); });
    EXPECT_FALSE(form.n633show.Visible());
    EXPECT_FALSE(form.natx.Enabled());
    User([&] { form.not633.Click(); });
    EXPECT_TRUE(form.n633show.Visible());
    EXPECT_TRUE(form.natx.Enabled());

    d.TaucLine[1] = 2;
    User([&] { form.nu633.Click(); });
    EXPECT_TRUE(form.ninp.Visible());
    EXPECT_EQ(form.ninp.Text(), "0");  // the estimate before any calculation
    EXPECT_EQ(d.TaucLine[1], 0.0);
    form.ninp.SetText("2.1");
    User([&] { form.nu633.Click(); });
    EXPECT_FALSE(form.ninp.Visible());
    EXPECT_EQ(form.ninp.Text(), "2.1");
}

TEST_F(ThinFilmWindowTest, ExitClosesTheWindowAndKeepsItsState) {
    form.SetShown(true);
    ImportSpectrum({{400, 80}, {401, 81}});
    User([&] { form.BitBtn1.Click(); });
    EXPECT_FALSE(form.Shown());
    EXPECT_EQ(d.SpecCount, 2);
    EXPECT_EQ(form.Fileshow1.Text(), (dir / "spectrum.txt").string());
}

}  // namespace
}  // namespace optc::testing
