#include "datafiles/PointTable.h"

namespace optc {

PointTable::PointTable(PairTable& table) : table_(table) {
    MakeRoom(table_);
    table_.written = table_.count = 0;
    table_.truncated = false;
}

bool PointTable::Add(double x, double y, std::int64_t line) {
    if (table_.count == kCapacity) {
        table_.truncated = true;
        return false;
    }
    const auto at = static_cast<std::size_t>(table_.count);
    table_.x[at] = x;
    table_.y[at] = y;
    table_.line[at] = line;
    table_.written = table_.count = table_.count + 1;
    return true;
}

}  // namespace optc
