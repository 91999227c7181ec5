#include "thinfilm/extrema/Glitches.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "numerics/FloatChecks.h"
#include "numerics/signal/ParabolaFit.h"
#include "numerics/signal/Median.h"
#include "numerics/Index.h"

namespace optc {

namespace {

constexpr int kAround = 4;               // spacings and swings on either side
constexpr double kBaselineSpan = 0.5;    // smoothing half-width, in half-periods
constexpr double kGlitchShare = 0.1;     // of the neighbouring fringes' swing
constexpr double kNarrowGlitch = 0.3;    // widest glitch, in half-periods
constexpr int kGlitchMargin = 3;         // half-widths bridged beyond the glitch's core
constexpr int kFewestFitPoints = 3;      // on either side of a bridge
constexpr double kBridgeSpan = 0.5;      // widest bridge and its points, in half-periods
constexpr double kFitSpan = 0.3;         // points beyond a bridge, in half-periods
constexpr double kNarrowPair = 0.3;      // of the half-fringe a pair interrupts
constexpr double kEvenSpacing = 1.5;     // half-fringes that count as alike

struct Stretch {
    int first = 0, last = 0;
};

struct Glitch {
    Stretch bridge;
    int reach = 0;  // the most samples on either side the parabola may take
};

// Replaces y[first..last] by the least-squares parabola through the `reach` samples on
// either side of the stretch.
void Bridge(std::span<const double> x, std::vector<double>& y, Stretch s, int reach) {
    const auto X = [&x](int i) { return At(x, i); };
    const auto Y = [&y](int i) { return At(y, i); };
    const int from = s.first - reach, to = s.last + reach;
    const double centre = (X(from) + X(to)) / 2.0, scale = (X(to) - X(from)) / 2.0;
    if (!(scale > 0.0)) return;
    ParabolaFit fit;
    const auto add = [&](int i) { fit.Add((X(i) - centre) / scale, Y(i)); };
    for (int i = from; i < s.first; ++i) add(i);
    for (int i = s.last + 1; i <= to; ++i) add(i);
    const auto a = fit.Coefficients();
    if (!a) return;
    const auto [a0, a1, a2] = *a;
    for (int i = s.first; i <= s.last; ++i) {
        const double u = (X(i) - centre) / scale;
        At(y, i) = CheckFinite(a0 + (a1 + a2 * u) * u);
    }
}

}  // namespace

int BridgeGlitches(std::span<const double> x, std::vector<double>& y, const std::vector<TurningPoint>& points,
                   const std::vector<double>& threshold) {
    const int m = Count(points), n = Count(y);
    if (m < 3) return 0;
    const auto index = [&points](int j) { return At(points, j).index; };
    const auto Y = [&y](int i) { return At(y, i); };
    std::vector<double> spacing, swing;
    for (int j = 0; j + 1 < m; ++j) {
        spacing.push_back(index(j + 1) - index(j));
        swing.push_back(std::fabs(Y(index(j + 1)) - Y(index(j))));
    }
    // A turning point in a narrow pair is no fringe extremum: it needs only stand out
    // of the noise.
    std::vector<TurningPoint> fringes = points;
    DropNarrowPairs(x, fringes);
    std::vector<bool> inNarrowPair(static_cast<std::size_t>(m), false);
    for (std::size_t j = 0, k = 0; j < points.size(); ++j) {
        if (k < fringes.size() && fringes[k].index == points[j].index)
            ++k;
        else
            inNarrowPair[j] = true;
    }
    // Each turning point that stands out as a glitch would, with its height and core.
    struct Candidate {
        double height = 0.0, half = 0.0;
        Stretch core;
    };
    std::vector<Candidate> candidates(static_cast<std::size_t>(m));
    for (int j = 0; j < m; ++j) {
        // Medians keep the glitch's own short spacings and small swings out of the
        // local half-period and fringe swing.
        const auto from = spacing.begin() + std::max(0, j - kAround);
        const auto to = spacing.begin() + std::min(m - 1, j + kAround);
        const double half = Median(std::vector<double>(from, to));
        const double fringeSwing = Median(std::vector<double>(swing.begin() + (from - spacing.begin()),
                                                              swing.begin() + (to - spacing.begin())));
        const int around = static_cast<int>(std::floor(kBaselineSpan * half));
        const int stride = (around + kWidestSmoothing - 1) / kWidestSmoothing, width = around / std::max(1, stride);
        // A parabola through three points follows every sample: nothing stands out.
        if (width < 2) continue;
        const int i = index(j);
        const double sign = At(points, j).maximum ? 1.0 : -1.0;
        const auto standsOut = [&](int k) { return sign * (Y(k) - SmoothByParabolaAt(y, k, width, stride)); };
        const double height = standsOut(i);
        if (!(height > At(threshold, i) &&
              (At(inNarrowPair, j) || height > kGlitchShare * fringeSwing)))
            continue;
        const int widest = static_cast<int>(kNarrowGlitch * half);
        int low = i, high = i;
        while (low > 0 && i - low <= widest && standsOut(low - 1) >= height / 2) --low;
        while (high + 1 < n && high - i <= widest && standsOut(high + 1) >= height / 2) ++high;
        if (high - low + 1 <= widest) At(candidates, j) = {height, half, {low, high}};
    }
    // The feet of a spike are turning points too, and the spike lifts the smoothing
    // above them: next to a taller glitch they are its feet, not glitches.
    std::vector<Glitch> glitches;
    for (int j = 0; j < m; ++j) {
        const Candidate& c = At(candidates, j);
        if (!(c.height > 0.0)) continue;
        const auto taller = [&](int k) {
            return k >= 0 && k < m && At(candidates, k).height > c.height;
        };
        if (taller(j - 1) || taller(j + 1)) continue;
        // The bridge and the points its parabola goes through stay within half a
        // half-period of the glitch, and the points within 0.3 half-periods where they
        // can, as where an extremum is located: there a parabola still follows a
        // fringe's top or bottom. A glitch too wide to leave room is left alone.
        const int i = index(j), span = static_cast<int>(kBridgeSpan * c.half);
        const int before = std::min(kGlitchMargin * (i - c.core.first + 1), span - kFewestFitPoints);
        const int after = std::min(kGlitchMargin * (c.core.last - i + 1), span - kFewestFitPoints);
        if (before <= i - c.core.first || after <= c.core.last - i) continue;
        const int reach = std::max(kFewestFitPoints, static_cast<int>(kFitSpan * c.half) - std::max(before, after));
        glitches.push_back({{std::max(0, i - before), std::min(n - 1, i + after)}, reach});
    }
    // Overlapping stretches are bridged as one; the points are in order, so are they.
    std::vector<Glitch> merged;
    for (const Glitch& g : glitches) {
        if (!merged.empty() && g.bridge.first <= merged.back().bridge.last + 1) {
            merged.back().bridge.last = std::max(merged.back().bridge.last, g.bridge.last);
            merged.back().reach = std::min(merged.back().reach, g.reach);
        } else {
            merged.push_back(g);
        }
    }
    int bridged = 0;
    for (const Glitch& g : merged) {
        const Stretch s = g.bridge;
        const int reach = std::min({s.last - s.first + 1, g.reach, s.first, n - 1 - s.last});
        if (reach < kFewestFitPoints) continue;
        Bridge(x, y, s, reach);
        ++bridged;
    }
    return bridged;
}

void DropNarrowPairs(std::span<const double> x, std::vector<TurningPoint>& points) {
    const auto alike = [](double a, double b) { return std::max(a, b) <= kEvenSpacing * std::min(a, b); };
    for (;;) {
        const int m = Count(points);
        if (m < 4) return;
        std::vector<double> spacing;  // in 1/lambda, from each turning point to the next
        for (int j = 0; j + 1 < m; ++j)
            spacing.push_back(1.0 / At(x, At(points, j).index) -
                              1.0 / At(x, At(points, j + 1).index));
        const auto s = [&spacing](int j) { return At(spacing, j); };
        const int last = m - 2;  // the last spacing
        int narrowest = -1;
        double narrowestShare = kNarrowPair;
        for (int k = 0; k <= last; ++k) {
            // The half-fringe the pair k, k+1 interrupts, and whether it is as wide as
            // the half-fringes beside it. At either end of the list the pair has no
            // turning point beyond it: there the half-fringe beside the gap up to the
            // pair stands in.
            double half = 0.0;
            bool even = false;
            if (k == 0) {
                half = s(2);
                even = s(1) <= kEvenSpacing * half;
            } else if (k == last) {
                half = s(k - 2);
                even = s(k - 1) <= kEvenSpacing * half;
            } else {
                half = s(k - 1) + s(k) + s(k + 1);
                const bool before = k >= 2, after = k + 2 <= last;
                even = (before || after) && (!before || alike(half, s(k - 2))) && (!after || alike(half, s(k + 2)));
            }
            if (!even || !(half > 0.0)) continue;
            const double share = s(k) / half;
            if (!(share < narrowestShare)) continue;
            narrowest = k;
            narrowestShare = share;
        }
        if (narrowest < 0) return;
        points.erase(points.begin() + narrowest, points.begin() + narrowest + 2);
    }
}

}  // namespace optc
