#pragma once
// A spectrum file the program will not read, with the message that tells the user why.
// The import shows the message and changes nothing, as a cancelled dialog would.
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace optc {

class FileRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file's name without its folder, as the messages name it.
inline std::string FileNameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

// "Line 17 of sample.csv: <what>"
inline std::string LineMessage(std::int64_t line, const std::string& fileName, const std::string& what) {
    return "Line " + std::to_string(line) + " of " + fileName + ": " + what;
}

// What a line holding a number beyond the doubles is refused with.
inline const char* const kNumberTooLarge = "a number is too large to be read (Floating point overflow).";

// A number as a message shows it: the shortest text that reads back as the same double.
inline std::string ShownNumber(double v) {
    char text[32];
    const auto res = std::to_chars(text, text + sizeof text, v);
    return std::string(text, res.ptr);
}

}  // namespace optc
