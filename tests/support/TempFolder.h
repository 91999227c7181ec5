#pragma once
// A private folder for the files of one test: under the system's temp folder, named
// after the test program's process and the running test, so that tests running side
// by side never share a file. It starts empty and goes, with all it holds, when the
// test ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>

#include <unistd.h>

namespace optc::testing {

class TempFolder {
public:
    // `prefix` tells the folders of one test program apart from the others'.
    explicit TempFolder(const std::string& prefix)
        : path_(std::filesystem::temp_directory_path() / (prefix + "_" + std::to_string(::getpid()) + "_" + TestName())) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The full name of a file in the folder.
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // Writes the bytes as they are to a file in the folder; returns its full name.
    std::string Write(const std::string& name, const std::string& content) const {
        std::string path = File(name);
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

private:
    // A parameterised test is named "Case/3": one folder, not a folder in a folder that
    // would be left behind.
    static std::string TestName() {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        return name;
    }

    std::filesystem::path path_;
};

// The bytes of a file, or nothing when it cannot be opened.
inline std::optional<std::string> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The bytes of a file; empty when it cannot be opened.
inline std::string ReadFile(const std::string& path) { return ReadBytes(path).value_or(""); }

}  // namespace optc::testing
