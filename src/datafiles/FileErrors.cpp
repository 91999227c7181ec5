#include "datafiles/FileErrors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace optc {

std::string IoErrorText(int code) {
    switch (code) {
        case kIoFileNotFound: return "File not found";
        case kIoAccessDenied: return "File access denied";
        case kIoReadBeyondEnd: return "Read beyond end of file";
        case kIoDiskFull: return "Disk full";
        default: return "I/O error " + std::to_string(code);
    }
}

namespace {

namespace fs = std::filesystem;

// -1 when the errno has no code of its own and is passed on unchanged.
int MappedCode(int err, FileOp op) {
    switch (err) {
        case ENOENT: return op == FileOp::Create ? kIoPathNotFound : kIoFileNotFound;
        case ENOTDIR: return kIoPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY: return kIoAccessDenied;
        case ENOSPC:
        case EDQUOT: return kIoDiskFull;
        default: return -1;
    }
}

// Paths longer than this are shown by their start and end.
constexpr std::size_t kShownPath = 160;

std::string ShownPath(const std::string& path) {
    if (path.size() <= kShownPath) return path;
    return path.substr(0, 100) + "..." + path.substr(path.size() - 57) + " (" + std::to_string(path.size()) +
           " characters)";
}

// What of the path is at fault, where the system's text alone does not say.
std::string WhatIsAtFault(int err, const std::string& path) {
    std::error_code ec;
    const fs::path whole(path);
    if (err == ENOENT) {
        // The outermost folder on the way that does not exist.
        fs::path missing;
        for (fs::path up = whole.parent_path(); !up.empty() && up != up.root_path(); up = up.parent_path()) {
            if (fs::exists(up, ec)) break;
            missing = up;
        }
        if (!missing.empty()) return "there is no folder " + ShownPath(missing.string());
    } else if (err == ENOTDIR) {
        for (fs::path up = whole.parent_path(); !up.empty() && up != up.root_path(); up = up.parent_path())
            if (fs::exists(up, ec) && !fs::is_directory(up, ec))
                return ShownPath(up.string()) + " is a file, not a folder";
    } else if (err == ENAMETOOLONG) {
        std::size_t longest = 0;
        for (const fs::path& part : whole) longest = std::max(longest, part.string().size());
        if (longest > 255) return "one name on the way has " + std::to_string(longest) + " characters, at most 255 go";
        return "the path has " + std::to_string(path.size()) + " characters";
    } else if (err == EISDIR) {
        return "a folder of that name is in the way";
    }
    return "";
}

EInOutError Detailed(EInOutError error, int err, const std::string& path) {
    error.SetDetail(FileDetail(path, SystemReason(err, path)), err);
    return error;
}

}  // namespace

int IoCodeFromErrno(int err, FileOp op) {
    const int code = MappedCode(err, op);
    return code >= 0 ? code : err;
}

EInOutError FileError(int err, FileOp op) {
    const int code = MappedCode(err, op);
    if (code >= 0) return EInOutError(code, IoErrorText(code));
    return EInOutError(err, "I/O error " + std::to_string(err));
}

EInOutError FileError(int err, FileOp op, const std::string& path) { return Detailed(FileError(err, op), err, path); }

void RaiseFileError(int err, FileOp op) { throw FileError(err, op); }

void RaiseFileError(int err, FileOp op, const std::string& path) { throw FileError(err, op, path); }

std::string FileDetail(const std::string& path, const std::string& reason) { return ShownPath(path) + ": " + reason; }

std::string SystemReason(int err, const std::string& path) {
    std::string reason = std::strerror(err);
    const std::string fault = WhatIsAtFault(err, path);
    return fault.empty() ? reason : reason + " (" + fault + ")";
}

}  // namespace optc
