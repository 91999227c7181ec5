// What the batch program writes never replaces what is not a file, and a file it cannot
// read or write is named on standard error with what is wrong with it, while the JSON
// keeps the window's text.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/batch/BatchRun.h"
#include "support/SourceTree.h"
#include "support/TempFolder.h"

namespace optc {
namespace {

namespace fs = std::filesystem;

std::string Example(const char* name) { return (fs::path(testing::kSourceTree) / "examples" / name).string(); }

TEST(OutputTargetsBatch, EachTargetIsWrittenOrRefusedWithItsReason) {
    testing::TempFolder temp("output_targets_batch");
    const std::string folder = temp.Path().string();
    ASSERT_EQ(::mkfifo((folder + "/fifo").c_str(), 0666), 0);
    fs::create_directory(folder + "/sub");
    const std::vector<std::string> film = {"thinfilm", "--spectrum", Example("thinfilm-transmission.txt"), "--fringes",
                                           Example("thinfilm-fringes.txt"), "--ns", "1.52"};
    struct Case {
        const char* what;
        std::vector<std::string> more;
        int status;
        std::string message;  // the JSON's message, when a run was made
        std::string err;      // a part of standard error
    };
    const Case cases[] = {
        {"extrema to the null device", {"--save-extrema", "/dev/null", "--save", folder + "/a"}, kBatchDone, "", ""},
        {"extrema to a pipe nobody reads", {"--save-extrema", folder + "/fifo", "--save", folder + "/b"},
         kBatchStopped, "I/O error 6", folder + "/fifo: no program is reading from this pipe"},
        {"results into a missing folder", {"--save", folder + "/none/c"}, kBatchStopped, "I/O error 3",
         "(there is no folder " + folder + "/none)"},
        {"extrema onto a folder", {"--save-extrema", folder + "/sub", "--save", folder + "/d"}, kBatchStopped,
         "File access denied", folder + "/sub: it is a folder; name a file in it"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> args = film;
        args.insert(args.end(), c.more.begin(), c.more.end());
        std::ostringstream out, err;
        EXPECT_EQ(RunBatch(args, out, err), c.status) << err.str();
        if (c.message.empty())
            EXPECT_NE(out.str().find("\"message\": null"), std::string::npos) << out.str();
        else
            EXPECT_NE(out.str().find("\"message\": \"" + c.message + "\""), std::string::npos) << out.str();
        EXPECT_NE(err.str().find(c.err), std::string::npos) << err.str();
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_TRUE(fs::is_fifo(folder + "/fifo"));
    EXPECT_TRUE(fs::is_empty(folder + "/sub"));

    // Spectra that are not files are refused on the command line with what they are.
    for (const auto& [path, why] : std::vector<std::pair<std::string, std::string>>{
             {folder + "/sub", ": it is a folder, not a file"},
             {folder + "/fifo", ": it is a pipe or a device, not a file"},
             {folder + "/gone.txt", ""}}) {
        std::ostringstream out, err;
        EXPECT_EQ(RunBatch({"thinfilm", "--spectrum", path, "--find-extrema", "--save", folder + "/e"}, out, err),
                  kBatchWrongUsage);
        const std::string expected = why.empty() ? "no such file: " + path : "--spectrum " + path + why;
        EXPECT_NE(err.str().find(expected), std::string::npos) << err.str();
    }
}

}  // namespace
}  // namespace optc
