#pragma once
// Reads spectrum text files: numbers taken two at a time, abscissa then ordinate.
#include <cstddef>
#include <cstdint>
#include <string>
#include <memory>

#include "datafiles/ByteSource.h"
#include "numerics/Arrays.h"

namespace optc {

// How a bad pair (a token that is not a number) moves the index.
enum class RestartMode {
    Below100,  // back to 1 while fewer than 100 points are counted (header lines)
    Always,    // back to 1 wherever it stands
};

// What the reader took from a file, before anything of a workspace changes. The pair
// at reader index k is x[k - 1], y[k - 1], for k = 1..written. Every index the reader
// wrote is kept, also those a restart left beyond the count, so that storing the table
// leaves the arrays exactly as reading straight into them would.
struct PairTable {
    std::unique_ptr<double[]> x, y;  // room for kCapacity pairs, or none before a read
    std::unique_ptr<std::int64_t[]> line;  // the file's line (from 1) of each pair's ordinate
    int written = 0;         // the highest index written
    int count = 0;           // index of the last pair with a non-zero abscissa; 0: no point
    bool truncated = false;  // more pairs than the capacity after the last restart
    // Some pair had two numbers and a non-zero abscissa. Without one, a count comes
    // only from the numeric start of bad tokens ("400,5" of a decimal-comma export).
    bool anyNumberPair = false;
};

struct PairReadResult {
    bool truncated = false;
};

// The message an import shows after a file that did not fit.
inline const char* kTooManyPointsMessage =
    "The file holds more than 100000 points; only the first 100000 were read.";

// Reads the pairs of a spectrum in fixed-size blocks, so memory does not grow with the
// file, into a table whose storage is made on first use and reused after. File errors
// raise EInOutError with the runtime's texts, after which the table is not to be used.
void ReadPairs(ByteSource& bytes, RestartMode mode, PairTable& into);
// The file at `path` read so.
PairTable ReadPairs(const std::string& path, RestartMode mode);

// Makes the table's storage on first use, left uninitialised: pages that no point
// reaches are never touched.
void MakeRoom(PairTable& table);

// Writes every index the table holds into X, Y from element 1 and sets count; the
// elements beyond keep their values.
void StorePairs(const PairTable& table, SpectrumArray& X, SpectrumArray& Y, int& count);

// Parses the bytes of a spectrum file held in memory straight into arrays, setting
// count (0 on entry) to the index of the last pair with a non-zero abscissa.
PairReadResult ParsePairs(const char* data, std::size_t size, SpectrumArray& X, SpectrumArray& Y,
                          int& count, RestartMode mode);

}  // namespace optc
