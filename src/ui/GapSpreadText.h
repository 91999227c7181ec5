#pragma once
// The text shown beside the optical gap: its standard error and the line's R².
#include <string>

#include "numerics/GapSpread.h"

namespace optc {

// "± 0.012 eV, R² = 0.9987": the standard error to two significant digits, R² cut
// (not rounded) to four decimals so that a line short of perfect never shows 1.
// Through two points only R² is known: "R² = 1, no spread from 2 points".
std::string GapSpreadText(const GapSpread& spread, int points);

}  // namespace optc
