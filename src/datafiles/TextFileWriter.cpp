#include "datafiles/TextFileWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "datafiles/FileErrors.h"
#include "datafiles/WriteCall.h"

namespace optc {

namespace {
// Results files reach a few megabytes; writing in blocks keeps the system calls few.
constexpr std::size_t kBlock = 1 << 16;
}  // namespace

TextFileWriter::~TextFileWriter() {
    if (fd_ >= 0) ::close(fd_);
}

void TextFileWriter::FailWrite(int err) {
    ::close(fd_);
    fd_ = -1;
    buffer_.clear();
    RaiseFileError(err, FileOp::Write, path_);
}

void TextFileWriter::Create(const std::string& path) {
    if (fd_ >= 0) Close();
    buffer_.clear();
    path_ = path;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) RaiseFileError(errno, FileOp::Create, path);
    fd_ = fd;
}

void TextFileWriter::WriteLine(std::string_view text) {
    if (fd_ < 0) throw EInOutError(kIoFileNotOpen, IoErrorText(kIoFileNotOpen));
    buffer_.append(text);
    buffer_.push_back('\r');
    buffer_.push_back('\n');
    if (buffer_.size() >= kBlock) Flush();
}

void TextFileWriter::Flush() {
    const char* p = buffer_.data();
    std::size_t left = buffer_.size();
    while (left > 0) {
        const ssize_t n = WriteBytes(fd_, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            FailWrite(errno);
        }
        // A write that takes nothing has run out of room.
        if (n == 0) FailWrite(ENOSPC);
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

void TextFileWriter::Close() {
    if (fd_ < 0) throw EInOutError(kIoFileNotOpen, IoErrorText(kIoFileNotOpen));
    Flush();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) RaiseFileError(errno, FileOp::Close, path_);
}

}  // namespace optc
