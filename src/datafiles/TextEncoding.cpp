#include "datafiles/TextEncoding.h"

#include <algorithm>
#include <cstring>

namespace optc {

LookedAtBytes::LookedAtBytes(ByteSource& source) : source_(source) {
    while (have_ < first_.size()) {
        const std::size_t n = source_.Read(first_.data() + have_, first_.size() - have_);
        if (n == 0) break;
        have_ += n;
    }
}

std::size_t LookedAtBytes::Read(char* to, std::size_t room) {
    if (given_ < have_) {
        const std::size_t n = std::min(room, have_ - given_);
        std::memcpy(to, first_.data() + given_, n);
        given_ += n;
        return n;
    }
    return source_.Read(to, room);
}

bool LookedAtBytes::IsUtf16() const {
    const auto byte = [this](std::size_t k) { return static_cast<unsigned char>(first_[k]); };
    if (have_ >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF))) return true;
    // Without a mark: NULs at nearly every odd place (little-endian) or every even one,
    // and almost none at the others, over at least four characters.
    const std::size_t pairs = have_ / 2;
    if (pairs < 4) return false;
    std::size_t even = 0, odd = 0;
    for (std::size_t k = 0; k < 2 * pairs; ++k) (k % 2 ? odd : even) += first_[k] == '\0';
    const auto most = [pairs](std::size_t n) { return n * 10 >= pairs * 9; };
    const auto few = [pairs](std::size_t n) { return n * 10 <= pairs; };
    return (most(odd) && few(even)) || (most(even) && few(odd));
}

std::string Utf16Message(const std::string& fileName) {
    return fileName + " is UTF-16 text; save it as UTF-8 or ASCII.";
}

}  // namespace optc
