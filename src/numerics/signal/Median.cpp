#include "numerics/signal/Median.h"

#include <algorithm>
#include <cstddef>

namespace optc {

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    const std::size_t mid = values.size() / 2;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(mid);
    std::nth_element(values.begin(), middle, values.end());
    const double upper = *middle;
    if (values.size() % 2 == 1) return upper;
    const double lower = *std::max_element(values.begin(), middle);
    return lower + (upper - lower) / 2.0;
}

}  // namespace optc
