#pragma once
// Transmission and reflection are between 0 and 100 % in any measurement: values a
// little outside are noise near the ends of the scale and are told in a note; values
// far outside mean a misread file or the wrong unit choice and are refused by line.
#include <cstdint>
#include <optional>
#include <string>

#include "datafiles/ImportKind.h"
#include "datafiles/PairReader.h"

namespace optc {

// Beyond these (%) a value is refused.
constexpr double kLowestMeasurable = -5.0;
constexpr double kHighestMeasurable = 150.0;

// After the unit conversions: the note on values outside 0 to 100 %, or nothing. A
// value far outside raises FileRefusal naming its line.
std::optional<std::string> CheckMeasuredRange(const PairTable& table, SpectrumKind kind, const std::string& fileName);

// The note is one the import shows and goes on after ("… lie outside 0 to 100 % …").
bool IsRangeNote(const std::string& text);

}  // namespace optc
