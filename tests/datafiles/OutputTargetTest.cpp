// What every writer of the program does with the name it is given: a regular file is
// replaced all or none, a link is followed and kept, a pipe or terminal is written
// straight, and a folder, a socket, a device that is not a terminal, a pipe nobody
// reads and a read-only file are refused before anything is written, with a detail
// that names the path and the reason.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "datafiles/FileErrors.h"
#include "datafiles/ResultsFileSet.h"
#include "datafiles/TextFileWriter.h"
#include "support/TempFolder.h"

namespace optc {
namespace {

namespace fs = std::filesystem;

void WriteTable(const std::string& target) {
    WriteFileAllOrNone(target, [](const std::string& path) {
        TextFileWriter file;
        file.Create(path);
        file.WriteLine("Lambda  T");
        file.Close();
    });
}

// The error of a refused write, or nothing when it was written.
std::optional<EInOutError> Refusal(const std::function<void()>& write) {
    try {
        write();
    } catch (const EInOutError& e) {
        return e;
    }
    return std::nullopt;
}

TEST(OutputTarget, EachKindOfNameIsWrittenOrRefusedAsItMayBe) {
    testing::TempFolder temp("output_target");
    const std::string folder = temp.Path().string();
    const std::string written = "Lambda  T\r\n";
    struct Case {
        const char* what;
        std::function<std::string()> make;  // makes what the name names; returns the name
        const char* error;                  // nothing: written
        const char* detail;                 // a part of the detail line
        std::function<void(const std::string&)> after;
    };
    const Case cases[] = {
        {"a new file", [&] { return folder + "/new.txt"; }, nullptr, nullptr,
         [&](const std::string& p) { EXPECT_EQ(testing::ReadFile(p), written); }},
        {"a file replaced", [&] { return temp.Write("old.txt", "old"); }, nullptr, nullptr,
         [&](const std::string& p) { EXPECT_EQ(testing::ReadFile(p), written); }},
        {"a link: its file is written, the link stays",
         [&] {
             temp.Write("target.txt", "old");
             fs::create_symlink("target.txt", folder + "/link.txt");
             return folder + "/link.txt";
         },
         nullptr, nullptr,
         [&](const std::string& p) {
             EXPECT_TRUE(fs::is_symlink(p));
             EXPECT_EQ(testing::ReadFile(folder + "/target.txt"), written);
         }},
        {"a link to no file yet",
         [&] {
             fs::create_symlink("later.txt", folder + "/dangling.txt");
             return folder + "/dangling.txt";
         },
         nullptr, nullptr,
         [&](const std::string& p) {
             EXPECT_TRUE(fs::is_symlink(p));
             EXPECT_EQ(testing::ReadFile(folder + "/later.txt"), written);
         }},
        {"the null device", [] { return std::string("/dev/null"); }, nullptr, nullptr,
         [](const std::string& p) { EXPECT_TRUE(fs::is_character_file(p)); }},
        {"a folder",
         [&] {
             fs::create_directory(folder + "/sub");
             return folder + "/sub";
         },
         "File access denied", "it is a folder", [](const std::string& p) { EXPECT_TRUE(fs::is_empty(p)); }},
        {"a pipe nobody reads",
         [&] {
             ::mkfifo((folder + "/fifo").c_str(), 0666);
             return folder + "/fifo";
         },
         "I/O error 6", "no program is reading from this pipe",
         [](const std::string& p) { EXPECT_TRUE(fs::is_fifo(p)); }},
        {"a socket",
         [&] {
             const std::string p = folder + "/sock";
             const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
             sockaddr_un a{};
             a.sun_family = AF_UNIX;
             p.copy(a.sun_path, sizeof a.sun_path - 1);
             ::bind(s, reinterpret_cast<const sockaddr*>(&a), sizeof a);
             ::close(s);
             return p;
         },
         "File access denied", "it is a socket", [](const std::string& p) { EXPECT_TRUE(fs::is_socket(p)); }},
        {"a read-only file",
         [&] {
             const std::string p = temp.Write("kept.txt", "kept");
             fs::permissions(p, fs::perms::owner_read | fs::perms::group_read);
             return p;
         },
         "File access denied", "the file is read-only",
         [](const std::string& p) { EXPECT_EQ(testing::ReadFile(p), "kept"); }},
        {"a missing folder", [&] { return folder + "/none/deeper/t.txt"; }, "I/O error 3",
         "(there is no folder " , [](const std::string&) {}},
        {"a file where a folder should be", [&] { return temp.Write("plain.txt", "x") + "/t.txt"; }, "I/O error 3",
         "plain.txt is a file, not a folder", [](const std::string&) {}},
        {"a name too long", [&] { return folder + "/" + std::string(300, 'n') + ".txt"; }, "I/O error 36",
         "one name on the way has 304 characters", [](const std::string&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = c.make();
        const auto refusal = Refusal([&] { WriteTable(name); });
        if (!c.error) {
            EXPECT_FALSE(refusal) << refusal->what() << " / " << refusal->Detail();
        } else {
            ASSERT_TRUE(refusal);
            EXPECT_STREQ(refusal->what(), c.error);
            EXPECT_EQ(refusal->Detail().rfind(name.substr(0, 100), 0), 0u) << refusal->Detail();
            EXPECT_NE(refusal->Detail().find(c.detail), std::string::npos) << refusal->Detail();
        }
        c.after(name);
        // Nothing left behind beside the name.
        for (const auto& entry : fs::directory_iterator(folder))
            EXPECT_EQ(entry.path().string().find(".part"), std::string::npos) << entry.path();
    }
}

// A pipe with a reader gets the whole file, once every file of the set is written;
// a save that fails sends it nothing.
TEST(OutputTarget, APipeGetsTheFileOnlyWhenTheWholeSetWasWritten) {
    testing::TempFolder temp("output_pipe");
    const std::string fifo = temp.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    for (const bool fail : {false, true}) {
        SCOPED_TRACE(fail ? "a failed save" : "a save");
        // The read end open first: the writer finds a reader. The table fits the pipe's buffer.
        const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        const auto refusal = Refusal([&] {
            ResultsFileSet files;
            files.Write(fifo, [](const std::string& path) {
                TextFileWriter file;
                file.Create(path);
                file.WriteLine("1 2");
                file.Close();
            });
            files.Write(temp.File("second.txt"), [fail](const std::string& path) {
                TextFileWriter().Create(path);
                if (fail) RaiseFileError(ENOSPC, FileOp::Write, path);
            });
            files.Commit();
        });
        EXPECT_EQ(static_cast<bool>(refusal), fail);
        if (refusal) {
            EXPECT_EQ(refusal->Detail(), temp.File("second.txt") + ": No space left on device");
        }
        std::string got;
        char block[256];
        for (ssize_t n; (n = ::read(reader, block, sizeof block)) > 0;) got.append(block, static_cast<std::size_t>(n));
        ::close(reader);
        EXPECT_EQ(got, fail ? "" : "1 2\r\n");
        EXPECT_TRUE(fs::is_fifo(fifo));
    }
}

}  // namespace
}  // namespace optc
