#pragma once
// The median of a set of values, the robust centre every stage of the fringe analysis
// takes where one stray value must not move the result.
#include <vector>

namespace optc {

// The mean of the middle two for an even count; 0 for no values.
double Median(std::vector<double> values);

}  // namespace optc
