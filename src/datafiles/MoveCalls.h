#pragma once
// The system calls that move written results files into place and keep the files they
// replace: rename and link. The program always uses ::rename and ::link; a test puts
// others in their place to make a move fail at a chosen file, or to act as a file
// system without hard links, which no real folder does on demand.
#include <functional>

namespace optc {

// Both take the existing name first and return 0, or -1 with errno set.
using MoveCall = std::function<int(const char* from, const char* to)>;

int RenamePath(const char* from, const char* to);
int LinkPath(const char* from, const char* to);

// Puts `rename` and `link` in force while the object lives (an empty one keeps the
// system call), then the calls they replaced again.
class ScopedMoveCalls {
public:
    ScopedMoveCalls(MoveCall rename, MoveCall link);
    ~ScopedMoveCalls();
    ScopedMoveCalls(const ScopedMoveCalls&) = delete;
    ScopedMoveCalls& operator=(const ScopedMoveCalls&) = delete;

private:
    MoveCall replacedRename_, replacedLink_;
};

}  // namespace optc
