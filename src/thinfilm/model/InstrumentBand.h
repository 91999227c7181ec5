#pragma once
// The instrument's band: what a spectrophotometer reads at a wavelength is the
// transmission averaged over its band, a triangle of full width at half maximum w
// (the spectral band width it is set to), whose feet lie at lambda - w and lambda + w.
// Templated on the number type like the film's optics, so that a fit takes its
// derivatives through the average.
#include <algorithm>
#include <cmath>

namespace optc::film {

// The mean of t(lambda + u) weighted by the triangle (1 - |u| / w) / w over -w .. w,
// by Gauss-Legendre quadrature, four points on each of `pieces` parts of either
// half (the triangle's kink at u = 0 lies between parts): exact for a curve that is a
// polynomial of degree seven on each part. pieces is at least 1.
template <class S, class Curve>
S BandAverage(const Curve& t, double lambda, double w, int pieces) {
    static constexpr double kNode[4] = {0.1834346424956498, 0.5255324099163290, 0.7966664774136267,
                                        0.9602898564975363};
    static constexpr double kWeight[4] = {0.3626837833783620, 0.3137066458778873, 0.2223810344533745,
                                          0.1012285362903763};
    const double h = w / static_cast<double>(pieces);
    S sum = S(0.0);
    for (int p = 0; p < pieces; ++p) {
        const double mid = (static_cast<double>(p) + 0.5) * h;
        for (int i = 0; i < 4; ++i) {
            for (double side : {-1.0, 1.0}) {
                const double u = mid + side * kNode[i] * h / 2.0;
                const double weight = kWeight[i] * h / 2.0 * (1.0 - u / w) / w;
                sum += weight * (t(lambda + u) + t(lambda - u));
            }
        }
    }
    return sum;
}

// The parts of either half of the band that keep the quadrature to about 1e-7 of a
// fringe's amplitude: one part per eighth of a fringe the half band spans, at least one.
inline int BandPieces(double w, double fringePeriodNm) {
    if (!(fringePeriodNm > 0.0)) return 1;
    const double spans = 8.0 * w / fringePeriodNm;
    return spans <= 1.0 ? 1 : static_cast<int>(std::min(std::ceil(spans), 64.0));
}

}  // namespace optc::film
