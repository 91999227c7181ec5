#include "datafiles/TextLines.h"

#include <algorithm>
#include <cstring>

namespace optc {

namespace {
constexpr char kEndOfFileByte = 26;
}

LineReader::LineReader(ByteSource& source, std::size_t blockSize, EndOfFileByte endOfFile)
    : source_(source),
      blockSize_(std::max<std::size_t>(blockSize, 1)),
      endOfFile_(endOfFile),
      buffer_(new char[kMaxLineLength + blockSize_]),
      p_(buffer_.get()),
      end_(buffer_.get()) {}

// Appends the next block behind the unread bytes, first moving them to the front when
// the block would not fit; they are at most kMaxLineLength. False when no byte came.
bool LineReader::Refill() {
    if (ended_) return false;
    char* const begin = buffer_.get();
    if (end_ + blockSize_ > begin + kMaxLineLength + blockSize_) {
        const auto keep = static_cast<std::size_t>(end_ - p_);
        std::memmove(begin, p_, keep);
        p_ = begin;
        end_ = begin + keep;
    }
    char* const fresh = end_;
    std::size_t n = source_.Read(fresh, blockSize_);
    if (n == 0) ended_ = true;
    const void* eof = endOfFile_ == EndOfFileByte::EndsText ? std::memchr(fresh, kEndOfFileByte, n) : nullptr;
    if (eof) {
        n = static_cast<std::size_t>(static_cast<const char*>(eof) - fresh);
        ended_ = true;
    }
    end_ = fresh + n;
    return n > 0;
}

void LineReader::DropByteOrderMark() {
    while (end_ - p_ < 3 && Refill()) {
    }
    if (end_ - p_ >= 3 && std::memcmp(p_, "\xEF\xBB\xBF", 3) == 0) p_ += 3;
}

bool LineReader::Next(TextLine& line) {
    if (!started_) {
        DropByteOrderMark();
        started_ = true;
    }
    for (;;) {
        if (skipLineFeed_) {
            // The line feed of a carriage return and line feed may come in the next block.
            if (p_ == end_ && !Refill()) return false;
            if (*p_ == '\n') ++p_;
            skipLineFeed_ = false;
        }
        char* eol = std::find_if(p_, end_, [](char c) { return c == '\n' || c == '\r'; });
        if (eol != end_) {
            const bool wasCut = skippingCut_;
            const char* begin = p_;
            p_ = eol + 1;
            skipLineFeed_ = *eol == '\r';
            skippingCut_ = false;
            if (wasCut) continue;  // the end of a line already given cut
            const auto length = static_cast<std::size_t>(eol - begin);
            line =
                TextLine{std::string_view(begin, std::min(length, kMaxLineLength)), ++number_, length > kMaxLineLength};
            return true;
        }
        if (skippingCut_) {
            p_ = end_;
            if (!Refill()) return false;
            continue;
        }
        const auto have = static_cast<std::size_t>(end_ - p_);
        if (have > kMaxLineLength) {
            line = TextLine{std::string_view(p_, kMaxLineLength), ++number_, true};
            p_ += kMaxLineLength;
            skippingCut_ = true;
            return true;
        }
        if (!Refill()) {
            if (have == 0) return false;
            // The last line, without a line end.
            line = TextLine{std::string_view(p_, have), ++number_, false};
            p_ = end_;
            return true;
        }
    }
}

}  // namespace optc
