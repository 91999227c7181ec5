// Results files all or none: a move into place that fails part-way, on a folder with
// and without hard links, leaves the folder exactly as it was; files of the user that
// carry the names of temporaries or backups are never touched.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "datafiles/FileErrors.h"
#include "datafiles/MoveCalls.h"
#include "datafiles/ResultsFileSet.h"
#include "datafiles/TextFileWriter.h"
#include "support/TempFolder.h"

namespace optc {
namespace {

namespace fs = std::filesystem;
using Folder = std::map<std::string, std::string>;  // file name -> bytes

class ResultsFileSetTest : public ::testing::Test {
protected:
    std::string Final(int k) const { return temp.File("s" + std::string(kEndings[k])); }

    // Saves one line per file, `text` followed by the file's number.
    void Save(const std::string& text) {
        ResultsFileSet files;
        for (int k = 0; k < 4; ++k) {
            files.Write(Final(k), [&](const std::string& path) {
                TextFileWriter file;
                file.Create(path);
                file.WriteLine(text + std::to_string(k));
                file.Close();
            });
        }
        files.Commit();
    }

    Folder Contents() const {
        Folder folder;
        for (const auto& entry : fs::directory_iterator(temp.Path()))
            folder[entry.path().filename().string()] = testing::ReadFile(entry.path().string());
        return folder;
    }

    static constexpr const char* kEndings[] = {"Ref.txt", "Abs.txt", "tauc.txt", "FreeTrans.txt"};
    testing::TempFolder temp{"results_file_set"};
};

TEST_F(ResultsFileSetTest, AFailedMoveLeavesEveryEarlierFileAsItWas) {
    struct Case {
        int failAt;  // the file whose move into place fails; -1: none
        bool hardLinks;
    };
    const Case cases[] = {{1, true}, {2, true}, {-1, true}, {1, false}, {2, false}, {-1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE("fail at " + std::to_string(c.failAt) + (c.hardLinks ? ", hard links" : ", no hard links"));
        fs::remove_all(temp.Path());
        fs::create_directories(temp.Path());
        Save("old ");
        fs::remove(Final(1));  // new in the next save: it must go again on failure
        const Folder before = Contents();

        const std::string failing = c.failAt >= 0 ? Final(c.failAt) : "";
        int moves = 0;
        ScopedMoveCalls calls(
            [&](const char* from, const char* to) {
                ++moves;
                if (to == failing && std::strstr(from, ".part")) {
                    errno = EBUSY;  // a mount on the final name
                    return -1;
                }
                return std::rename(from, to);
            },
            c.hardLinks ? MoveCall() : [](const char*, const char*) {
                errno = EPERM;  // as a FAT file system answers
                return -1;
            });
        if (c.failAt < 0) {
            Save("new ");
            Folder after;
            for (int k = 0; k < 4; ++k) after["s" + std::string(kEndings[k])] = "new " + std::to_string(k) + "\r\n";
            EXPECT_EQ(Contents(), after);
            continue;
        }
        try {
            Save("new ");
            ADD_FAILURE() << "the save reported success";
        } catch (const EInOutError& e) {
            EXPECT_STREQ(e.what(), "I/O error 16");
        }
        EXPECT_EQ(Contents(), before);  // byte for byte, no temporary, no backup
        EXPECT_GT(moves, c.failAt + 1);  // earlier files had moved and were put back
    }
}

TEST_F(ResultsFileSetTest, FilesOfTheUserUnderTheTemporaryAndBackupNamesAreNeverTouched) {
    Save("old ");
    const std::string user = "a spectrum of the user's\r\n";
    for (const char* ending : {".part", ".part2", ".backup"}) temp.Write(std::string("sAbs.txt") + ending, user);
    Folder expected = Contents();

    // A save that fails while writing its second file.
    try {
        ResultsFileSet files;
        files.Write(Final(0), [](const std::string& path) { TextFileWriter().Create(path); });
        files.Write(Final(1), [](const std::string& path) {
            TextFileWriter file;
            file.Create(path);
            RaiseFileError(ENOSPC, FileOp::Write);
        });
        ADD_FAILURE() << "the save reported success";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Disk full");
    }
    EXPECT_EQ(Contents(), expected);

    Save("new ");
    for (int k = 0; k < 4; ++k) expected["s" + std::string(kEndings[k])] = "new " + std::to_string(k) + "\r\n";
    EXPECT_EQ(Contents(), expected);
}

}  // namespace
}  // namespace optc
