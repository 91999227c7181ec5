#pragma once
// Numbers as instrument software writes them in the fields of an export file.
#include <optional>
#include <string_view>

namespace optc {

// The value of a field that is wholly a number: an optional sign, digits with an
// optional decimal separator (".", or "," too when `commaDecimal`), and an optional
// exponent (E or e, an optional sign, digits); blanks around it are ignored. Nothing
// for any other text, also "inf", "nan" and hexadecimal numbers, so that no infinity
// or NaN is ever read. A value beyond the doubles raises EOverflow; one too small for
// them reads as 0.
std::optional<double> ParseDecimal(std::string_view text, bool commaDecimal);

}  // namespace optc
