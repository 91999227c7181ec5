#include "thinfilm/orders/FringeIndex.h"

#include <algorithm>
#include <cmath>

#include "numerics/signal/Median.h"
#include "thinfilm/model/FilmOptics.h"

namespace optc {

namespace {

bool IsMaximum(const FringeExtremum& e) { return e.kind == ExtremumKind::Maximum; }

// The envelope of one kind at lambda from that kind's extrema (longest first).
double EnvelopeAt(const std::vector<FringeExtremum>& kind, double lambda) {
    const std::size_t n = kind.size();
    if (n == 1) return kind[0].trans;
    // The nearest three, or the nearest two outside the range of the kind.
    const bool outside = lambda > kind.front().lambda || lambda < kind.back().lambda;
    std::size_t nearest = 0;
    for (std::size_t j = 1; j < n; ++j)
        if (std::fabs(kind[j].lambda - lambda) < std::fabs(kind[nearest].lambda - lambda)) nearest = j;
    if (outside || n == 2) {
        const std::size_t a = nearest == 0 ? 0 : nearest == n - 1 ? n - 2 : nearest;
        const FringeExtremum &p = kind[a], &q = kind[a + 1];
        return p.trans + (q.trans - p.trans) * (lambda - p.lambda) / (q.lambda - p.lambda);
    }
    std::size_t first = nearest == 0 ? 0 : nearest - 1;
    if (first + 2 >= n) first = n - 3;
    double sum = 0.0;
    for (std::size_t i = first; i < first + 3; ++i) {
        double weight = 1.0;
        for (std::size_t j = first; j < first + 3; ++j)
            if (j != i) weight *= (lambda - kind[j].lambda) / (kind[i].lambda - kind[j].lambda);
        sum += weight * kind[i].trans;
    }
    return sum;
}

// Envelopes of a film of index n on nS with absorbance x and phase half-spread delta,
// fractions: the whole waves and the half waves.
struct Pair {
    double whole, half;
};
Pair ModelPair(double n, double nS, double x, double delta) {
    const film::Coefficients<double> k = film::CoefficientsOf(n, nS);
    // C > 0 (n > nS): whole waves are the maxima; C < 0: the minima.
    const double up = film::SpreadUpperEnvelope(k, x, delta), low = film::SpreadLowerEnvelope(k, x, delta);
    return k.C >= 0.0 ? Pair{up, low} : Pair{low, up};
}

Pair Measured(const EnvelopePair& e, bool lowerIndex) {
    return lowerIndex ? Pair{e.tMin / 100.0, e.tMax / 100.0} : Pair{e.tMax / 100.0, e.tMin / 100.0};
}

// The index range of each case, open at the substrate.
constexpr double kHighestIndex = 8.0;
// Below the substrate, between sqrt(nS) (the quarter-wave coating that reflects
// nothing, where the maxima peak) and nS: the envelopes of an index below sqrt(nS)
// are those of one above it.
double LowEnd(double nS, bool lowerIndex) { return lowerIndex ? std::sqrt(nS) * (1.0 + 1e-9) : nS * (1.0 + 1e-9); }
double HighEnd(double nS, bool lowerIndex) { return lowerIndex ? nS * (1.0 - 1e-9) : kHighestIndex; }

// The root of f over [a, b] by bisection; nothing without a change of sign.
template <class F>
std::optional<double> Bisect(F f, double a, double b) {
    double fa = f(a), fb = f(b);
    if (!std::isfinite(fa) || !std::isfinite(fb) || (fa > 0.0) == (fb > 0.0)) return std::nullopt;
    for (int i = 0; i < 80 && b - a > 1e-13 * std::max(1.0, std::fabs(a)); ++i) {
        const double m = 0.5 * (a + b), fm = f(m);
        if (!std::isfinite(fm)) return std::nullopt;
        if ((fm > 0.0) == (fa > 0.0))
            a = m, fa = fm;
        else
            b = m;
    }
    return 0.5 * (a + b);
}

// n of a clear film with the phase spread delta from its half-wave envelope.
std::optional<double> IndexFromHalfWaves(double half, double nS, double delta, bool lowerIndex) {
    return Bisect([&](double n) { return ModelPair(n, nS, 1.0, delta).half - half; }, LowEnd(nS, lowerIndex),
                  HighEnd(nS, lowerIndex));
}

}  // namespace

std::vector<EnvelopePair> EnvelopesAtExtrema(const std::vector<FringeExtremum>& e) {
    std::vector<FringeExtremum> maxima, minima;
    for (const FringeExtremum& x : e) (IsMaximum(x) ? maxima : minima).push_back(x);
    std::vector<EnvelopePair> out(e.size());
    if (maxima.empty() || minima.empty()) return out;
    for (std::size_t i = 0; i < e.size(); ++i) {
        out[i].tMax = IsMaximum(e[i]) ? e[i].trans : EnvelopeAt(maxima, e[i].lambda);
        out[i].tMin = IsMaximum(e[i]) ? EnvelopeAt(minima, e[i].lambda) : e[i].trans;
    }
    return out;
}

std::optional<double> UniformIndex(const EnvelopePair& e, double nS, bool lowerIndex) {
    const double tM = e.tMax / 100.0, tm = e.tMin / 100.0;
    if (!(tM > 0.0 && tm > 0.0 && tM >= tm && nS > 0.0)) return std::nullopt;
    const double q = 2.0 * nS * (tM - tm) / (tM * tm), half = (1.0 + nS * nS) / 2.0;
    const double big = lowerIndex ? half - q : half + q;
    const double root = big * big - nS * nS;
    if (!(root >= 0.0) || !(big > 0.0)) return std::nullopt;
    const double n2 = big + std::sqrt(root);
    if (!(n2 > 0.0) || !std::isfinite(n2)) return std::nullopt;
    return std::sqrt(n2);
}

std::optional<double> EnvelopeIndex(const EnvelopePair& e, double nS, double tolerance, bool lowerIndex) {
    const double ts = 100.0 * film::SubstrateTransmission(nS);
    const bool clear = lowerIndex ? std::fabs(e.tMin - ts) < tolerance : e.tMax > ts - tolerance;
    if (!clear) return UniformIndex(e, nS, lowerIndex);
    // The half waves alone: 4 n^2 nS / ((n^2 + 1)(n^2 + nS^2)) on either side of nS.
    const double half = lowerIndex ? e.tMax : e.tMin;
    if (!(half > 0.0) || !(nS > 0.0)) return std::nullopt;
    const double big = 200.0 * nS / half - (1.0 + nS * nS) / 2.0;
    const double root = big * big - nS * nS;
    if (!(root >= 0.0) || !(big > 0.0)) return std::nullopt;
    const double n2 = big + std::sqrt(root);
    if (!(n2 > 0.0) || !std::isfinite(n2)) return std::nullopt;
    return std::sqrt(n2);
}

std::optional<SpreadAtExtremum> ClearFilmSpread(const EnvelopePair& e, double nS, bool lowerIndex) {
    const Pair m = Measured(e, lowerIndex);
    const double ts = film::SubstrateTransmission(nS);
    // How far the whole waves lie from the bare substrate: the spread's mark.
    const double gap = lowerIndex ? m.whole - ts : ts - m.whole;
    if (gap <= 0.0) {
        const auto n = IndexFromHalfWaves(m.half, nS, 0.0, lowerIndex);
        if (!n) return std::nullopt;
        return SpreadAtExtremum{*n, 0.0};
    }
    // The phase spread at which the whole waves move as far: beyond about 3 the fringes
    // are gone.
    auto misfit = [&](double delta) {
        const auto n = IndexFromHalfWaves(m.half, nS, delta, lowerIndex);
        if (!n) return std::nan("");
        const double whole = ModelPair(*n, nS, 1.0, delta).whole;
        return (lowerIndex ? whole - ts : ts - whole) - gap;
    };
    const auto delta = Bisect(misfit, 0.0, 3.0);
    if (!delta) return std::nullopt;
    const auto n = IndexFromHalfWaves(m.half, nS, *delta, lowerIndex);
    if (!n) return std::nullopt;
    return SpreadAtExtremum{*n, *delta};
}

std::optional<double> SpreadCorrectedIndex(const EnvelopePair& e, double nS, double lambda, double spreadNm,
                                           double startN, bool lowerIndex) {
    const Pair m = Measured(e, lowerIndex);
    auto residual = [&](double n, double x) {
        const Pair p = ModelPair(n, nS, x, 4.0 * film::kPi * n * spreadNm / lambda);
        return Pair{p.whole - m.whole, p.half - m.half};
    };
    // Newton's method on (n, x) from x = 1, derivatives by differences.
    double n = startN, x = 1.0;
    for (int iteration = 0; iteration < 40; ++iteration) {
        const Pair r = residual(n, x);
        if (std::fabs(r.whole) < 1e-12 && std::fabs(r.half) < 1e-12) break;
        const double hn = 1e-7 * n, hx = 1e-7;
        const Pair rn = residual(n + hn, x), rx = residual(n, x - hx);
        const double a = (rn.whole - r.whole) / hn, b = (r.whole - rx.whole) / hx;
        const double c = (rn.half - r.half) / hn, d = (r.half - rx.half) / hx;
        const double det = a * d - b * c;
        if (!std::isfinite(det) || det == 0.0) return std::nullopt;
        double dn = (d * r.whole - b * r.half) / det, dx = (a * r.half - c * r.whole) / det;
        // Damped steps that keep the index on its side of the substrate and x in (0, 1.2].
        for (int halving = 0; halving < 30; ++halving) {
            const double nn = n - dn, nx = x - dx;
            if (nn > LowEnd(nS, lowerIndex) && nn < HighEnd(nS, lowerIndex) && nx > 0.0 && nx <= 1.2) break;
            dn /= 2.0, dx /= 2.0;
        }
        n -= dn, x -= dx;
        if (!std::isfinite(n) || !std::isfinite(x)) return std::nullopt;
    }
    const Pair r = residual(n, x);
    if (!(std::fabs(r.whole) < 1e-7 && std::fabs(r.half) < 1e-7)) return std::nullopt;
    return n;
}

double UniformAbsorbance(const EnvelopePair& e, double nS, double n) {
    // 1/Tm + 1/TM = 2 (B + D x^2) / (A x): the root x of D x^2 - S A x / 2 + B = 0 in (0, 1].
    const double tM = e.tMax / 100.0, tm = e.tMin / 100.0;
    const film::Coefficients<double> k = film::CoefficientsOf(n, nS);
    const double sum = 1.0 / tM + 1.0 / tm;
    const double b = -sum * k.A / 2.0;
    if (std::fabs(k.D) < 1e-12 * k.B) return -k.B / b;
    const double root = b * b - 4.0 * k.D * k.B;
    if (!(root >= 0.0)) return std::nan("");
    // The root nearer 1 of the two (the other lies far beyond for every real film).
    const double r1 = (-b - std::sqrt(root)) / (2.0 * k.D), r2 = (-b + std::sqrt(root)) / (2.0 * k.D);
    return std::fabs(r1 - 1.0) < std::fabs(r2 - 1.0) ? r1 : r2;
}

std::optional<FilmSpread> FilmSpreadOf(const std::vector<FringeExtremum>& e, const std::vector<EnvelopePair>& env,
                                       double nS, bool lowerIndex) {
    // dd at every extremum where the film is clear: the envelopes read as those of a
    // uniform film give x = 1 there (a spread moves that reading by 1 to 2 % at most,
    // absorption by as much as it absorbs).
    std::vector<double> spread;
    for (std::size_t i = 0; i < e.size(); ++i) {
        const auto uniform = UniformIndex(env[i], nS, lowerIndex);
        if (!uniform || !(UniformAbsorbance(env[i], nS, *uniform) >= kClearAbsorbance)) continue;
        const auto s = ClearFilmSpread(env[i], nS, lowerIndex);
        if (s) spread.push_back(s->delta * e[i].lambda / (4.0 * film::kPi * s->n));
    }
    if (spread.size() < 3) return std::nullopt;
    // The extrema that stay with the median: a poor envelope gives a stray value.
    const double level = Median(spread);
    std::vector<double> deviations;
    for (double v : spread) deviations.push_back(std::fabs(v - level));
    const double band = 3.0 * std::max({1.4826 * Median(deviations), 0.05 * level, 0.2});
    double sum = 0.0, squares = 0.0;
    int count = 0;
    for (double v : spread) {
        if (std::fabs(v - level) > band) continue;
        sum += v, squares += v * v, ++count;
    }
    if (count < 3) return std::nullopt;
    FilmSpread out;
    out.meanNm = sum / count;
    out.sdNm = std::sqrt(std::max(0.0, (squares - sum * sum / count) / (count - 1)));
    out.count = count;
    return out;
}

}  // namespace optc
