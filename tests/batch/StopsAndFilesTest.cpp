// What a stopped batch run says and leaves: the option or file really at fault on
// standard error, no results files unless --save-on-stop, and a JSON summary that
// carries any text whole and valid.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/batch/BatchRun.h"
#include "app/batch/StopOptions.h"
#include "numerics/FloatText.h"
#include "support/SourceTree.h"
#include "support/TempFolder.h"

namespace optc {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

std::string Example(const char* name) { return (testing::kExamples / name).string(); }

class StopsAndFiles : public ::testing::Test {
protected:
    StopsAndFiles() { SetDecimalSeparator('.'); }
    int Run(const Args& args) {
        out.str("");
        err.str("");
        return RunBatch(args, out, err);
    }
    std::string FirstErrorLine() const { return err.str().substr(0, err.str().find('\n')); }

    testing::TempFolder temp{"stops_and_files"};
    std::ostringstream out, err;
    const std::string T = Example("thinfilm-transmission.txt"), F = Example("thinfilm-fringes.txt");
    const std::string B = Example("bulk-transmission.txt");
};

TEST_F(StopsAndFiles, TheSubjectIsTheOptionOrFileReallyAtFault) {
    const std::string longText(65000, '7');
    struct Case {
        Args args;
        std::vector<const char*> options;
        std::string typed;
        std::string subject;
    };
    const std::vector<Case> cases = {
        // The extrema's option is the one that gave them.
        {{"thinfilm", "--spectrum", T, "--find-extrema"}, {kExtremaOption}, "", "--find-extrema"},
        {{"thinfilm", "--spectrum", T, "--fringes", F}, {kExtremaOption}, "", "--fringes " + F},
        {{"thinfilm", "--spectrum", T}, {kExtremaOption}, "", "--fringes (not given)"},
        {{"thinfilm", "--spectrum", T, "--ns", "-1.52"}, {"--n0", "--ns"}, "", "--ns -1.52"},
        // A text that is not a number: the option that gave it, however many.
        {{"thinfilm", "--spectrum", T, "--eg", "abc", "2.7"}, {}, "abc", "--eg abc 2.7"},
        // A typed text is cut to what a message quotes, a file's path never.
        {{"thinfilm", "--spectrum", T, "--constant-n", longText}, {}, longText,
         "--constant-n " + longText.substr(0, 40) + "..."},
        {{"thinfilm", "--spectrum", T, "--constant-n", longText}, {"--constant-n"}, "",
         "--constant-n " + longText.substr(0, 40) + "..."},
        {{"thinfilm", "--spectrum", T}, {"--spectrum"}, "", "--spectrum " + T},
        // Anything else is about the step.
        {{"thinfilm", "--spectrum", T}, {}, "", "Calculate"},
    };
    for (const Case& c : cases) {
        Args args = c.args;
        args.insert(args.end(), {"--save", temp.File("x")});
        const CommandLine line = ReadCommandLine(args);
        ASSERT_TRUE(line.run) << line.error;
        EXPECT_EQ(StopSubject(*line.run, c.options, c.typed, "Calculate"), c.subject) << c.subject.substr(0, 60);
    }

    // A table that cannot be saved is about --orders, not about the step before it.
    const std::string table = temp.File("no-such-folder/orders.txt");
    EXPECT_EQ(Run({"thinfilm", "--spectrum", T, "--fringes", F, "--ns", "1.52", "--direct", "--eg", "2.45", "2.7",
                   "--orders", table, "--save", temp.File("film")}),
              kBatchStopped);
    EXPECT_EQ(FirstErrorLine().rfind("optical-constants-batch: --orders " + table + ": ", 0), 0u) << err.str();
    // Find Extrema finding nothing is about --find-extrema.
    std::string flat;
    for (int w = 400; w <= 1000; ++w) flat += std::to_string(w) + " 91.83\n";
    EXPECT_EQ(Run({"thinfilm", "--spectrum", temp.Write("substrate.txt", flat), "--find-extrema", "--save",
                   temp.File("bare")}),
              kBatchStopped);
    EXPECT_EQ(FirstErrorLine(),
              "optical-constants-batch: --find-extrema: No interference fringes were found in the spectrum.");
}

TEST_F(StopsAndFiles, AStoppedRunWritesNoFilesUnlessAskedTo) {
    const std::vector<std::string> thin = {"Ref.txt", "Abs.txt", "tauc.txt", "FreeTrans.txt"};
    const std::vector<std::string> bulk = {"Abs.txt", "tauc.txt"};
    struct Case {
        const char* what;
        Args args;
        bool stops;
        std::vector<std::string> files;  // besides the results files
    };
    const std::vector<Case> cases = {
        {"a complete run",
         {"thinfilm", "--spectrum", T, "--find-extrema", "--ns", "1.52", "--save-extrema", "extrema.txt", "--orders",
          "orders.txt"},
         false,
         {"extrema.txt", "orders.txt"}},
        {"Calculate stopped",
         {"thinfilm", "--spectrum", T, "--find-extrema", "--ns", "0", "--save-extrema", "extrema.txt"},
         true,
         {"extrema.txt"}},
        // The fringe orders are found after a stopped gap fit, but their table is a file
        // of the run as well.
        {"the gap fit stopped",
         {"thinfilm", "--spectrum", T, "--fringes", F, "--ns", "1.52", "--eg", "2.7", "2.45", "--orders",
          "orders.txt"},
         true,
         {"orders.txt"}},
        {"a bulk Calculate stopped", {"bulk", "--spectrum", B, "--constant-r", "4", "--thickness", "0"}, true, {}},
        {"a bulk run", {"bulk", "--spectrum", B, "--constant-r", "4", "--thickness", "0.1"}, false, {}},
    };
    int run = 0;
    for (const Case& c : cases) {
        for (const bool saveOnStop : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (saveOnStop ? ", --save-on-stop" : ""));
            const fs::path dir = temp.Path() / std::to_string(++run);
            fs::create_directory(dir);
            Args args;
            for (const std::string& a : c.args)  // the run's own files go into its folder
                args.push_back(a.ends_with(".txt") && !fs::exists(a) ? (dir / a).string() : a);
            args.insert(args.end(), {"--save", (dir / "run").string()});
            if (saveOnStop) args.push_back("--save-on-stop");
            EXPECT_EQ(Run(args), c.stops ? kBatchStopped : kBatchDone) << err.str();
            const bool written = !c.stops || saveOnStop;
            for (const std::string& suffix : c.args[0] == "bulk" ? bulk : thin)
                EXPECT_EQ(fs::exists(dir / ("run" + suffix)), written) << suffix;
            for (const std::string& file : c.files) EXPECT_EQ(fs::exists(dir / file), written) << file;
            // The summary is whole either way.
            EXPECT_TRUE(nlohmann::json::accept(out.str()));
        }
    }
}

TEST_F(StopsAndFiles, ATextOfAnyLengthAndAnyBytesReachesTheSummaryWholeAndValid) {
    // 65000 bytes that are not UTF-8, typed where a number belongs: the window's message
    // quotes them all; the summary keeps every byte as its Latin-1 character, and
    // standard error names the option with 40 of them.
    const std::string typed(65000, '\xFF');
    EXPECT_EQ(Run({"bulk", "--spectrum", B, "--constant-n", typed, "--save", temp.File("x")}), kBatchStopped);
    const nlohmann::json summary = nlohmann::json::parse(out.str());
    const std::string message = summary["message"];
    std::string latin1;
    for (int i = 0; i < 65000; ++i) latin1 += "\xC3\xBF";
    EXPECT_EQ(message, "'" + latin1 + "' is not a valid floating point value");
    EXPECT_LT(FirstErrorLine().find(": '"), 250u);
}

}  // namespace
}  // namespace optc
