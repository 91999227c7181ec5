#pragma once
// Writes a results file: created in binary mode (an existing file is replaced), one
// line at a time with "\r\n" line ends, then closed. Every failure raises the
// EInOutError of the file layer; a file that failed is closed and may be partly written.
#include <string>
#include <string_view>

namespace optc {

class TextFileWriter {
public:
    TextFileWriter() = default;
    ~TextFileWriter();  // closes without reporting, for a save ended by an error
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void Create(const std::string& path);
    void WriteLine(std::string_view text);
    // Writes what is still buffered and closes; a failure here is a failed save too.
    void Close();

    bool IsOpen() const { return fd_ >= 0; }

private:
    void Flush();
    [[noreturn]] void FailWrite(int err);

    int fd_ = -1;
    std::string path_;  // for the detail of an error
    std::string buffer_;
};

}  // namespace optc
