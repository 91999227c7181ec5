#include "datafiles/WriteCall.h"

#include <unistd.h>

#include <utility>

namespace optc {

namespace {
WriteCall& CallInForce() {
    static WriteCall call;  // empty: ::write
    return call;
}
}  // namespace

ssize_t WriteBytes(int fd, const void* bytes, std::size_t size) {
    const WriteCall& call = CallInForce();
    return call ? call(fd, bytes, size) : ::write(fd, bytes, size);
}

ScopedWriteCall::ScopedWriteCall(WriteCall call) : replaced_(std::exchange(CallInForce(), std::move(call))) {}

ScopedWriteCall::~ScopedWriteCall() { CallInForce() = std::move(replaced_); }

}  // namespace optc
