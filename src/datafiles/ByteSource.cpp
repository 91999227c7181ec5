#include "datafiles/ByteSource.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "datafiles/FileErrors.h"

namespace optc {

FileBytes::FileBytes(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) RaiseFileError(errno, FileOp::Open);
}

FileBytes::~FileBytes() { ::close(fd_); }  // read-only: nothing is lost if closing fails

std::size_t FileBytes::Read(char* to, std::size_t room) {
    for (;;) {
        const ssize_t n = ::read(fd_, to, room);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) RaiseFileError(errno, FileOp::Read);
    }
}

std::size_t MemoryBytes::Read(char* to, std::size_t room) {
    const std::size_t n = std::min(room, rest_.size());
    if (n > 0) std::memcpy(to, rest_.data(), n);
    rest_.remove_prefix(n);
    return n;
}

}  // namespace optc
