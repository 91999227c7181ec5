#pragma once
// A piece of a file as a message quotes it: between single quotes, at most 40
// characters, the rest said by "...". Bytes a message cannot carry are shown by their
// code: control characters (a NUL would cut the message short) as \xNN, and bytes
// that are not UTF-8 likewise, so that the message is valid UTF-8 whatever the file
// held. One pass over at most the characters shown, however long the text.
#include <cstddef>
#include <string>
#include <string_view>

namespace optc {

constexpr std::size_t kQuotedCharacters = 40;

// "'400,5x'", "'<first 40 characters>...'".
std::string QuotedText(std::string_view text, std::size_t most = kQuotedCharacters);

// The same without the quotes and the dots: for a name inside a longer sentence.
std::string ShownText(std::string_view text, std::size_t most = kQuotedCharacters);

}  // namespace optc
