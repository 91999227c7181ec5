#pragma once
// The measurement noise of a spectrum, estimated from the spectrum itself, for the
// extremum finder's thresholds.
#include <vector>

namespace optc {

inline constexpr int kNoiseBlock = 32;  // samples

// The noise standard deviation around every sample of y (equally spaced samples in
// order), in the units of y. Each block of kNoiseBlock samples fits the filter that cancels a
// constant level plus a sinusoid of one period, y[t+2] - y[t-1] = (1 + 2c)(y[t+1] - y[t])
// with c = cos(2 pi step / period), by least squares in c; what the filter leaves is
// noise. Fringes of any period, even 4 samples long, and smooth slopes and bends
// (c near 1) therefore do not count as noise. A sample takes the median of its block
// and the two blocks on either side, so one odd block does not move the thresholds.
std::vector<double> LocalNoise(const std::vector<double>& y);

}  // namespace optc
