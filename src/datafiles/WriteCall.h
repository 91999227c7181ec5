#pragma once
// The system call that writes the bytes of a results file. The program always uses
// ::write; a test puts another call in its place to make the disk run full at a
// chosen moment, which no real file system does on demand.
#include <sys/types.h>

#include <cstddef>
#include <functional>

namespace optc {

using WriteCall = std::function<ssize_t(int fd, const void* bytes, std::size_t size)>;

// Writes through the call in force.
ssize_t WriteBytes(int fd, const void* bytes, std::size_t size);

// Puts `call` in force while the object lives, then the call it replaced again.
class ScopedWriteCall {
public:
    explicit ScopedWriteCall(WriteCall call);
    ~ScopedWriteCall();
    ScopedWriteCall(const ScopedWriteCall&) = delete;
    ScopedWriteCall& operator=(const ScopedWriteCall&) = delete;

private:
    WriteCall replaced_;
};

}  // namespace optc
