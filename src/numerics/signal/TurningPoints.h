#pragma once
// The turning points of a sampled curve that stand out of its wiggles, and the
// smoothing the extremum finder looks through.
#include <vector>

namespace optc {

struct TurningPoint {
    int index = 0;
    bool maximum = false;
};

// The maxima and minima of y, in order, alternating: a turning point counts when the
// curve rises by at least threshold[i] to it and falls by at least threshold[i] after
// it (i being its index; the other way round for a minimum), with nothing in between
// that turns by as much. The curve's ends are no turning points, and a maximum or
// minimum that the curve does not leave again by the threshold before it ends does not
// count.
std::vector<TurningPoint> StandingOutTurningPoints(const std::vector<double>& y, const std::vector<double>& threshold);

// Savitzky-Golay smoothing by a parabola (least squares over 2w+1 equally spaced
// samples) with a half-width w chosen per sample; near the ends the window shrinks to
// fit. halfWidth[i] is at most kWidestSmoothing.
inline constexpr int kWidestSmoothing = 25;
std::vector<double> SmoothByParabolas(const std::vector<double>& y, const std::vector<int>& halfWidth);
// The same smoothing at sample i alone, through every stride-th sample, so that a
// window wider than kWidestSmoothing samples still takes 2 kWidestSmoothing + 1.
double SmoothByParabolaAt(const std::vector<double>& y, int i, int halfWidth, int stride = 1);

// The factor by which that smoothing scales the standard deviation of white noise.
double ParabolaSmoothingNoiseGain(int halfWidth);

}  // namespace optc
