#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "PairText.h"
#include "datafiles/FileErrors.h"
#include "datafiles/TextFileWriter.h"
#include "support/TempFolder.h"

namespace optc::test {
namespace {

namespace fs = std::filesystem;

class FileLayer : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return temp_.File(name); }
    void Put(const std::string& name, const std::string& bytes) const { temp_.Write(name, bytes); }
    std::string Get(const std::string& name) const { return testing::ReadFile(Path(name)); }

    testing::TempFolder temp_{"optc-spectra"};
    fs::path dir_ = temp_.Path();
};

// Runs f, expecting an EInOutError with the given code and text.
template <class F>
void ExpectIoError(F f, int code, const std::string& text) {
    try {
        f();
        ADD_FAILURE() << "no error, expected " << text;
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Code(), code);
        EXPECT_EQ(std::string(e.what()), text);
    }
}

TEST(FileErrors, CodesAndTexts) {
    EXPECT_EQ(FileError(ENOENT, FileOp::Open).what(), std::string("File not found"));
    EXPECT_EQ(FileError(ENOENT, FileOp::Create).what(), std::string("I/O error 3"));
    EXPECT_EQ(FileError(ENOTDIR, FileOp::Open).what(), std::string("I/O error 3"));
    for (int err : {EACCES, EPERM, EROFS, EISDIR})
        EXPECT_EQ(FileError(err, FileOp::Create).what(), std::string("File access denied"));
    EXPECT_EQ(FileError(ENOSPC, FileOp::Write).Code(), 101);
    EXPECT_EQ(FileError(EDQUOT, FileOp::Close).what(), std::string("Disk full"));
    EXPECT_EQ(IoErrorText(100), "Read beyond end of file");
    // An errno that shares its number with a code of its own keeps the general text.
    EXPECT_EQ(FileError(EIO, FileOp::Read).what(), "I/O error " + std::to_string(EIO));
    EXPECT_EQ(FileError(EMFILE, FileOp::Open).Code(), EMFILE);
}

TEST_F(FileLayer, ReadsSpectrumFiles) {
    Put("t.txt", "Wavelength Trans\r\n400 80\r\n401 81\r\n");
    const PairTable p = ReadPairs(Path("t.txt"), RestartMode::Below100);
    EXPECT_EQ(p.count, 2);
    EXPECT_EQ(p.y[1], 81);

    Put("big.txt", DataLines(kCapacity + 1));
    const PairTable big = ReadPairs(Path("big.txt"), RestartMode::Always);
    EXPECT_TRUE(big.truncated);
    EXPECT_EQ(big.count, kCapacity);

    ExpectIoError([&] { ReadPairs(Path("missing.txt"), RestartMode::Always); }, 2, "File not found");
    ExpectIoError([&] { ReadPairs(dir_.string(), RestartMode::Always); }, 5, "File access denied");
    ExpectIoError([&] { ReadPairs(Path("t.txt") + "/x", RestartMode::Always); }, 3, "I/O error 3");
}

TEST_F(FileLayer, WriterProducesExactBytes) {
    Put("resAbs.txt", std::string(5000, 'x'));  // replaced, not overwritten in place
    TextFileWriter w;
    w.Create(Path("resAbs.txt"));
    w.WriteLine("Energy                        Absorption");
    w.WriteLine("1.5  200");
    w.WriteLine("");
    w.Close();
    EXPECT_FALSE(w.IsOpen());
    EXPECT_EQ(Get("resAbs.txt"), "Energy                        Absorption\r\n1.5  200\r\n\r\n");

    // Many lines cross the internal blocks without losing or repeating a byte.
    std::string expected;
    w.Create(Path("long.txt"));
    for (int k = 0; k < 30000; ++k) {
        const std::string line = std::to_string(k) + "  " + std::to_string(k * 7);
        w.WriteLine(line);
        expected += line + "\r\n";
    }
    w.Close();
    EXPECT_EQ(Get("long.txt"), expected);
}

TEST_F(FileLayer, WriterFailures) {
    TextFileWriter w;
    ExpectIoError([&] { w.Create(Path("no/such/folder/resRef.txt")); }, 3, "I/O error 3");
    ExpectIoError([&] { w.Create(dir_.string()); }, 5, "File access denied");
    ExpectIoError([&] { w.WriteLine("x"); }, 103, "I/O error 103");

    if (fs::exists("/dev/full")) {
        // A short file fails when its buffer is written at closing ...
        w.Create("/dev/full");
        w.WriteLine("Lambda     Refraction");
        ExpectIoError([&] { w.Close(); }, 101, "Disk full");
        EXPECT_FALSE(w.IsOpen());
        // ... a long one while it is being written.
        w.Create("/dev/full");
        ExpectIoError([&] { for (int k = 0; k < 100000; ++k) w.WriteLine("400.5  80.25"); },
                      101, "Disk full");
        EXPECT_FALSE(w.IsOpen());
    }
}

}  // namespace
}  // namespace optc::test
