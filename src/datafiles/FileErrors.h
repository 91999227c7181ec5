#pragma once
// The file layer's errors: a failed system call becomes an EInOutError carrying the
// runtime's I/O error code and text, and, where the path is known, a detail line that
// names the path and the system's own reason, for the second line of an error box and
// the batch's standard error.
#include <string>

#include "numerics/Errors.h"

namespace optc {

// I/O error codes with a text of their own.
constexpr int kIoFileNotFound = 2;
constexpr int kIoPathNotFound = 3;
constexpr int kIoAccessDenied = 5;
constexpr int kIoReadBeyondEnd = 100;
constexpr int kIoDiskFull = 101;
constexpr int kIoFileNotOpen = 103;

// What the program was doing when the call failed; a missing folder reads differently
// when a file is created than when one is opened.
enum class FileOp { Open, Create, Read, Write, Close };

// "File not found", "File access denied", "Read beyond end of file", "Disk full", or
// "I/O error <code>" for every other code.
std::string IoErrorText(int code);

// The I/O error code for an errno value: ENOENT is a missing file (2) when opening and
// a missing folder (3) when creating; ENOTDIR a missing folder; EACCES, EPERM, EROFS,
// EISDIR and ETXTBSY access denied (5); ENOSPC and EDQUOT a full disk (101). Any other
// errno is passed on as the code.
int IoCodeFromErrno(int err, FileOp op);

// The error for a failed call. An errno passed on as it is always reads
// "I/O error <errno>", even where its number equals one of the codes above.
EInOutError FileError(int err, FileOp op);
// The same with its detail: "<path>: <the system's reason>", and for a missing folder
// or a file in the way of one, which.
EInOutError FileError(int err, FileOp op, const std::string& path);

[[noreturn]] void RaiseFileError(int err, FileOp op);
[[noreturn]] void RaiseFileError(int err, FileOp op, const std::string& path);

// "<path>: <reason>": a path as a message shows it (a very long one shortened in the
// middle), then the reason.
std::string FileDetail(const std::string& path, const std::string& reason);

// The system's reason for errno `err` about `path`: its text, and what of the path is
// at fault where the system does not say (the folder that does not exist, the file
// that stands where a folder should, the name that is too long).
std::string SystemReason(int err, const std::string& path);

}  // namespace optc
