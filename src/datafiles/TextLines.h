#pragma once
// The lines of an instrument's export file (CSV, JCAMP-DX), read in fixed-size blocks
// so that memory does not grow with the file, and numbered from 1 so that a message
// can name the line it is about.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "datafiles/ByteSource.h"

namespace optc {

struct TextLine {
    std::string_view text;    // without its line end; good until the next line is read
    std::int64_t number = 0;  // 1 for the first line of the file
    bool cut = false;         // longer than kMaxLineLength: only its start is in text
};

// What the byte 26 does: it ends the text, as in files of DOS programs, or it stays in
// its line for the reader to judge.
enum class EndOfFileByte { EndsText, InLine };

class LineReader {
public:
    // No instrument writes lines anywhere near this long; a longer one is given cut.
    static constexpr std::size_t kMaxLineLength = 1 << 16;
    static constexpr std::size_t kBlockSize = 1 << 18;

    // `blockSize` is the most read at once (small ones let tests and the fuzzer cross
    // block boundaries often).
    explicit LineReader(ByteSource& source, std::size_t blockSize = kBlockSize,
                        EndOfFileByte endOfFile = EndOfFileByte::EndsText);

    // The next line; false at the end of the text. A line ends at a line feed, a
    // carriage return and line feed, or a carriage return alone (older instruments).
    // The byte 26 ends the text or stays in its line, as the reader was made, and a
    // UTF-8 byte-order mark before the first line is dropped.
    bool Next(TextLine& line);

private:
    bool Refill();
    void DropByteOrderMark();

    ByteSource& source_;
    std::size_t blockSize_;
    EndOfFileByte endOfFile_;
    std::unique_ptr<char[]> buffer_;
    char* p_ = nullptr;  // the unread bytes: [p_, end_)
    char* end_ = nullptr;
    bool ended_ = false;         // no more bytes will come
    bool started_ = false;       // the byte-order mark has been looked for
    bool skipLineFeed_ = false;  // the last line ended in a carriage return
    bool skippingCut_ = false;   // the rest of a cut line is being passed over
    std::int64_t number_ = 0;
};

}  // namespace optc
