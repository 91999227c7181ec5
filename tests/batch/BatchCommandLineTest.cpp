// The batch command line as the user meets it: every option the parser knows is
// explained in --help and in the manual page, a wrong command line is told in the
// batch's own words whatever part of the parser finds it, and the summary's reals
// are written as the windows write them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <streambuf>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/batch/BatchRun.h"
#include "app/Version.h"
#include "numerics/FloatText.h"
#include "support/TempFolder.h"

namespace optc {
namespace {

using Names = std::set<std::string>;

// The long names of the options in a text: the first word of each "  -" line of the
// help, or every "--name" in the manual page's OPTIONS section.
Names HelpOptions(const std::string& help) {
    Names names;
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("  -", 0) != 0) continue;
        std::istringstream first(line.substr(2, line.find(' ', 2) - 2));
        for (std::string name; std::getline(first, name, ',');)
            if (name.rfind("--", 0) == 0) names.insert(name);
    }
    return names;
}

Names ManualPageOptions(const std::string& page) {
    const std::size_t start = page.find("\n.SH OPTIONS\n");
    const std::string section = page.substr(start, page.find("\n.SH ", start + 1) - start);
    std::string text;  // roff's "\-" is a plain "-"
    for (std::size_t i = 0; i < section.size(); ++i)
        if (section.compare(i, 2, "\\-") != 0) text += section[i];
    Names names;
    for (std::size_t at = text.find("--"); at != std::string::npos;) {
        const std::size_t end = std::min(text.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-", at), text.size());
        names.insert(text.substr(at, end - at));
        at = text.find("--", end);
    }
    return names;
}

TEST(BatchCommandLine, EveryOptionIsExplainedInTheHelpAndTheManualPage) {
    const std::vector<std::string> known = BatchOptionNames();
    const Names parser(known.begin(), known.end());
    ASSERT_EQ(parser.size(), known.size());
    EXPECT_TRUE(parser.count("--spectrum") && parser.count("--orders") && parser.count("--reflection-spectrum") &&
                parser.count("--help") && parser.count("--version"));

    EXPECT_EQ(HelpOptions(BatchHelp()), parser);

    std::ifstream file("packaging/optical-constants-batch.1", std::ios::binary);
    ASSERT_TRUE(file) << "run from the source tree";
    std::ostringstream page;
    page << file.rdbuf();
    EXPECT_EQ(ManualPageOptions(page.str()), parser);  // none missing, none stale
}

TEST(BatchCommandLine, WrongCommandLinesAreToldInTheBatchsOwnWords) {
    const std::string T = "examples/bulk-transmission.txt";
    // Where a run that was wrongly let through would write its results.
    const testing::TempFolder temp{"batch_wrong"};
    const std::string b = temp.File("b");
    const std::string o = temp.File("o.txt"), linked = temp.File("e.txt");
    std::filesystem::create_directory(temp.File("sub"));
    temp.Write("xAbs.txt", "an older results file\n");
    std::filesystem::create_hard_link(temp.File("xAbs.txt"), linked);
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    const std::vector<Case> cases = {
        {{}, "no analysis given (thinfilm or bulk)"},
        {{"--n0", "1", "thinfilm", "--spectrum", T, "--save", b}, "unknown analysis '--n0' (thinfilm or bulk)"},
        {{"thinfilm", "--spectrum", T, "--bogus", "--save", b}, "unknown option '--bogus'"},
        {{"thinfilm", "--spectrum", T, "--save", b, "bulk"}, "unknown option 'bulk'"},
        {{"thinfilm", "--spectrum", T, "--save", b, "--", "extra"}, "unknown option 'extra'"},
        {{"thinfilm", "--spectrum", T, "--constant-r", "9", "--save", b},
         "option --constant-r does not belong to a thinfilm run"},
        {{"bulk", "--spectrum", T, "--constant-r", "9", "--orders", temp.File("o"), "--save", b},
         "option --orders does not belong to a bulk run"},
        {{"thinfilm", "--spectrum", T, "--n0", "1", "--n0", "2", "--save", b}, "option --n0 given twice"},
        {{"thinfilm", "--spectrum", T, "--direct", "--direct", "--save", b}, "option --direct given twice"},
        {{"thinfilm", "--spectrum", T, "--eg", "1", "2", "--eg", "1", "2", "--save", b},
         "option --eg given twice"},
        {{"thinfilm", "--spectrum", T, "--save"}, "option --save needs a value"},
        {{"thinfilm", "--spectrum", T, "--save", b, "--eg", "2.4"}, "option --eg needs two values"},
        // A value is taken as typed, even one that looks like an option.
        {{"thinfilm", "--spectrum", T, "--eg", "2.4", "--save", b}, "unknown option '" + b + "'"},
        {{"thinfilm", "--spectrum", T, "--save", ""}, "--save needs a non-empty BASE"},
        // Results files of one run that are one file, by name or by a hard link.
        {{"thinfilm", "--spectrum", T, "--orders", b + "Ref.txt", "--save-extrema", b + "Ref.txt", "--save", b},
         "results file " + b + "Ref.txt of --save would overwrite the --orders file"},
        {{"thinfilm", "--spectrum", T, "--orders", o, "--save-extrema", temp.File("./sub/../o.txt"), "--save", b},
         "results file " + temp.File("./sub/../o.txt") + " of --save-extrema would overwrite the --orders file"},
        {{"thinfilm", "--spectrum", T, "--save-extrema", linked, "--save", temp.File("x")},
         "results file " + linked + " of --save-extrema would overwrite the --save file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        std::ostringstream out, err;
        EXPECT_EQ(RunBatch(c.args, out, err), kBatchWrongUsage);
        EXPECT_EQ(out.str(), "");
        const std::string text = err.str();
        EXPECT_EQ(text.substr(0, text.find('\n')), "optical-constants-batch: " + c.error);
        EXPECT_TRUE(text.ends_with("\n\n" + BatchUsage()));
    }

    std::ostringstream out, err;
    for (const std::vector<std::string>& version : {std::vector<std::string>{"--version"}, {"bulk", "--version"},
                                                    {"thinfilm", "--spectrum", T, "--version"}}) {
        out.str("");
        EXPECT_EQ(RunBatch(version, out, err), kBatchDone);
        EXPECT_EQ(out.str(), std::string("optical-constants-batch ") + kProgramVersion + "\n");
    }
    out.str("");
    EXPECT_EQ(RunBatch({"bulk", "--help"}, out, err), kBatchDone);
    EXPECT_EQ(out.str(), BatchHelp());
    EXPECT_EQ(err.str(), "");
}

// Standard output on a full disk: its buffer takes a little, then nothing is written.
class FullOutput : public std::streambuf {
public:
    FullOutput() { setp(buffer_, buffer_ + sizeof buffer_); }

private:
    int_type overflow(int_type) override { return traits_type::eof(); }
    int sync() override { return -1; }
    char buffer_[64];
};

TEST(BatchCommandLine, ATextOrSummaryThatDoesNotReachStandardOutputFailsTheRun) {
    const testing::TempFolder temp{"batch_full_output"};
    const std::vector<std::vector<std::string>> runs = {
        {"--version"},  // fits the buffer: lost only when it is flushed
        {"thinfilm", "--help"},
        {"bulk", "--spectrum", "examples/bulk-transmission.txt", "--constant-r", "10", "--save", temp.File("s")},
    };
    for (const auto& args : runs) {
        SCOPED_TRACE(args[0]);
        FullOutput full;
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(RunBatch(args, out, err), kBatchStopped);
        EXPECT_EQ(err.str(), "optical-constants-batch: standard output could not be written\n");
    }
}

TEST(BatchCommandLine, SummaryRealsAreWrittenAsTheWindowsWriteThem) {
    SetDecimalSeparator('.');
    FringeOrdersResult r;
    r.thicknessNm = 2000;
    r.thicknessSdNm = 1e-5;
    r.firstPassNm = 2000.0 / 3;
    r.used = 1;
    FringeOrderRow row;
    row.extremum = {1e15, ExtremumKind::Minimum, 0, 2.5};
    row.order = 9;
    r.rows = {row};
    EXPECT_EQ(FringeOrdersJson(FringeOrdersOutcome{r, ""}),
              "{\"thicknessNm\": 2000, \"thicknessSdNm\": 1E-5, \"firstPassNm\": 666.666666666667, \"used\": 1, "
              "\"orderAmbiguous\": false, \"alternativeNm\": null, \"kindsSwapped\": false, \"rows\": "
              "[{\"lambdaNm\": 1E15, \"type\": \"min\", \"n1\": 2.5, \"order\": 9, \"d2Nm\": 0, \"n2\": 0, "
              "\"used\": false}], \"nonUniformityNm\": null, \"nonUniformitySdNm\": null, "
              "\"spreadCorrected\": false, \"lowerIndex\": false, \"warnings\": []}");
    EXPECT_EQ(FringeOrdersJson(FringeOrdersOutcome{std::nullopt, "\"1\xff\""}), R"({"reason": "\"1\u00ff\""})");
    EXPECT_EQ(FringeOrdersJson(std::nullopt), "null");
}

}  // namespace
}  // namespace optc
