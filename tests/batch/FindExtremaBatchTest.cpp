// Batch runs from the spectrum alone: --find-extrema takes what "Find Extrema" finds,
// --save-extrema writes the extrema used as a fringes file that reads back to the same
// run, and a spectrum without fringes stops the run with the window's message.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/batch/BatchRun.h"
#include "numerics/FloatText.h"
#include "support/DiskFull.h"
#include "support/SourceTree.h"
#include "support/TempFolder.h"

namespace optc {
namespace {

const std::string kSpectrum =
(testing::kExamples / "thinfilm-transmission.txt").string();

class FindExtremaBatch : public ::testing::Test {
protected:
    FindExtremaBatch() { SetDecimalSeparator('.'); }
    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"thinfilm", "--spectrum"});
        out.str("");
        err.str("");
        return RunBatch(args, out, err);
    }
    std::string Path(const std::string& name) const { return temp.File(name); }

    testing::TempFolder temp{"find_extrema_batch"};
    std::ostringstream out, err;
};

TEST_F(FindExtremaBatch, FoundExtremaReadBackToTheSameRunAndNoFringesStopIt) {
    ASSERT_EQ(Run({kSpectrum, "--find-extrema", "--save-extrema", Path("extrema.txt"), "--ns", "1.52", "--save",
                   Path("found")}),
              kBatchDone)
        << out.str() << err.str();
    const std::string found = out.str();
    EXPECT_NE(found.find("\"ExtCount\": 18, "), std::string::npos) << found;
    // A disk that runs full in the extrema file, the fifth one written, stops the run
    // and leaves the older extrema file as it was.
    const std::string extrema = testing::ReadFile(Path("extrema.txt"));
    {
        testing::DiskFullAtFile full(5);
        EXPECT_EQ(Run({kSpectrum, "--find-extrema", "--save-extrema", Path("extrema.txt"), "--ns", "1.52", "--save",
                       Path("found")}),
                  kBatchStopped);
    }
    EXPECT_EQ(err.str(), "optical-constants-batch: --save-extrema " + Path("extrema.txt") +
                             ": Disk full\noptical-constants-batch: " + Path("extrema.txt") +
                             ": No space left on device\n");
    EXPECT_EQ(testing::ReadFile(Path("extrema.txt")), extrema);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.Path()), std::filesystem::directory_iterator()),
              5);  // the extrema and the four results files
    ASSERT_EQ(Run({kSpectrum, "--fringes", Path("extrema.txt"), "--ns", "1.52", "--save", Path("imported")}),
              kBatchDone);
    EXPECT_EQ(out.str(), found);
    for (const char* suffix : {"Ref.txt", "Abs.txt", "tauc.txt", "FreeTrans.txt"})
        EXPECT_EQ(testing::ReadFile(Path("found") + suffix), testing::ReadFile(Path("imported") + suffix)) << suffix;

    // A bare substrate: the message stops the run; the extrema file holds its header, and
    // Save Results, with nothing calculated since the import, writes nothing.
    std::string flat;
    for (int w = 400; w <= 1000; ++w) flat += std::to_string(w) + " 91.83\n";
    EXPECT_EQ(Run({temp.Write("substrate.txt", flat), "--find-extrema", "--save-extrema", Path("none.txt"),
                   "--save-on-stop", "--save", Path("substrate")}),
              kBatchStopped);
    const std::string message = "No interference fringes were found in the spectrum.";
    const std::string nothingToSave = "Calculate first: there are no results to save.";
    EXPECT_EQ(out.str().rfind("{\"message\": \"" + message + "\", \"notes\": [\"" + message + "\", \"" + nothingToSave +
                                  "\"]",
                              0),
              0u);
    EXPECT_FALSE(std::filesystem::exists(Path("substrateRef.txt")));
    EXPECT_EQ(testing::ReadFile(Path("none.txt")), "Wavelength  Transmission\r\n");

    EXPECT_EQ(Run({kSpectrum, "--fringes", kSpectrum, "--find-extrema", "--save", Path("x")}), kBatchWrongUsage);
    EXPECT_EQ(err.str().rfind("optical-constants-batch: --fringes and --find-extrema exclude each other\n", 0), 0u);
}

}  // namespace
}  // namespace optc
