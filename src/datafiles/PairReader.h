#pragma once
// Reads spectrum text files: numbers taken two at a time, abscissa then ordinate.
#include <cstddef>
#include <string>

#include "numerics/Arrays.h"

namespace optc {

// How a bad pair (a token that is not a number) moves the index.
enum class RestartMode {
    Below100,  // back to 1 while fewer than 100 points are counted (header lines)
    Always,    // back to 1 wherever it stands
};

struct PairReadResult {
    bool truncated = false;  // more pairs than the capacity after the last restart
};

// The message an import shows after a file that did not fit.
inline const char* kTooManyPointsMessage =
    "The file holds more than 100000 points; only the first 100000 were read.";

// Parses the bytes of a spectrum file into X, Y from index 1, setting count to the
// index of the last pair with a non-zero abscissa. count must be 0 on entry.
PairReadResult ParsePairs(const char* data, std::size_t size, SpectrumArray& X,
                          SpectrumArray& Y, int& count, RestartMode mode);

// Reads the whole file, then parses it. File errors raise EInOutError with the
// runtime's texts; on such an error nothing is parsed.
PairReadResult ReadPairs(const std::string& path, SpectrumArray& X, SpectrumArray& Y,
                         int& count, RestartMode mode);

}  // namespace optc
