#pragma once
// Where a reader's bytes come from: a file read block by block, or bytes already in
// memory (the tests and the fuzzers). Every spectrum reader takes one of these, so a
// file is opened and read in one place only.
#include <cstddef>
#include <string>
#include <string_view>

namespace optc {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `room` bytes; 0 only at the end.
    virtual std::size_t Read(char* to, std::size_t room) = 0;
};

// A regular file opened for reading, closed when it goes. File errors raise EInOutError
// with the runtime's texts and a detail naming the path; a folder, a pipe or a device
// is refused ("File access denied") rather than read or waited for.
class FileBytes : public ByteSource {
public:
    explicit FileBytes(const std::string& path);
    ~FileBytes() override;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    std::size_t Read(char* to, std::size_t room) override;

private:
    std::string path_;
    int fd_;
};

class MemoryBytes : public ByteSource {
public:
    explicit MemoryBytes(std::string_view bytes) : rest_(bytes) {}
    std::size_t Read(char* to, std::size_t room) override;

private:
    std::string_view rest_;
};

}  // namespace optc
