#pragma once
// The checks of the CSV reader that keep a row from being misread quietly: a header
// line that is really a broken first row of data, a number written with the other
// decimal mark than the rest of the file, and the DOS end-of-file byte.
#include <optional>
#include <string>
#include <string_view>

namespace optc {

// The byte 26 ends DOS text; in a CSV file it ends nothing.
constexpr char kDosEndOfFile = 26;

// A line of nothing but end-of-file bytes (a DOS program's last line) is passed over;
// one in which the byte stands among other text is refused.
bool HoldsOnlyEndOfFileBytes(std::string_view line);

// Why a line above the data, which the reader would pass over as a header, is a row
// of data it cannot read: with the quotation marks left out it splits into two
// numbers, or its first two fields are a number and NaN or an infinity, or a number
// with a thousands separator ("1.100,0"). Nothing for a header.
std::optional<std::string> BrokenFirstRow(std::string_view line, char separator);

// The decimal mark a number uses: a point, a comma, or none (a whole number).
enum class DecimalMark { None, Point, Comma };
DecimalMark DecimalMarkOf(std::string_view number);

}  // namespace optc
