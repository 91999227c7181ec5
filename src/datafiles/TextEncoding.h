#pragma once
// The encoding of a spectrum file, looked at before any reader takes it: every reader
// reads single bytes (ASCII or UTF-8), and UTF-16 text read so would misread each digit
// as a number of its own. The first bytes are kept and given to the reader after.
#include <array>
#include <cstddef>
#include <string>

#include "datafiles/ByteSource.h"

namespace optc {

class LookedAtBytes : public ByteSource {
public:
    explicit LookedAtBytes(ByteSource& source);
    std::size_t Read(char* to, std::size_t room) override;

    // A UTF-16 byte-order mark, or the NUL of every other byte that ASCII written as
    // UTF-16 has, little- or big-endian.
    bool IsUtf16() const;

private:
    ByteSource& source_;
    std::array<char, 512> first_{};
    std::size_t have_ = 0, given_ = 0;
};

// "<file name> is UTF-16 text; save it as UTF-8 or ASCII."
std::string Utf16Message(const std::string& fileName);

}  // namespace optc
