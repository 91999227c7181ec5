#include "datafiles/PairReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <vector>

#include "numerics/Errors.h"
#include "datafiles/FileErrors.h"

namespace optc {

namespace {

using Byte = unsigned char;

constexpr Byte kEndOfFileByte = 26;
constexpr std::size_t kMaxTokenLength = 64;

inline bool IsSeparator(Byte b) { return b <= 32; }
inline bool IsDigit(Byte b) { return b >= '0' && b <= '9'; }

struct Token {
    double value = 0.0;
    bool valid = true;
    bool atEnd = false;  // only separators were left: the token is the end of the file
};

// Converts [begin, numEnd), already checked to be a number in the file syntax (an
// optional sign, digits with an optional point, an optional exponent). negativeExponent
// tells a result too small for a double from one too large.
double ConvertNumber(const Byte* begin, const Byte* numEnd, bool negativeExponent) {
    const char* first = reinterpret_cast<const char*>(begin);
    const char* last = reinterpret_cast<const char*>(numEnd);
    const bool negative = *first == '-';
    if (*first == '+') ++first;  // from_chars takes a minus sign only
    double value = 0.0;
    const auto res = std::from_chars(first, last, value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // A token holds at most 64 characters, so only its exponent can push it out of
        // range: below the smallest double it reads as zero, above the largest it
        // overflows.
        if (negativeExponent) return negative ? -0.0 : 0.0;
        throw EOverflow();
    }
    return value;
}

// A token is valid when it is wholly a number; otherwise its value is that of its
// longest leading part that is a number, or 0 when it has none.
Token ConvertToken(const Byte* begin, const Byte* end) {
    Token t;
    const Byte* p = begin;
    if (p < end && (*p == '+' || *p == '-')) ++p;
    bool digits = false;
    while (p < end && IsDigit(*p)) {
        ++p;
        digits = true;
    }
    if (p < end && *p == '.') {
        ++p;
        while (p < end && IsDigit(*p)) {
            ++p;
            digits = true;
        }
    }
    if (!digits) {
        t.valid = false;
        return t;
    }
    const Byte* numEnd = p;
    bool negativeExponent = false;
    if (p < end && (*p == 'E' || *p == 'e')) {
        const Byte* q = p + 1;
        bool minus = false;
        if (q < end && (*q == '+' || *q == '-')) {
            minus = *q == '-';
            ++q;
        }
        if (q < end && IsDigit(*q)) {
            while (q < end && IsDigit(*q)) ++q;
            numEnd = q;
            negativeExponent = minus;
        }
    }
    t.value = ConvertNumber(begin, numEnd, negativeExponent);
    t.valid = numEnd == end;
    return t;
}

// Skips separators, across line ends, then takes at most 64 non-separator bytes.
Token NextToken(const Byte*& p, const Byte* end) {
    while (p < end && IsSeparator(*p)) ++p;
    if (p == end) {
        Token t;
        t.atEnd = true;
        return t;
    }
    const Byte* begin = p;
    const Byte* limit = static_cast<std::size_t>(end - p) > kMaxTokenLength
                            ? p + kMaxTokenLength
                            : end;
    while (p < limit && !IsSeparator(*p)) ++p;
    return ConvertToken(begin, p);
}

// Everything up to and including the next line feed, or to the end of the file.
void SkipLine(const Byte*& p, const Byte* end) {
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    p = lf ? static_cast<const Byte*>(lf) + 1 : end;
}

}  // namespace

PairReadResult ParsePairs(const char* data, std::size_t size, SpectrumArray& X,
                          SpectrumArray& Y, int& count, RestartMode mode) {
    PairReadResult result;
    if (size == 0) return result;

    const Byte* p = reinterpret_cast<const Byte*>(data);
    const Byte* end = p + size;
    // The end-of-file byte ends the text wherever it stands, even inside a token.
    if (const void* eof = std::memchr(p, kEndOfFileByte, size)) end = static_cast<const Byte*>(eof);

    // The index may run past the capacity while only pairs with abscissa 0 land there
    // (text lines after a full file); it is 64 bits wide so a long tail cannot wrap it.
    std::int64_t i = 1;
    while (p < end) {
        const Token x = NextToken(p, end);
        // Only separators were left (a line end after the last pair): that pass would
        // hold (0, 0) and count nothing, so it stores nothing either.
        if (x.atEnd) break;
        const Token y = NextToken(p, end);
        const bool bad = !x.valid || !y.valid;
        if (bad) SkipLine(p, end);

        if (i > kCapacity) {
            // No room for this pair. A pair with abscissa 0 would change neither the
            // count nor any point, so reading goes on behind it; a non-zero abscissa
            // would be a point beyond the capacity, and reading stops.
            if (x.value != 0.0) {
                result.truncated = true;
                break;
            }
        } else {
            const int at = static_cast<int>(i);
            X[at] = x.value;
            Y[at] = y.value;
            if (x.value != 0.0) count = at;
        }

        if (bad && (mode == RestartMode::Always || count < 100))
            i = 1;
        else
            ++i;
    }
    return result;
}

PairReadResult ReadPairs(const std::string& path, SpectrumArray& X, SpectrumArray& Y,
                         int& count, RestartMode mode) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) RaiseFileError(errno, FileOp::Open);

    // Sized from the file, one byte more so the read that meets the end needs no growth.
    // Reading goes on to the end rather than trusting the size: the file may change
    // under us, and some files report no size at all.
    struct stat st {};
    const bool sized = ::fstat(fd, &st) == 0 && st.st_size > 0;
    std::vector<char> text(sized ? static_cast<std::size_t>(st.st_size) + 1 : 65536);
    std::size_t used = 0;
    for (;;) {
        if (used == text.size()) text.resize(text.size() * 2);
        const ssize_t n = ::read(fd, text.data() + used, text.size() - used);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            RaiseFileError(err, FileOp::Read);
        }
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    ::close(fd);  // read-only: nothing is lost if closing fails

    return ParsePairs(text.data(), used, X, Y, count, mode);
}

}  // namespace optc
