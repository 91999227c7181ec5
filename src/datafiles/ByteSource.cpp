#include "datafiles/ByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "datafiles/FileErrors.h"

namespace optc {

namespace {

// What a name that is not a regular file is, for the message that refuses it.
const char* KindOf(mode_t mode) {
    if (S_ISFIFO(mode)) return "a pipe";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

}  // namespace

// Opened without waiting, so that a pipe no program writes to is refused instead of
// waited for; only a regular file is read.
FileBytes::FileBytes(const std::string& path)
    : path_(path), fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) {
    if (fd_ < 0) RaiseFileError(errno, FileOp::Open, path);
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = errno;
        ::close(fd_);
        if (st.st_mode == 0) RaiseFileError(err, FileOp::Read, path);
        if (S_ISDIR(st.st_mode)) RaiseFileError(EISDIR, FileOp::Read, path);
        EInOutError error = FileError(EACCES, FileOp::Open);
        error.SetDetail(FileDetail(path, std::string("it is ") + KindOf(st.st_mode) + ", not a file to read"), EACCES);
        throw error;
    }
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
}

FileBytes::~FileBytes() { ::close(fd_); }  // read-only: nothing is lost if closing fails

std::size_t FileBytes::Read(char* to, std::size_t room) {
    for (;;) {
        const ssize_t n = ::read(fd_, to, room);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) RaiseFileError(errno, FileOp::Read, path_);
    }
}

std::size_t MemoryBytes::Read(char* to, std::size_t room) {
    const std::size_t n = std::min(room, rest_.size());
    if (n > 0) std::memcpy(to, rest_.data(), n);
    rest_.remove_prefix(n);
    return n;
}

}  // namespace optc
