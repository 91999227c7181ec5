#include "datafiles/PairReader.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "numerics/Errors.h"

namespace optc {

namespace {

using Byte = unsigned char;

constexpr Byte kEndOfFileByte = 26;
constexpr std::size_t kMaxTokenLength = 64;
// Blocks of this size keep the system calls few and the memory small.
constexpr std::size_t kBlockSize = 1 << 18;

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

// The bytes of a spectrum, one block at a time. A token is at most 64 bytes, so it is
// made whole in the buffer before it is converted: a block boundary never splits one.
class BlockScanner {
public:
    // `blockSize` is the most read at once; bytes already in memory need no more than
    // they are, which keeps a short text from costing a full block.
    explicit BlockScanner(ByteSource& source, std::size_t blockSize = kBlockSize)
        : source_(source), blockSize_(std::max<std::size_t>(blockSize, 1)),
          buffer_(new Byte[blockSize_ + kMaxTokenLength]) {}

    // The line the last token began on, from 1.
    std::int64_t Line() const { return line_; }

    // Skips separators, across line ends and blocks, then takes at most 64
    // non-separator bytes.
    Token NextToken() {
        const Byte* p = p_;
        for (;;) {
            for (; p < end_ && IsSeparator(*p); ++p) CountLineEnd(*p);
            if (p < end_) break;
            p_ = p;
            if (!Refill()) {
                Token t;
                t.atEnd = true;
                return t;
            }
            p = p_;
        }
        if (static_cast<std::size_t>(end_ - p) < kMaxTokenLength && !ended_) {
            p_ = p;
            while (static_cast<std::size_t>(end_ - p_) < kMaxTokenLength && Refill()) {
            }
            p = p_;
        }
        const Byte* begin = p;
        afterCarriageReturn_ = false;
        const Byte* limit = static_cast<std::size_t>(end_ - p) > kMaxTokenLength ? p + kMaxTokenLength : end_;
        while (p < limit && !IsSeparator(*p)) ++p;
        p_ = p;
        return ConvertToken(begin, p);
    }

    // Everything up to and including the next line end: a line feed, or a carriage
    // return, which ends a line by itself in files of older instruments. In a CR LF
    // file the line feed left behind is a separator like any other.
    void SkipLine() {
        for (;;) {
            for (; p_ < end_; ++p_) {
                if (*p_ == '\n' || *p_ == '\r') {
                    CountLineEnd(*p_++);
                    return;
                }
            }
            if (!Refill()) return;
        }
    }

private:
    // A line ends at a line feed, a carriage return and line feed, or a carriage return
    // alone: the line feed of a pair does not count again.
    void CountLineEnd(Byte b) {
        if (b == '\n') {
            if (!afterCarriageReturn_) ++line_;
            afterCarriageReturn_ = false;
        } else {
            if (b == '\r') ++line_;
            afterCarriageReturn_ = b == '\r';
        }
    }


    // Keeps the unread bytes, moved to the front, and appends the next block. The
    // end-of-file byte ends the text wherever it stands, even inside a token.
    // False when no byte came.
    bool Refill() {
        if (ended_) return false;
        // Only the start of a token is ever kept, fewer than 64 bytes.
        const auto keep = static_cast<std::size_t>(end_ - p_);
        assert(keep < kMaxTokenLength);
        if (keep > 0 && keep < kMaxTokenLength) std::memmove(buffer_.get(), p_, keep);
        Byte* const fresh = buffer_.get() + keep;
        std::size_t n = source_.Read(reinterpret_cast<char*>(fresh), blockSize_ + kMaxTokenLength - keep);
        if (n == 0) ended_ = true;
        if (const void* eof = std::memchr(fresh, kEndOfFileByte, n)) {
            n = static_cast<std::size_t>(static_cast<const Byte*>(eof) - fresh);
            ended_ = true;
        }
        p_ = buffer_.get();
        end_ = fresh + n;
        return n > 0;
    }

    ByteSource& source_;
    std::size_t blockSize_;
    std::unique_ptr<Byte[]> buffer_;
    const Byte* p_ = nullptr;  // the unread bytes: [p_, end_)
    const Byte* end_ = nullptr;
    bool ended_ = false;       // no more bytes will come
    std::int64_t line_ = 1;
    bool afterCarriageReturn_ = false;
};

// What one parse found; the pairs themselves went to the arrays it was given.
struct ParseOutcome {
    int written = 0;  // the highest index written
    int count = 0;
    bool truncated = false;
    bool anyNumberPair = false;
};

// Reads pairs into xs, ys (room for kCapacity each; index k at [k - 1]), and the line
// of each pair's ordinate into lines when there is one.
ParseOutcome Parse(BlockScanner& in, RestartMode mode, double* xs, double* ys, std::int64_t* lines) {
    ParseOutcome outcome;
    // The index may run past the capacity while only pairs with abscissa 0 land there
    // (text lines after a full file); it is 64 bits wide so a long tail cannot wrap it.
    std::int64_t i = 1;
    for (;;) {
        const Token x = in.NextToken();
        // Only separators were left (a line end after the last pair): that pass would
        // hold (0, 0) and count nothing, so it stores nothing either.
        if (x.atEnd) break;
        const Token y = in.NextToken();
        const bool bad = !x.valid || !y.valid;
        if (bad) in.SkipLine();

        if (i > kCapacity) {
            // No room for this pair. A pair with abscissa 0 would change neither the
            // count nor any point, so reading goes on behind it; a non-zero abscissa
            // would be a point beyond the capacity, and reading stops.
            if (x.value != 0.0) {
                outcome.truncated = true;
                break;
            }
        } else {
            const int at = static_cast<int>(i);
            xs[at - 1] = x.value;
            ys[at - 1] = y.value;
            if (lines) lines[at - 1] = in.Line();
            // Indices are written in order from 1: no gap is left below the highest.
            if (at > outcome.written) outcome.written = at;
            if (x.value != 0.0) outcome.count = at;
            if (!bad && x.value != 0.0) outcome.anyNumberPair = true;
        }

        if (bad && (mode == RestartMode::Always || outcome.count < 100))
            i = 1;
        else
            ++i;
    }
    return outcome;
}

}  // namespace

void ReadPairs(ByteSource& bytes, RestartMode mode, PairTable& into) {
    BlockScanner in(bytes);
    // Room for a full file, made once and left uninitialised: pages that no point
    // reaches are never touched.
    MakeRoom(into);
    const ParseOutcome outcome = Parse(in, mode, into.x.get(), into.y.get(), into.line.get());
    into.written = outcome.written;
    into.count = outcome.count;
    into.truncated = outcome.truncated;
    into.anyNumberPair = outcome.anyNumberPair;
}

void MakeRoom(PairTable& table) {
    if (table.x) return;
    table.x.reset(new double[kCapacity]);
    table.y.reset(new double[kCapacity]);
    table.line.reset(new std::int64_t[kCapacity]);
}

PairTable ReadPairs(const std::string& path, RestartMode mode) {
    FileBytes file(path);
    PairTable table;
    ReadPairs(file, mode, table);
    return table;
}

void StorePairs(const PairTable& table, SpectrumArray& X, SpectrumArray& Y, int& count) {
    assert(table.written <= kCapacity);
    std::copy(table.x.get(), table.x.get() + table.written, X.From1(table.written));
    std::copy(table.y.get(), table.y.get() + table.written, Y.From1(table.written));
    count = table.count;
}

PairReadResult ParsePairs(const char* data, std::size_t size, SpectrumArray& X, SpectrumArray& Y,
                          int& count, RestartMode mode) {
    MemoryBytes bytes(std::string_view(data, size));
    BlockScanner in(bytes, std::min(kBlockSize, size + 1));
    const ParseOutcome outcome = Parse(in, mode, X.From1(), Y.From1(), nullptr);
    if (outcome.count > 0) count = outcome.count;
    return PairReadResult{outcome.truncated};
}

}  // namespace optc
