#pragma once
// The index at the fringe extrema, as the fringe orders need it, from the extrema and
// the substrate alone: the two envelopes at every extremum, the index of a uniform
// film there, and for a film whose thickness varies over d - dd .. d + dd across the
// light spot the spread dd itself and the index corrected for it. Transmissions in %.
#include <optional>
#include <vector>

#include "thinfilm/orders/FringeOrders.h"

namespace optc {

// Upper and lower envelope at one extremum, %.
struct EnvelopePair {
    double tMax = 0.0;
    double tMin = 0.0;
};

// The envelopes at every extremum (longest wavelength first, kinds alternating): an
// extremum's own kind is its measured value, the other kind the parabola through the
// three extrema of that kind nearest in wavelength, a straight line through the two
// nearest outside their range.
std::vector<EnvelopePair> EnvelopesAtExtrema(const std::vector<FringeExtremum>& extrema);

// The index of a uniform film from its envelopes, exact for any absorption:
// N = 2 nS (TM - Tm) / (TM Tm) + (1 + nS^2) / 2, n = sqrt(N + sqrt(N^2 - nS^2)).
// For a film of lower index than its substrate (lowerIndex) the minima are the whole
// waves: N = (1 + nS^2) / 2 - 2 nS (TM - Tm) / (TM Tm), n = sqrt(N + sqrt(N^2 - nS^2)),
// the root between sqrt(nS) and nS (the other, below sqrt(nS), gives the same
// envelopes; films of so low an index are rare). Nothing when no such index exists.
std::optional<double> UniformIndex(const EnvelopePair& e, double nS, bool lowerIndex = false);

// The index as Calculate takes it: where the whole waves lie within `tolerance` (%T)
// of the bare substrate the film counts as clear, and the half waves alone give n
// (N = 2 nS / T - (1 + nS^2) / 2, n = sqrt(N + sqrt(N^2 - nS^2)), free of the noise of
// the other envelope); elsewhere UniformIndex.
std::optional<double> EnvelopeIndex(const EnvelopePair& e, double nS, double tolerance, bool lowerIndex = false);

// At one extremum of a clear film (x = 1): the index and the half-width of the phase
// spread delta = 4 pi n dd / lambda that give both envelopes; delta 0 where the
// envelopes are those of a uniform film or wider apart. Nothing when no pair fits.
struct SpreadAtExtremum {
    double n = 0.0;
    double delta = 0.0;
};
std::optional<SpreadAtExtremum> ClearFilmSpread(const EnvelopePair& e, double nS, bool lowerIndex = false);

// The index at one extremum of a film with the known spread dd (nm), absorbing or not:
// n and x solved from both envelopes. Nothing when they do not converge.
std::optional<double> SpreadCorrectedIndex(const EnvelopePair& e, double nS, double lambda, double spreadNm,
                                           double startN, bool lowerIndex = false);

// x = exp(-alpha d) of a uniform film with the index n from its envelopes; and the
// reading above which an extremum counts as clear for the spread.
double UniformAbsorbance(const EnvelopePair& e, double nS, double n);
inline constexpr double kClearAbsorbance = 0.98;

// The spread of the film from the extrema where it is clear: dd at each, those far
// from their median left out; the mean and the sample standard deviation, and the
// number of extrema that gave them.
struct FilmSpread {
    double meanNm = 0.0;
    double sdNm = 0.0;
    int count = 0;
};
std::optional<FilmSpread> FilmSpreadOf(const std::vector<FringeExtremum>& extrema,
                                       const std::vector<EnvelopePair>& envelopes, double nS, bool lowerIndex = false);

}  // namespace optc
