#include "datafiles/FileErrors.h"

#include <cerrno>

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

void RaiseFileError(int err, FileOp op) { throw FileError(err, op); }

}  // namespace optc
