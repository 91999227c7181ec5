#pragma once
// A disk that runs full part-way through the n-th file written while the object lives:
// the files before it are written as usual; of the n-th, half of its first block
// reaches the disk, then every write fails with ENOSPC, as on a full file system.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <set>

#include "datafiles/WriteCall.h"

namespace optc::testing {

class DiskFullAtFile {
public:
    explicit DiskFullAtFile(std::size_t n)
        : call_([this, n](int fd, const void* bytes, std::size_t size) -> ssize_t {
              struct stat st {};
              ::fstat(fd, &st);
              files_.insert(st.st_ino);  // files written at once are told apart by inode
              if (files_.size() < n) return ::write(fd, bytes, size);
              if (!cut_ && size > 1) {
                  cut_ = true;
                  return ::write(fd, bytes, size / 2);
              }
              errno = ENOSPC;
              return -1;
          }) {}

private:
    std::set<ino_t> files_;
    bool cut_ = false;
    ScopedWriteCall call_;  // last: it uses the members above
};

}  // namespace optc::testing
