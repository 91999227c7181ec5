#pragma once
// Fills a table of points in file order, as the instrument readers find them.
#include <cstdint>

#include "datafiles/PairReader.h"
#include "numerics/Index.h"

namespace optc {

class PointTable {
public:
    // Empties the table, making its storage on first use.
    explicit PointTable(PairTable& table);

    // Appends a point read on `line` of the file; false, with the table marked
    // truncated, when it is full.
    bool Add(double x, double y, std::int64_t line);
    int Count() const { return table_.count; }
    double& X(int k) { return At(table_.x, k); }  // k from 0
    double& Y(int k) { return At(table_.y, k); }

private:
    PairTable& table_;
};

}  // namespace optc
