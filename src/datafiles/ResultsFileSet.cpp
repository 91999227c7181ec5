#include "datafiles/ResultsFileSet.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "datafiles/FileErrors.h"
#include "datafiles/MoveCalls.h"
#include "datafiles/OutputTarget.h"

namespace optc {

namespace {

constexpr const char* kTemporaryEnding = ".part";
constexpr const char* kBackupEnding = ".backup";
// Names tried before giving up ("I/O error 17"): only a folder crowded with files of
// these names runs out.
constexpr int kNameTries = 100;

// Makes a name that did not exist, "<final><ending>", else "<final><ending>2" and
// so on: `make` creates it and returns 0, or the errno that stopped it. Returns 0 with
// the name in `made`, or the errno of the first failure that is not a taken name.
int MakeFreeName(const std::string& final, const char* ending, const std::function<int(const std::string&)>& make,
                 std::string& made) {
    for (int k = 1; k <= kNameTries; ++k) {
        const std::string name = final + ending + (k == 1 ? "" : std::to_string(k));
        const int err = make(name);
        if (err == 0) made = name;
        if (err != EEXIST) return err;
    }
    return EEXIST;
}

int CreateEmpty(const std::string& name) {
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    ::close(fd);
    return 0;
}

}  // namespace

ResultsFileSet::~ResultsFileSet() {
    for (const File& file : files_) {
        if (!file.placed) ::unlink(file.temporary.c_str());
        if (file.stream >= 0) ::close(file.stream);
    }
}

void ResultsFileSet::Write(const std::string& finalPath,
                           const std::function<void(const std::string& path)>& write) {
    const OutputTarget target = ChooseOutputTarget(finalPath);
    File file;
    file.final = target.path;
    file.shown = finalPath;
    if (target.kind == OutputTarget::Kind::Stream) {
        file.stream = OpenStreamTarget(finalPath);
        try {
            file.temporary = MakeStreamTemporary(finalPath);
        } catch (...) {
            ::close(file.stream);
            throw;
        }
    } else if (const int err = MakeFreeName(file.final, kTemporaryEnding, CreateEmpty, file.temporary)) {
        RaiseFileError(err, FileOp::Create, finalPath);
    }
    // Registered before writing, so that a file that failed half-way is removed as well.
    files_.push_back(std::move(file));
    try {
        write(files_.back().temporary);
    } catch (EInOutError& error) {
        // The temporary's name means nothing to the user: the error is about the file.
        if (error.SystemError() != 0)
            error.SetDetail(FileDetail(finalPath, SystemReason(error.SystemError(), finalPath)), error.SystemError());
        throw;
    }
}

void ResultsFileSet::Commit() {
    // Renaming onto a folder fails; find out before the first file has moved.
    for (const File& file : files_) {
        struct stat st {};
        if (file.stream < 0 && ::stat(file.final.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            RaiseFileError(EISDIR, FileOp::Create, file.shown);
    }
    try {
        for (File& file : files_)
            if (file.stream < 0) Place(file);
        // What goes to a pipe cannot be taken back: it goes once every file is in place.
        for (File& file : files_)
            if (file.stream >= 0) CopyIntoStream(file.temporary, file.stream, file.shown);
    } catch (...) {
        Undo();
        throw;
    }
    for (File& file : files_) {
        if (!file.backup.empty()) ::unlink(file.backup.c_str());
        file.backup.clear();
    }
}

void ResultsFileSet::Place(File& file) {
    struct stat st {};
    if (::lstat(file.final.c_str(), &st) == 0) KeepReplaced(file);
    if (RenamePath(file.temporary.c_str(), file.final.c_str()) != 0) RaiseFileError(errno, FileOp::Create, file.shown);
    file.placed = true;
    file.finalIsOld = false;
}

// A second link to the file at the final name keeps it while the new file replaces it
// in one rename. Where the folder takes no hard links (FAT file systems, some network
// shares), the old file is renamed to a backup name the set has just made instead:
// the final name is then empty until the new file takes it, so a crash in between
// leaves the earlier results under the backup name, never lost.
void ResultsFileSet::KeepReplaced(File& file) {
    const auto link = [&file](const std::string& name) {
        return LinkPath(file.final.c_str(), name.c_str()) == 0 ? 0 : errno;
    };
    if (MakeFreeName(file.final, kBackupEnding, link, file.backup) == 0) {
        file.finalIsOld = true;
        return;
    }
    if (const int err = MakeFreeName(file.final, kBackupEnding, CreateEmpty, file.backup))
        RaiseFileError(err, FileOp::Create, file.shown);
    if (RenamePath(file.final.c_str(), file.backup.c_str()) != 0) {
        const int err = errno;
        ::unlink(file.backup.c_str());
        file.backup.clear();
        RaiseFileError(err, FileOp::Create, file.shown);
    }
}

// Latest first, each final name gets back what it held before Commit: the kept file,
// or nothing where the file is new. A kept file that cannot be put back stays under
// its backup name rather than be removed.
void ResultsFileSet::Undo() {
    for (auto file = files_.rbegin(); file != files_.rend(); ++file) {
        if (!file->backup.empty()) {
            if (file->finalIsOld)
                ::unlink(file->backup.c_str());
            else
                RenamePath(file->backup.c_str(), file->final.c_str());
        } else if (file->placed) {
            ::unlink(file->final.c_str());
        }
    }
}

void WriteFileAllOrNone(const std::string& finalPath, const std::function<void(const std::string& path)>& write) {
    ResultsFileSet file;
    file.Write(finalPath, write);
    file.Commit();
}

}  // namespace optc
