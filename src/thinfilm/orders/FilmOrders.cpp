#include "thinfilm/orders/FilmOrders.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <string>

#include "numerics/FloatText.h"
#include "numerics/signal/Median.h"
#include "thinfilm/model/FilmOptics.h"
#include "thinfilm/orders/FringeOrdersText.h"

namespace optc {

namespace {

// A spread counts when it stands clear of its own uncertainty (three standard errors)
// and spreads the phase at the longest wavelength by more than 0.1 rad either way:
// below that it hardly moves an order, and the envelopes' own interpolation (or a weak
// absorption) reads as a spread that small.
bool SpreadMatters(const FilmSpread& s, const FringeExtremum& longest) {
    const double delta = 4.0 * film::kPi * longest.n1 * s.meanNm / longest.lambda;
    return s.meanNm > 3.0 * s.sdNm / std::sqrt(static_cast<double>(s.count)) && delta > 0.1;
}

// The bare substrate's index that transmits t (fraction): the root above 1 of
// 2 s / (1 + s^2) = t.
double SubstrateIndexFor(double t) { return (1.0 + std::sqrt(std::max(0.0, 1.0 - t * t))) / t; }

// Least-squares slope of n1 against lambda over the extrema used, with its standard
// error and the line's value at both ends.
struct Trend {
    double slope = 0.0, se = 0.0, atLongest = 0.0, atShortest = 0.0, longest = 0.0, shortest = 0.0;
    int count = 0;
};
Trend IndexTrend(const FringeOrdersResult& r) {
    Trend t;
    double sx = 0, sy = 0;
    for (const FringeOrderRow& row : r.rows)
        if (row.used) sx += row.extremum.lambda, sy += row.extremum.n1, ++t.count;
    if (t.count < 3) return t;
    const double mx = sx / t.count, my = sy / t.count;
    double sxx = 0, sxy = 0;
    t.longest = 0, t.shortest = 1e300;
    for (const FringeOrderRow& row : r.rows) {
        if (!row.used) continue;
        const double dx = row.extremum.lambda - mx;
        sxx += dx * dx, sxy += dx * (row.extremum.n1 - my);
        t.longest = std::max(t.longest, row.extremum.lambda);
        t.shortest = std::min(t.shortest, row.extremum.lambda);
    }
    if (sxx <= 0) return t;
    t.slope = sxy / sxx;
    double rss = 0;
    for (const FringeOrderRow& row : r.rows) {
        if (!row.used) continue;
        const double e = row.extremum.n1 - (my + t.slope * (row.extremum.lambda - mx));
        rss += e * e;
    }
    t.se = std::sqrt(rss / (t.count - 2) / sxx);
    t.atLongest = my + t.slope * (t.longest - mx);
    t.atShortest = my + t.slope * (t.shortest - mx);
    return t;
}

}  // namespace

bool LowerIndexFilm(const std::vector<EnvelopePair>& env, double nS) {
    const double ts = 100.0 * film::SubstrateTransmission(nS);
    const std::size_t part = std::max<std::size_t>(std::min<std::size_t>(env.size(), 3), env.size() / 3);
    int lower = 0;
    for (std::size_t i = 0; i < part; ++i)
        if (std::fabs(env[i].tMin - ts) < std::fabs(env[i].tMax - ts)) ++lower;
    return 2 * lower > static_cast<int>(part);
}

FringeOrdersOutcome FindFilmFringeOrders(const FilmFringes& in) {
    std::vector<FringeExtremum> e = in.extrema;
    if (e.size() < 3) return {std::nullopt, kOrdersTooFewExtrema};
    const double nS = in.nS;
    if (!std::isfinite(nS) || !(nS > 0.0)) return {std::nullopt, kOrdersBadSubstrate};
    std::vector<EnvelopePair> env = in.envelopes.size() == e.size() ? in.envelopes : EnvelopesAtExtrema(e);
    const bool lower = LowerIndexFilm(env, nS);
    // Calculate's index assumes a film of higher index than its substrate.
    std::optional<std::string> indexLeftOut;
    if (!in.indicesGiven || lower) {
        std::vector<bool> has(e.size());
        for (std::size_t i = 0; i < e.size(); ++i) {
            const auto n = EnvelopeIndex(env[i], nS, in.tolerance, lower);
            has[i] = n.has_value();
            if (n) e[i].n1 = *n;
        }
        // Where noise brings a pair of envelopes too close together for nS at a few
        // extrema (a film of index near the substrate's), the orders go on over the
        // longest run of extrema that have an index, since the orders count neighbours
        // half an order apart; and say so.
        if (const auto missing = std::find(has.begin(), has.end(), false); missing != has.end()) {
            std::size_t from = 0, length = 0;
            for (std::size_t i = 0; i < has.size();) {
                std::size_t j = i;
                while (j < has.size() && has[j]) ++j;
                if (j - i > length) from = i, length = j - i;
                i = j + 1;
            }
            const double where = e[static_cast<std::size_t>(missing - has.begin())].lambda;
            if (length < 3) return {std::nullopt, kOrdersBadIndex + FloatToStr(where) + " nm."};
            const auto count = static_cast<std::size_t>(std::count(has.begin(), has.end(), false));
            indexLeftOut = "The envelopes give no index at " + std::to_string(count) + " of the " +
                           std::to_string(e.size()) + " extrema (the first at " + FixedDecimalsText(where, 1) +
                           " nm): the orders use the " +
                           std::to_string(length) + " from " + FixedDecimalsText(e[from].lambda, 1) + " to " +
                           FixedDecimalsText(e[from + length - 1].lambda, 1) + " nm; check nS and the extrema.";
            const auto first = static_cast<std::ptrdiff_t>(from), last = static_cast<std::ptrdiff_t>(from + length);
            e = std::vector<FringeExtremum>(e.begin() + first, e.begin() + last);
            env = std::vector<EnvelopePair>(env.begin() + first, env.begin() + last);
        }
    }
    FringeOrdersOutcome out = FindFringeOrders(e, in.fitTerms);
    if (!out.result) return out;
    const auto spread = FilmSpreadOf(e, env, nS, lower);
    if (spread && SpreadMatters(*spread, e.front())) {
        std::vector<FringeExtremum> corrected = e;
        for (std::size_t i = 0; i < e.size(); ++i)
            if (const auto n = SpreadCorrectedIndex(env[i], nS, e[i].lambda, spread->meanNm, e[i].n1, lower))
                corrected[i].n1 = *n;
        FringeOrdersOutcome again = FindFringeOrders(corrected, in.fitTerms);
        // Taken only where it pays: a real spread makes the uniform film's thicknesses
        // drift along the extrema, and the corrected ones then agree at least twice as
        // well and move the mean by more than their own spread; or it moves the orders
        // (the mean by more than three spreads of the uniform film's). Envelopes read a
        // little low (a parabola's vertex under a sharp maximum) fake a small spread that
        // does neither.
        const FringeOrdersResult& uniform = *out.result;
        if (again.result) {
            const double moved = std::fabs(again.result->thicknessNm - uniform.thicknessNm);
            const bool agreesBetter = again.result->thicknessSdNm < 0.5 * uniform.thicknessSdNm &&
                                      moved > again.result->thicknessSdNm;
            // Nor where the positions, content with the uniform film's orders, disagree
            // with the corrected ones.
            const bool positionsObject = again.result->witnessesDisagree && !uniform.witnessesDisagree;
            if ((!agreesBetter && !(moved > 3.0 * uniform.thicknessSdNm)) || positionsObject) again.result.reset();
        }
        if (again.result) {
            out = std::move(again);
            out.result->spreadCorrected = true;
        }
    }
    FringeOrdersResult& r = *out.result;
    if (spread) {
        r.nonUniformityNm = spread->meanNm;
        r.nonUniformitySdNm = spread->sdNm;
    }
    r.lowerIndex = lower;
    r.warnings = OrdersWarnings(r, env, nS, in.natNm);
    if (indexLeftOut) r.warnings.insert(r.warnings.begin(), *indexLeftOut);
    if (in.natNm && !r.rows.empty())
        r.natExtrapolated = *in.natNm < r.rows.back().extremum.lambda || *in.natNm > r.rows.front().extremum.lambda;
    return out;
}

std::vector<std::string> OrdersWarnings(const FringeOrdersResult& r, const std::vector<EnvelopePair>& env, double nS,
                                        const std::optional<double>& natNm) {
    std::vector<std::string> w;
    if (r.orderAmbiguous)
        w.push_back("Orders ambiguous: " + FixedDecimalsText(r.alternativeNm, 1) +
                    " nm fits almost as well; mark more extrema over a wider range or measure again.");
    if (r.witnessesDisagree)
        w.push_back("The fringe positions alone give other orders (first extremum m = " +
                    FixedDecimalsText(*r.positionsOrder, 2) + " \u00B1 " + FixedDecimalsText(*r.positionsOrderSd, 2) + ", not " +
                    FloatToStr(r.rows.front().order) + "; " + FixedDecimalsText(r.otherWitnessNm, 1) +
                    " nm): check nS and the extrema.");
    for (double at : r.gapsAtNm)
        w.push_back("A gap in the extrema was bridged above " + FixedDecimalsText(at, 1) +
                    " nm: fringes were missed there and the orders were counted across; check the extrema.");
    if (r.used < 5)
        w.push_back("Only " + std::to_string(r.used) +
                    " extrema used: too few for sure orders; mark more fringes over a wider range.");
    // The mean is uncertain by the spread over the square root of the extrema used.
    const double standardError = r.used > 1 ? r.thicknessSdNm / std::sqrt(static_cast<double>(r.used)) : 0.0;
    if (standardError > 0.0025 * r.thicknessNm)
        w.push_back("The extrema used agree on the thickness only to \u00B1" + FixedDecimalsText(standardError, 1) + " nm (" +
                    FixedDecimalsText(100.0 * standardError / r.thicknessNm, 2) +
                    " %, standard error of the mean): the envelopes are poor; mark more fringes or check the extrema.");
    const Trend t = IndexTrend(r);
    if (t.count >= 3 && t.slope > 0 && t.slope > 3 * t.se && t.atLongest - t.atShortest > 0.002 * t.atLongest)
        w.push_back("The index rises with wavelength over the extrema used (n1 " + FixedDecimalsText(t.atShortest, 3) + " at " +
                    FixedDecimalsText(t.shortest, 0) + " nm, " + FixedDecimalsText(t.atLongest, 3) + " at " + FixedDecimalsText(t.longest, 0) +
                    " nm): the thickness may vary across the light spot, or nS is not the substrate's.");
    // The whole waves lie on the bare substrate's transmission where the film is clear.
    if (!env.empty()) {
        const double ts = 100.0 * film::SubstrateTransmission(nS);
        double best = -1e300;
        for (const EnvelopePair& p : env) best = std::max(best, r.lowerIndex ? p.tMin : p.tMax);
        // Above it lies no uniform film: a spread lifts the minima of a film of lower index
        // than its substrate, or the substrate transmits more than nS says.
        if (best > ts + 1.0 && best < 100.0)
            w.push_back(std::string("The fringe ") + (r.lowerIndex ? "minima" : "maxima") + " lie " +
                        FixedDecimalsText(best - ts, 1) + " %T above the bare substrate's " + FixedDecimalsText(ts, 1) + " %T for nS = " +
                        FloatToStr(nS) + ", where no uniform film lies: its thickness varies, or the substrate's index is nearer " +
                        FixedDecimalsText(SubstrateIndexFor(best / 100.0), 3) + ".");
        if (best < ts - 1.0 && best > 0.0)
            w.push_back(std::string("The fringe ") + (r.lowerIndex ? "minima" : "maxima") + " lie " +
                        FixedDecimalsText(ts - best, 1) + " %T below the bare substrate's " + FixedDecimalsText(ts, 1) + " %T for nS = " +
                        FloatToStr(nS) + ": the film absorbs or its thickness varies, or the substrate's index is " +
                        "nearer " + FixedDecimalsText(SubstrateIndexFor(best / 100.0), 3) + ".");
    }
    if (natNm && !r.rows.empty()) {
        const double longest = r.rows.front().extremum.lambda, shortest = r.rows.back().extremum.lambda;
        if (*natNm < shortest || *natNm > longest)
            w.push_back("n at " + FloatToStr(*natNm) + " nm is extrapolated: the extrema span " + FixedDecimalsText(shortest, 1) +
                        " to " + FixedDecimalsText(longest, 1) + " nm.");
    }
    return w;
}

}  // namespace optc
