// Batch runs from the spectrum alone: --find-extrema marks what "Find Extrema" finds,
// --save-extrema writes the extrema used as a fringes file that reads back to the same
// run, and a spectrum without fringes stops the run with the window's message.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/BatchRun.h"
#include "numerics/FloatText.h"
#include "support/TempFolder.h"
#include "ui/ScriptedPlatform.h"

namespace optc {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(__FILE__).parent_path().parent_path().parent_path() / "examples";
const std::string kSpectrum = (kExamples / "thinfilm-transmission.txt").string();
const std::vector<std::string> kThinFilmFiles = {"Ref.txt", "Abs.txt", "tauc.txt", "FreeTrans.txt"};

class FindExtremaBatch : public ::testing::Test {
protected:
    FindExtremaBatch() { SetDecimalSeparator('.'); }

    int Run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return RunBatch(args, out, err);
    }
    std::string Path(const std::string& name) const { return temp.File(name); }

    testing::TempFolder temp{"find_extrema_batch"};
    std::ostringstream out, err;
};

TEST_F(FindExtremaBatch, FoundExtremaAreTheWindowsAndTheirFileReadsBackToTheSameRun) {
    const std::vector<std::string> common = {"--ns", "1.52", "--direct", "--eg", "2.45", "2.7"};
    std::vector<std::string> found = {"thinfilm", "--spectrum", kSpectrum, "--find-extrema", "--save-extrema",
                                      Path("extrema.txt"), "--save", Path("found")};
    found.insert(found.end(), common.begin(), common.end());
    ASSERT_EQ(Run(found), kBatchDone) << out.str() << err.str();
    const std::string foundSummary = out.str();

    // The window's own steps: Determine Fringes, Find Extrema, Ok.
    ScriptedPlatform platform;
    Application app{platform};
    platform.openAnswers.push_back(kSpectrum);
    app.Form1.Dispatch([&] { app.Form1.import1.Click(); });
    platform.modalScripts.push_back([&](Form&) {
        app.Form4.Dispatch([&] { app.Form4.FindExtrema.Click(); });
        app.Form4.Dispatch([&] { app.Form4.BitBtn1.Click(); });
    });
    app.Form1.Dispatch([&] { app.Form1.Button2.Click(); });
    const ThinFilmData& d = app.Form1.Data();
    ASSERT_GE(d.ExtCount, 4);
    EXPECT_NE(foundSummary.find("\"ExtCount\": " + std::to_string(d.ExtCount) + ","), std::string::npos);
    EXPECT_NE(foundSummary.find("\"Wstart\": \"" + app.Form1.Wstart.Text() + "\""), std::string::npos);

    // The saved file holds those extrema, longest first; read back, it gives the same
    // summary and the same results files.
    std::istringstream saved(testing::ReadFile(Path("extrema.txt")));
    std::string header;
    std::getline(saved, header);
    EXPECT_EQ(header, "Wavelength  Transmission\r");
    int rows = 0;
    for (double lambda, trans; saved >> lambda >> trans;) {
        ++rows;
        EXPECT_EQ(lambda, d.ExtLambda[rows]) << rows;
        EXPECT_EQ(trans, d.ExtTrans[rows]) << rows;
    }
    EXPECT_EQ(rows, d.ExtCount);
    std::vector<std::string> imported = {"thinfilm", "--spectrum", kSpectrum, "--fringes", Path("extrema.txt"),
                                         "--save", Path("imported")};
    imported.insert(imported.end(), common.begin(), common.end());
    ASSERT_EQ(Run(imported), kBatchDone) << out.str() << err.str();
    EXPECT_EQ(out.str(), foundSummary);
    for (const std::string& suffix : kThinFilmFiles)
        EXPECT_EQ(testing::ReadFile(Path("found") + suffix), testing::ReadFile(Path("imported") + suffix)) << suffix;
}

TEST_F(FindExtremaBatch, ASpectrumWithoutFringesStopsWithTheMessageAndWrongUseIsRefused) {
    std::string flat = "Wavelength  Transmission\n";
    for (int w = 400; w <= 1000; ++w) flat += std::to_string(w) + " 91.83\n";
    const std::string substrate = temp.Write("substrate.txt", flat);
    EXPECT_EQ(Run({"thinfilm", "--spectrum", substrate, "--find-extrema", "--save-extrema", Path("none.txt"),
                   "--save", Path("substrate")}),
              kBatchStopped);
    const std::string message = "No interference fringes were found in the spectrum.";
    EXPECT_EQ(out.str().rfind("{\"message\": \"" + message + "\", \"notes\": [\"" + message + "\"]", 0), 0u)
        << out.str();
    EXPECT_NE(out.str().find("\"ExtCount\": 0,"), std::string::npos);
    // The extrema used: none, under the header.
    EXPECT_EQ(testing::ReadFile(Path("none.txt")), "Wavelength  Transmission\r\n");

    struct WrongUse {
        std::vector<std::string> args;
        std::string error;
    };
    const WrongUse wrong[] = {
        {{"thinfilm", "--spectrum", kSpectrum, "--fringes", kSpectrum, "--find-extrema", "--save", Path("x")},
         "--fringes and --find-extrema exclude each other"},
        {{"bulk", "--spectrum", kSpectrum, "--constant-r", "9", "--find-extrema", "--save", Path("x")},
         "option --find-extrema does not belong to a bulk run"},
        {{"thinfilm", "--spectrum", kSpectrum, "--save", Path("x"), "--save-extrema"},
         "option --save-extrema needs a value"},
    };
    for (const WrongUse& w : wrong) {
        EXPECT_EQ(Run(w.args), kBatchWrongUsage) << w.error;
        EXPECT_EQ(err.str().rfind("optical-constants-batch: " + w.error + "\n", 0), 0u) << err.str();
        EXPECT_EQ(out.str(), "");
    }
}

}  // namespace
}  // namespace optc
