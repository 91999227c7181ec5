#include "thinfilm/fit/FitAlpha.h"

#include <cmath>

namespace optc {

namespace {

// The transmission (%) of the fitted film with alpha d = x at every wavelength of the band.
double WithAbsorbance(const FitVector& values, const FilmLaws& laws, double lambda, int bandPieces, double x) {
    const double alpha = x / values[kThickness];
    const auto at = [&](double l) {
        return film::FilmTransmission(FitIndex(values.data(), laws.dispersion, l), values[kSubstrate], alpha,
                                      values[kThickness], values[kSpread], l);
    };
    if (laws.slitNm <= 0.0) return 100.0 * at(lambda);
    return 100.0 * film::BandAverage<double>(at, lambda, laws.slitNm, bandPieces);
}

}  // namespace

std::optional<double> AlphaFromPoint(const FitVector& values, const FilmLaws& laws, double lambda, int bandPieces,
                                     double measured) {
    if (!(measured > 0.0) || !(values[kThickness] > 0.0)) return std::nullopt;
    const auto f = [&](double x) { return WithAbsorbance(values, laws, lambda, bandPieces, x) - measured; };
    double lo = 0.0, flo = f(0.0);
    if (!std::isfinite(flo)) return std::nullopt;
    if (flo <= 0.0) return 0.0;
    // alpha d up to 700: exp(-700) lies below any transmission a number can hold.
    constexpr double kMostAbsorbance = 700.0;
    double hi = 1.0, fhi = f(hi);
    while (fhi > 0.0 && hi < kMostAbsorbance) {
        lo = hi;
        flo = fhi;
        hi = std::min(2.0 * hi, kMostAbsorbance);
        fhi = f(hi);
    }
    if (!std::isfinite(fhi)) return std::nullopt;
    if (fhi > 0.0) return hi / values[kThickness] * 1e7;
    // Regula falsi with the Illinois halving, closed by bisection's guarantee: the
    // bracket shrinks every step.
    int side = 0;
    double x = 0.5 * (lo + hi);
    for (int i = 0; i < 100 && hi - lo > 1e-12 * hi; ++i) {
        x = (lo * fhi - hi * flo) / (fhi - flo);
        if (!(x > lo && x < hi)) x = 0.5 * (lo + hi);
        const double fx = f(x);
        if (!std::isfinite(fx)) return std::nullopt;
        if (std::fabs(fx) < 1e-10) break;
        if (fx > 0.0) {
            lo = x;
            flo = fx;
            if (side == -1) fhi /= 2.0;
            side = -1;
        } else {
            hi = x;
            fhi = fx;
            if (side == 1) flo /= 2.0;
            side = 1;
        }
    }
    return x / values[kThickness] * 1e7;
}

}  // namespace optc
