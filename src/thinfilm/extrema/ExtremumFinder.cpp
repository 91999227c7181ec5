#include "thinfilm/extrema/ExtremumFinder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <optional>

#include "numerics/FloatChecks.h"
#include "thinfilm/extrema/Glitches.h"
#include "numerics/signal/NoiseEstimate.h"
#include "numerics/signal/CosineFit.h"
#include "numerics/signal/ParabolaFit.h"
#include "numerics/signal/TurningPoints.h"
#include "numerics/signal/Median.h"
#include "numerics/Index.h"

namespace optc {

namespace {

constexpr int kFewestExtrema = 4;              // two whole fringes, as Calculate needs
constexpr double kThresholdFloor = 0.01;       // %: a smaller swing is of no use
constexpr double kNeighbourSwingShare = 0.15;  // of the neighbouring fringes' swing
constexpr int kNeighbourSwings = 4;            // on either side
constexpr double kSmoothingSpan = 0.25;        // smoothing half-width, in half-periods
constexpr double kFitSpan = 0.3;               // parabola half-width, in half-periods
constexpr int kRecentrings = 4;
constexpr double kIrregularSpacing = 1.5;      // spacings that still count as even
constexpr double kEdgeSpacing = 2.0;           // ... next to an even run
constexpr int kPointsBeyondAnEnd = 3;          // to place an extremum near an end

// The spectrum in ascending wavelength, with only usable points.
struct Curve {
    std::vector<double> x, y;
    int Size() const { return Count(x); }
};

Curve Ascending(std::span<const double> lambda, std::span<const double> trans) {
    Curve c;
    const std::size_t n = std::min(lambda.size(), trans.size());
    c.x.reserve(n);
    c.y.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (!(std::isfinite(lambda[i]) && lambda[i] > 0.0 && std::isfinite(trans[i]))) continue;
        c.x.push_back(lambda[i]);
        c.y.push_back(trans[i]);
    }
    if (std::is_sorted(c.x.begin(), c.x.end())) return c;
    if (std::is_sorted(c.x.begin(), c.x.end(), std::greater<>())) {
        std::reverse(c.x.begin(), c.x.end());
        std::reverse(c.y.begin(), c.y.end());
        return c;
    }
    // A file that changes direction: its points in order of wavelength.
    std::vector<std::size_t> order(c.x.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&c](std::size_t a, std::size_t b) { return c.x[a] < c.x[b]; });
    Curve sorted;
    for (std::size_t i : order) {
        sorted.x.push_back(c.x[i]);
        sorted.y.push_back(c.y[i]);
    }
    return sorted;
}

// Half the distance, in samples, from each turning point's predecessor to its
// successor: the local half-period of the fringes.
std::vector<double> HalfPeriods(const std::vector<TurningPoint>& points) {
    const std::size_t m = points.size();
    std::vector<double> half(m, 0.0);
    for (std::size_t j = 0; j < m && m >= 2; ++j) {
        const int before = points[j == 0 ? 0 : j - 1].index;
        const int after = points[j + 1 == m ? j : j + 1].index;
        half[j] = static_cast<double>(after - before) / (j == 0 || j + 1 == m ? 1.0 : 2.0);
    }
    return half;
}

// Gives every sample the value of its nearest turning point.
std::vector<double> Spread(const std::vector<TurningPoint>& points, const std::vector<double>& values, int n) {
    std::vector<double> spread(static_cast<std::size_t>(n));
    std::size_t j = 0;
    for (int i = 0; i < n; ++i) {
        while (j + 1 < points.size() && 2 * i > points[j].index + points[j + 1].index) ++j;
        At(spread, i) = values[j];
    }
    return spread;
}

// A curve's wiggles stand out when they rise and fall by more than the noise of a
// spectrum this long can: the range of n normal values is about 2 sqrt(2 ln n)
// standard deviations, and three more keep a flat noisy curve quiet.
std::vector<double> NoiseThresholds(const std::vector<double>& noise, const std::vector<int>& halfWidth, int n) {
    const double factor = 2.0 * std::sqrt(2.0 * std::log(static_cast<double>(n))) + 3.0;
    std::vector<double> threshold(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const int w = std::min({At(halfWidth, i), i, n - 1 - i});
        At(threshold, i) =
            std::max(kThresholdFloor, factor * At(noise, i) * ParabolaSmoothingNoiseGain(w));
    }
    return threshold;
}

// The smoothing may span a quarter of the local half-period, where a parabola still
// follows a fringe; without fringes in sight, the widest.
std::vector<int> SmoothingWidths(const std::vector<TurningPoint>& rawPoints, int n) {
    if (rawPoints.size() < 2) return std::vector<int>(static_cast<std::size_t>(n), kWidestSmoothing);
    const std::vector<double> half = Spread(rawPoints, HalfPeriods(rawPoints), n);
    std::vector<int> width(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < width.size(); ++i)
        width[i] = static_cast<int>(std::min(static_cast<double>(kWidestSmoothing), std::floor(kSmoothingSpan * half[i])));
    return width;
}

// Raises each threshold to a share of the swing of the fringes around: a small wiggle
// among large fringes (a spike) is no fringe.
void RaiseToNeighbourSwings(const std::vector<double>& y, const std::vector<TurningPoint>& points,
                            std::vector<double>& threshold) {
    const int m = Count(points);
    if (m < 2) return;
    std::vector<double> swings;
    for (int j = 0; j + 1 < m; ++j)
        swings.push_back(std::fabs(At(y, At(points, j + 1).index) -
                                   At(y, At(points, j).index)));
    std::vector<double> share(static_cast<std::size_t>(m));
    for (int j = 0; j < m; ++j) {
        const int from = std::max(0, j - kNeighbourSwings), to = std::min(m - 2, j + kNeighbourSwings - 1);
        At(share, j) =
            kNeighbourSwingShare * Median(std::vector<double>(swings.begin() + from, swings.begin() + to + 1));
    }
    const std::vector<double> spread = Spread(points, share, Count(threshold));
    for (std::size_t i = 0; i < threshold.size(); ++i) threshold[i] = std::max(threshold[i], spread[i]);
}

// A fringe whose extremum lies near an end of the spectrum turns back there by less
// than its neighbours' swing: it still counts when the curve came to it by a whole
// swing and leaves it by more than the noise can, with points beyond it to place it.
void TakeTurnsNearTheEnds(const std::vector<double>& y, const std::vector<double>& noiseThreshold,
                          const std::vector<double>& threshold, std::vector<TurningPoint>& points) {
    const int n = Count(y);
    if (points.empty()) return;
    // From the outermost turning point towards the end (step +1 or -1).
    const auto beyond = [&](const TurningPoint& outer, int step) -> std::optional<TurningPoint> {
        const bool maximum = !outer.maximum;
        const auto higher = [&](int i, int j) { return maximum ? At(y, i) > At(y, j) : At(y, i) < At(y, j); };
        const int end = step > 0 ? n - 1 : 0;
        int extreme = outer.index;
        for (int i = outer.index + step; i != end + step; i += step)
            if (higher(i, extreme)) extreme = i;
        if (extreme == outer.index || std::abs(end - extreme) < kPointsBeyondAnEnd) return std::nullopt;
        bool leaves = false;
        for (int i = extreme + step; i != end + step && !leaves; i += step)
            leaves = std::fabs(At(y, extreme) - At(y, i)) >=
                     std::max(At(noiseThreshold, extreme), At(noiseThreshold, i));
        if (!leaves || std::fabs(At(y, extreme) - At(y, outer.index)) < At(threshold, extreme)) return std::nullopt;
        return TurningPoint{extreme, maximum};
    };
    if (const auto last = beyond(points.back(), +1)) points.push_back(*last);
    if (const auto first = beyond(points.front(), -1)) points.insert(points.begin(), *first);
}

struct Vertex {
    double x = 0.0, y = 0.0;
};

// The vertex of the least-squares parabola through the points first..last, when it
// opens the expected way and lies among them. The parabola runs over 1/lambda, where
// a fringe is symmetric about its extremum (its phase is 4 pi n d / lambda), so a wide
// fit does not lean towards the longer half of the fringe.
std::optional<Vertex> ParabolaVertex(const Curve& c, int first, int last, bool maximum) {
    const auto X = [&c](int i) { return 1.0 / At(c.x, i); };
    const auto Y = [&c](int i) { return At(c.y, i); };
    const double centre = X((first + last) / 2), scale = (X(first) - X(last)) / 2.0;
    if (!(scale > 0.0)) return std::nullopt;
    ParabolaFit fit;
    for (int i = first; i <= last; ++i) fit.Add((X(i) - centre) / scale, Y(i));
    const auto a = fit.Coefficients();
    if (!a) return std::nullopt;
    const auto [a0, a1, a2] = *a;
    if (maximum ? !(a2 < 0.0) : !(a2 > 0.0)) return std::nullopt;
    const double u = -a1 / (2.0 * a2);
    if (!(u >= (X(last) - centre) / scale && u <= (X(first) - centre) / scale)) return std::nullopt;
    return Vertex{CheckFinite(1.0 / (centre + scale * u)), CheckFinite(a0 + (a1 + a2 * u) * u)};
}

// The vertex of the fringe's own shape through the points first..last: 1/T of a film
// is a + b cos(phase), the phase running linearly in 1/lambda by pi every half-period
// (halfU, in 1/lambda), so the least-squares cosine of that period through 1/T reads a
// sharp maximum as truly as a broad minimum. None where a point lies at or below 0 %T,
// the curve does not turn the expected way or the vertex falls outside the points.
std::optional<Vertex> CosineVertex(const Curve& c, int first, int last, bool maximum, double halfU) {
    if (!(halfU > 0.0) || last - first < 3) return std::nullopt;
    const auto X = [&c](int i) { return 1.0 / At(c.x, i); };
    const double centre = X((first + last) / 2), w = M_PI / halfU;
    CosineFit fit(w);
    for (int i = first; i <= last; ++i) {
        if (!(At(c.y, i) > 0.0)) return std::nullopt;
        fit.Add(X(i) - centre, 1.0 / At(c.y, i));
    }
    const auto k = fit.Coefficients();
    if (!k) return std::nullopt;
    const auto [a, b, s] = *k;
    const double r = std::hypot(b, s), theta = std::atan2(s, b);
    // A maximum of T is a minimum of 1/T, half a period from the cosine's crest.
    double phase = maximum ? theta + M_PI : theta;
    if (phase > M_PI) phase -= 2.0 * M_PI;
    const double u = phase / w, reciprocal = maximum ? a - r : a + r;
    if (!(r > 0.0 && reciprocal > 0.0)) return std::nullopt;
    if (!(u >= X(last) - centre && u <= X(first) - centre)) return std::nullopt;
    return Vertex{CheckFinite(1.0 / (centre + u)), CheckFinite(1.0 / reciprocal)};
}

// The extremum between samples: the parabola through the measured points within
// kFitSpan half-periods, moved until it is centred on its own vertex, and its value
// from the fringe's shape there. Without a usable parabola, the turning point on the
// smoothed curve.
FoundExtremum Locate(const Curve& c, const std::vector<double>& smooth, int seed, bool maximum, double halfPeriod,
                     double halfU) {
    const int n = c.Size();
    const int reach = std::max(1, static_cast<int>(std::lround(kFitSpan * halfPeriod)));
    FoundExtremum found{At(c.x, seed), At(smooth, seed), maximum};
    int centre = seed;
    for (int pass = 0; pass < kRecentrings; ++pass) {
        const auto vertex = ParabolaVertex(c, std::max(0, centre - reach), std::min(n - 1, centre + reach), maximum);
        if (!vertex) break;
        found.lambda = vertex->x;
        found.trans = vertex->y;
        const auto next = std::lower_bound(c.x.begin(), c.x.end(), vertex->x);
        int nearest = static_cast<int>(next - c.x.begin());
        if (nearest > 0 && (nearest == n || vertex->x - At(c.x, nearest - 1) <
                                                At(c.x, nearest) - vertex->x))
            --nearest;
        if (nearest == centre || std::abs(nearest - seed) > reach) break;
        centre = nearest;
    }
    // The parabola places the extremum well but reads a sharp one low, where its top
    // is narrower than the window: the value is the fringe's own shape's.
    // Where an end of the spectrum cuts the window short, the parabola leans towards
    // the longer side; the cosine, of a known period, does not.
    const int first = std::max(0, centre - reach), last = std::min(n - 1, centre + reach);
    if (const auto shape = CosineVertex(c, first, last, maximum, halfU)) {
        found.trans = shape->y;
        if (centre - first != last - centre) found.lambda = shape->x;
    }
    return found;
}

// Interference fringes are evenly spaced in 1/lambda (their phase is 4 pi n d / lambda
// and n changes slowly), wiggles of noise are not. An extremum is evenly spaced when
// the spacings around it, two on either side, agree within kIrregularSpacing; runs of
// at least kFewestExtrema such extrema are fringes. A run then takes in its neighbours
// one by one while each spacing stays within kEdgeSpacing of the one before, so the
// last fringes on the absorption edge, which the edge pushes about, stay with it.
// This keeps noise that the instrument smoothed over several samples, which the noise
// estimate sees only in part, from passing as fringes.
std::vector<FoundExtremum> KeepEvenlySpaced(const std::vector<FoundExtremum>& found) {
    const int m = Count(found);
    std::vector<double> spacing;
    for (int j = 0; j + 1 < m; ++j)
        spacing.push_back(1.0 / At(found, j).lambda -
                          1.0 / At(found, j + 1).lambda);
    const auto at = [&spacing](int j) { return At(spacing, j); };
    // Spacings alike in size; none of zero (points repeated at one wavelength) is a fringe.
    const auto alike = [](double a, double b, double factor) {
        return std::min(a, b) > 0.0 && std::max(a, b) <= factor * std::min(a, b);
    };
    std::vector<bool> even(static_cast<std::size_t>(m), false), kept(static_cast<std::size_t>(m), false);
    for (int j = 0; j < m; ++j) {
        const int from = std::max(0, j - 2), to = std::min(m - 2, j + 1);
        if (to < from) continue;
        const auto [narrowest, widest] = std::minmax_element(spacing.begin() + from, spacing.begin() + to + 1);
        At(even, j) = alike(*narrowest, *widest, kIrregularSpacing);
    }
    for (int j = 0; j < m;) {
        int end = j;
        while (end < m && At(even, end)) ++end;
        if (end - j >= kFewestExtrema) {
            int first = j, last = end - 1;
            while (last + 1 < m && alike(at(last), at(last - 1), kEdgeSpacing)) ++last;
            while (first > 0 && alike(at(first - 1), at(first), kEdgeSpacing)) --first;
            for (int k = first; k <= last; ++k) At(kept, k) = true;
        }
        j = std::max(end, j + 1);
    }
    std::vector<FoundExtremum> result;
    for (int k = 0; k < m; ++k) {
        if (!At(kept, k)) continue;
        // Where a stretch was left out, two of a kind may meet: the more extreme stays.
        const FoundExtremum& e = At(found, k);
        if (!result.empty() && result.back().maximum == e.maximum) {
            if ((e.trans > result.back().trans) == e.maximum) result.back() = e;
            continue;
        }
        result.push_back(e);
    }
    return result;
}

}  // namespace

ExtremaSearch FindFringeExtrema(std::span<const double> lambda, std::span<const double> trans) {
    ExtremaSearch search;
    Curve c = Ascending(lambda, trans);
    const int n = c.Size();
    if (n < kFewestPoints) {
        search.verdict = ExtremaVerdict::TooFewPoints;
        return search;
    }
    std::vector<double> noise = LocalNoise(c.y);

    // On the measured curve first: the fringes that stand out there give the local
    // period, which sets how far the smoothing may reach for the fainter ones.
    const std::vector<int> unsmoothed(static_cast<std::size_t>(n), 0);
    std::vector<double> rawThreshold = NoiseThresholds(noise, unsmoothed, n);
    auto raw = StandingOutTurningPoints(c.y, rawThreshold);
    // A spike or dip far narrower than a fringe (a lamp or detector change) would pass
    // as a fringe and break the even spacing of the real ones: bridged, the curve is
    // searched again.
    if (BridgeGlitches(c.x, c.y, raw, rawThreshold) > 0) {
        noise = LocalNoise(c.y);
        rawThreshold = NoiseThresholds(noise, unsmoothed, n);
        raw = StandingOutTurningPoints(c.y, rawThreshold);
    }
    DropNarrowPairs(c.x, raw);
    // Every sample of a block carries the block's value: one per block is enough.
    std::vector<double> perBlock;
    for (std::size_t i = 0; i < noise.size(); i += kNoiseBlock) perBlock.push_back(noise[i]);
    search.noise = Median(std::move(perBlock));
    const std::vector<int> widths = SmoothingWidths(raw, n);
    const std::vector<double> smooth = SmoothByParabolas(c.y, widths);
    std::vector<double> threshold = NoiseThresholds(noise, widths, n);
    const std::vector<double> noiseThreshold = threshold;
    RaiseToNeighbourSwings(smooth, StandingOutTurningPoints(smooth, threshold), threshold);
    auto points = StandingOutTurningPoints(smooth, threshold);
    TakeTurnsNearTheEnds(smooth, noiseThreshold, threshold, points);
    DropNarrowPairs(c.x, points);
    if (Count(points) < kFewestExtrema) {
        search.verdict = ExtremaVerdict::NoFringes;
        return search;
    }

    const std::vector<double> half = HalfPeriods(points);
    std::vector<FoundExtremum> found;
    for (std::size_t j = 0; j < points.size(); ++j) {
        // The same half-period in 1/lambda, the unit the fringe's phase runs in.
        const std::size_t before = j == 0 ? 0 : j - 1, after = j + 1 == points.size() ? j : j + 1;
        const double halfU = (1.0 / c.x[static_cast<std::size_t>(points[before].index)] -
                              1.0 / c.x[static_cast<std::size_t>(points[after].index)]) /
                             static_cast<double>(after - before);
        found.push_back(Locate(c, smooth, points[j].index, points[j].maximum, half[j], halfU));
    }
    // Each extremum stays between its neighbours; one that a parabola moved past a
    // neighbour falls back, with that neighbour, to the turning points of the smoothed
    // curve, which alternate.
    for (std::size_t j = 1; j < found.size(); ++j) {
        if (found[j].lambda > found[j - 1].lambda) continue;
        for (std::size_t k : {j - 1, j}) {
            const auto at = static_cast<std::size_t>(points[k].index);
            found[k] = {c.x[at], smooth[at], points[k].maximum};
        }
    }
    found = KeepEvenlySpaced(found);
    if (Count(found) < kFewestExtrema) {
        search.verdict = ExtremaVerdict::NoFringes;
        return search;
    }
    search.extrema.assign(found.rbegin(), found.rend());
    search.verdict = ExtremaVerdict::Found;
    return search;
}

const char* VerdictMessage(ExtremaVerdict verdict) {
    switch (verdict) {
        case ExtremaVerdict::Found: return "";
        case ExtremaVerdict::TooFewPoints: return kTooFewPointsMessage;
        case ExtremaVerdict::NoFringes: return kNoFringesMessage;
    }
    return "";
}

}  // namespace optc
