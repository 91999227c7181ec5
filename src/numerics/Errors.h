#pragma once
// The error classes of the program. Every error a handler does not check itself is
// raised as one of these and reported by the window's standard error box with what().
#include <stdexcept>
#include <string>
#include <utility>

namespace optc {

// Base of every error that ends a handler and reaches the standard error box.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Failures of the polynomial fit and its elimination.
class EMathError : public Error {
public:
    using Error::Error;
};

// Floating-point faults. They are raised instead of carrying on with inf or NaN.
class EZeroDivide : public Error {
public:
    EZeroDivide() : Error("Floating point division by zero") {}
};

class EInvalidOp : public Error {
public:
    EInvalidOp() : Error("Invalid floating point operation") {}
};

class EOverflow : public Error {
public:
    EOverflow() : Error("Floating point overflow") {}
};

// A typed text that is not a number; Typed() is that text.
class EConvertError : public Error {
public:
    EConvertError(const std::string& message, std::string typed) : Error(message), typed_(std::move(typed)) {}
    const std::string& Typed() const { return typed_; }

private:
    std::string typed_;
};

// File errors: "File not found", "File access denied", "Disk full",
// "Read beyond end of file", or "I/O error %d" for other codes. The text is the
// runtime's; the detail, where the file layer knows it, names the path and the
// system's reason ("/data/x.txt: No such file or directory"), for a second line.
class EInOutError : public Error {
public:
    EInOutError(int code, const std::string& text) : Error(text), code_(code) {}
    int Code() const { return code_; }

    const std::string& Detail() const { return detail_; }
    // The errno the detail tells of; 0 when the error came from no system call.
    int SystemError() const { return systemError_; }
    void SetDetail(std::string detail, int systemError = 0) {
        detail_ = std::move(detail);
        systemError_ = systemError;
    }

private:
    int code_;
    std::string detail_;
    int systemError_ = 0;
};

}  // namespace optc
