#pragma once
// Narrow spikes and dips that a lamp or detector change leaves in a spectrum, found
// among the turning points of the measured curve and bridged before the extremum finder
// looks for fringes, so that it neither takes them for fringes nor loses the fringes
// around them.
#include <span>
#include <vector>

#include "numerics/signal/TurningPoints.h"

namespace optc {

// A turning point of y (equally spaced samples in ascending wavelength x) is a glitch
// when the measured curve stands out of its smoothing by parabolas over half the local
// half-period (the median distance between neighbouring turning points) by more than
// threshold[i] and, unless it is one of a narrow pair (see DropNarrowPairs), by more
// than a tenth of the neighbouring fringes' swing, and the part that stands out by
// more than half as much spans under 0.3 half-periods. A fringe's own top or bottom
// stands out by a few per cent of its swing at most, so only features far narrower
// than a fringe qualify; the feet of a spike, which stand out less than the spike
// beside them, do not. Each glitch, with three times its
// half-width (plus a sample) on either side, is replaced by the least-squares parabola
// through the measured points beyond it, within 0.3 half-periods of the glitch where
// there is room (at least three on either side), all within half a half-period, where
// a parabola still follows a fringe's top or bottom: a fringe extremum under the
// glitch keeps its place, a slope its course. A glitch too wide for that, or too near
// an end of the spectrum, is left as it is. Returns how many stretches were bridged.
int BridgeGlitches(std::span<const double> x, std::vector<double>& y, const std::vector<TurningPoint>& points,
                   const std::vector<double>& threshold);

// What a glitch too small or too coarsely sampled to bridge leaves among the turning
// points (at wavelengths x[index], ascending): a maximum and a minimum closer together
// than 0.3 of the half-fringe they interrupt, whose removal leaves that half-fringe as
// wide as its neighbours (within a factor 1.5, in 1/lambda). Such pairs are removed,
// the narrowest first.
void DropNarrowPairs(std::span<const double> x, std::vector<TurningPoint>& points);

}  // namespace optc
