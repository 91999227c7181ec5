#include "datafiles/MoveCalls.h"

#include <unistd.h>

#include <cstdio>
#include <utility>

namespace optc {

namespace {
MoveCall& RenameInForce() {
    static MoveCall call;  // empty: ::rename
    return call;
}
MoveCall& LinkInForce() {
    static MoveCall call;  // empty: ::link
    return call;
}
}  // namespace

int RenamePath(const char* from, const char* to) {
    const MoveCall& call = RenameInForce();
    return call ? call(from, to) : std::rename(from, to);
}

int LinkPath(const char* from, const char* to) {
    const MoveCall& call = LinkInForce();
    return call ? call(from, to) : ::link(from, to);
}

ScopedMoveCalls::ScopedMoveCalls(MoveCall rename, MoveCall link)
    : replacedRename_(std::exchange(RenameInForce(), std::move(rename))),
      replacedLink_(std::exchange(LinkInForce(), std::move(link))) {}

ScopedMoveCalls::~ScopedMoveCalls() {
    RenameInForce() = std::move(replacedRename_);
    LinkInForce() = std::move(replacedLink_);
}

}  // namespace optc
