#include "datafiles/ResultsFileSet.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "datafiles/FileErrors.h"

namespace optc {

ResultsFileSet::~ResultsFileSet() {
    for (std::size_t k = moved_; k < files_.size(); ++k) ::unlink(files_[k].temporary.c_str());
}

void ResultsFileSet::Write(const std::string& finalPath,
                           const std::function<void(const std::string& path)>& write) {
    // Registered first, so that a file that failed half-way is removed as well.
    files_.push_back({finalPath + ".part", finalPath});
    write(files_.back().temporary);
}

void ResultsFileSet::Commit() {
    // Renaming onto a folder fails; find out before the first file has moved.
    for (const File& file : files_) {
        struct stat st {};
        if (::stat(file.final.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) RaiseFileError(EISDIR, FileOp::Create);
    }
    for (; moved_ < files_.size(); ++moved_) {
        const File& file = files_[moved_];
        if (std::rename(file.temporary.c_str(), file.final.c_str()) != 0) RaiseFileError(errno, FileOp::Create);
    }
}

}  // namespace optc
