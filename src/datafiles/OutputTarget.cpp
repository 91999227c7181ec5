#include "datafiles/OutputTarget.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "datafiles/FileErrors.h"
#include "datafiles/WriteCall.h"

namespace optc {

namespace {

// The name a chain of symbolic links leads to, whether or not it exists. A loop is
// left to the system, which refuses it when the name is used.
std::string FollowLinks(const std::string& path) {
    std::string p = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(p.c_str(), target, sizeof target);
        if (n <= 0 || static_cast<std::size_t>(n) >= sizeof target) return p;
        const std::string to(target, static_cast<std::size_t>(n));
        p = to.front() == '/' ? to : (std::filesystem::path(p).parent_path() / to).string();
    }
    return p;
}

[[noreturn]] void Refuse(int err, const std::string& path, const std::string& why) {
    EInOutError error = FileError(err, FileOp::Create);
    error.SetDetail(FileDetail(path, why), err);
    throw error;
}

}  // namespace

OutputTarget ChooseOutputTarget(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        const int err = errno;
        // Nothing there yet: a new file, also at the end of a link that leads nowhere yet.
        if (err == ENOENT) return {OutputTarget::Kind::File, FollowLinks(path)};
        RaiseFileError(err, FileOp::Create, path);
    }
    if (S_ISREG(st.st_mode)) {
        const std::string file = FollowLinks(path);
        if (::access(file.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0)
            Refuse(EACCES, path, "the file is read-only; it is not replaced");
        return {OutputTarget::Kind::File, file};
    }
    if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) return {OutputTarget::Kind::Stream, path};
    if (S_ISDIR(st.st_mode)) Refuse(EISDIR, path, "it is a folder; name a file in it");
    Refuse(EACCES, path,
           std::string(S_ISBLK(st.st_mode) ? "it is a block device" : "it is a socket") +
               "; files are written to regular files, pipes and terminals only");
}

int OpenStreamTarget(const std::string& path) {
    // Without a reader, a pipe would make the program wait for ever.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (err == ENXIO) Refuse(err, path, "no program is reading from this pipe");
        RaiseFileError(err, FileOp::Create, path);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

std::string MakeStreamTemporary(const std::string& shown) {
    const char* folder = std::getenv("TMPDIR");
    std::string name = std::string(folder && *folder ? folder : "/tmp") + "/optical-constants-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        const int err = errno;
        Refuse(err, shown, "no temporary file could be made in " + name.substr(0, name.rfind('/')) + ": " +
                               SystemReason(err, name));
    }
    ::close(fd);
    return name;
}

void CopyIntoStream(const std::string& temporary, int fd, const std::string& shown) {
    const int in = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) RaiseFileError(errno, FileOp::Read, temporary);
    // A closed pipe answers EPIPE here instead of ending the program with SIGPIPE; a
    // signal raised meanwhile is taken back before the mask is restored.
    sigset_t pipe, before;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, &before);
    int failure = 0;
    char block[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in, block, sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n < 0) failure = errno;
            break;
        }
        for (ssize_t done = 0; done < n && failure == 0;) {
            const ssize_t w = WriteBytes(fd, block + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) failure = w < 0 ? errno : ENOSPC;
            else done += w;
        }
        if (failure != 0) break;
    }
    ::close(in);
    if (failure == EPIPE) {
        const timespec none{0, 0};
        sigtimedwait(&pipe, nullptr, &none);
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    if (failure == EPIPE) Refuse(failure, shown, "the program reading from this pipe stopped reading");
    if (failure != 0) RaiseFileError(failure, FileOp::Write, shown);
}

}  // namespace optc
