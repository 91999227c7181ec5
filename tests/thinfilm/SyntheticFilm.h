#pragma once
// The transmission of a uniform absorbing film on a thick transparent substrate, with
// a Cauchy index n = a + b / lambda^2, an exponential absorption edge over an optional
// constant weak absorption, and the fringe extrema found on it by a plain search or
// exactly. Shared by the tests and the benchmark.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace optc::synthetic {

struct Film {
    double a = 2.0;          // Cauchy constant
    double b = 3.0e4;        // nm^2
    double thicknessNm = 1000.0;
    double substrate = 1.52;
    double edgeEnergy = 3.0;   // eV: alpha = 1e5 cm^-1 there
    double edgeWidth = 0.15;   // eV
    double weakAlpha = 0.0;    // cm^-1 at every wavelength, on top of the edge

    double Index(double lambda) const { return a + b / (lambda * lambda); }
    double Alpha(double lambda) const {
        return 1e5 * std::exp((1239.83 / lambda - edgeEnergy) / edgeWidth) + weakAlpha;
    }
    double AlphaD(double lambda) const { return Alpha(lambda) * thicknessNm * 1e-7; }

    // What a real film and instrument add, both 0 for the ideal film: the thickness
    // varies uniformly over thicknessNm +- spreadNm across the light spot, and the
    // instrument's band is a triangle of full width at half maximum slitNm.
    double spreadNm = 0.0;
    double slitNm = 0.0;

    // T in percent of a uniform film of thickness d: A x / (B - C x cos(phi) + D x^2),
    // phi = 4 pi n d / lambda.
    double UniformTransmission(double lambda, double d) const {
        const double n = Index(lambda);
        const double s = substrate;
        const double x = std::exp(-Alpha(lambda) * d * 1e-7);
        const double A = 16 * n * n * s;
        const double B = std::pow(n + 1, 3) * (n + s * s);
        const double C = 2 * (n * n - 1) * (n * n - s * s);
        const double D = std::pow(n - 1, 3) * (n - s * s);
        const double phi = 4 * M_PI * n * d / lambda;
        return 100 * A * x / (B - C * x * std::cos(phi) + D * x * x);
    }

    // The film as measured: averaged over the thickness spread, then over the band,
    // each by brute quadrature (Gauss-Legendre on pieces short against a fringe), so
    // that this truth shares nothing with the program's closed forms.
    double Transmission(double lambda) const {
        if (slitNm <= 0.0) return SpreadTransmission(lambda);
        // A triangle of full width w at half maximum has its feet at +-w.
        const double fringe = lambda * lambda / (2 * Index(lambda) * (thicknessNm + spreadNm));
        const int pieces = 2 * std::max(2, static_cast<int>(std::ceil(4 * slitNm / fringe)));
        double sum = 0.0;
        GaussLegendre(-slitNm, slitNm, pieces, [&](double u, double w) {
            sum += w * (1 - std::fabs(u) / slitNm) / slitNm * SpreadTransmission(lambda + u);
        });
        return sum;
    }

private:
    double SpreadTransmission(double lambda) const {
        if (spreadNm <= 0.0) return UniformTransmission(lambda, thicknessNm);
        const double phaseSpan = 8 * M_PI * Index(lambda) * spreadNm / lambda;
        const int pieces = std::max(2, static_cast<int>(std::ceil(4 * phaseSpan / (2 * M_PI))));
        double sum = 0.0;
        GaussLegendre(thicknessNm - spreadNm, thicknessNm + spreadNm, pieces,
                      [&](double d, double w) { sum += w * UniformTransmission(lambda, d); });
        return sum / (2 * spreadNm);
    }

    // Eight-point Gauss-Legendre on each of `pieces` equal parts of [from, to]: calls
    // add(abscissa, weight).
    template <class Add>
    static void GaussLegendre(double from, double to, int pieces, Add add) {
        static const double node[4] = {0.1834346424956498, 0.5255324099163290, 0.7966664774136267,
                                       0.9602898564975363};
        static const double weight[4] = {0.3626837833783620, 0.3137066458778873, 0.2223810344533745,
                                         0.1012285362903763};
        const double h = (to - from) / pieces;
        for (int p = 0; p < pieces; ++p) {
            const double mid = from + (p + 0.5) * h;
            for (int k = 0; k < 4; ++k) {
                add(mid - node[k] * h / 2, weight[k] * h / 2);
                add(mid + node[k] * h / 2, weight[k] * h / 2);
            }
        }
    }
};

// The films the extremum finder is tried on. A 1 um film whose absorption edge lies
// inside a 350 to 1500 nm spectrum (fringes die out below about 450 nm); a 2.5 um film
// of higher index with a sharper edge near 520 nm; a 17 um film of low index contrast
// (n about 1.65 on nS = 1.52) with weak absorption, whose fringes from 560 to 860 nm
// are about 1.5 %T in half-amplitude on 84 %T; a 1.5 um film of n = 2.2 that does not
// absorb from 400 to 1100 nm (its edge lies far in the ultraviolet).
inline Film OneMicronFilm() { return Film{}; }
inline Film TwoAndAHalfMicronFilm() {
    Film film;
    film.a = 2.2;
    film.thicknessNm = 2500;
    film.edgeEnergy = 2.6;
    film.edgeWidth = 0.1;
    return film;
}
inline Film ThickLowContrastFilm() {
    Film film;
    film.a = 1.62;
    film.b = 1.0e4;
    film.thicknessNm = 17000;
    film.edgeEnergy = 3.53;
    film.weakAlpha = 40;
    return film;
}

inline Film ClearFilm() {
    Film film;
    film.a = 2.2;
    film.b = 0.0;
    film.thicknessNm = 1500;
    film.edgeEnergy = 10.0;
    return film;
}

using Points = std::vector<std::pair<double, double>>;

// count points from `from` to `to` nm, evenly spaced, in ascending wavelength; with
// `instrument` the transmission to three decimals as an instrument writes it (0 deep
// in the edge), otherwise exact.
inline Points Spectrum(const Film& film, double from, double to, int count, bool instrument = true) {
    Points points;
    points.reserve(static_cast<std::size_t>(count));
    const double step = (to - from) / (count - 1);
    for (int i = 0; i < count; ++i) {
        const double lambda = from + step * i;
        const double t = film.Transmission(lambda);
        points.push_back({lambda, instrument ? std::round(t * 1000) / 1000 : t});
    }
    return points;
}

// Local maxima and minima of an ascending spectrum at wavelengths of at least
// `shortest`, each refined by the parabola through it and its two neighbours;
// longest wavelength first.
inline Points Extrema(const Points& spectrum, double shortest) {
    Points found;
    for (std::size_t i = spectrum.size() - 2; i >= 1; --i) {
        const auto [x0, y0] = spectrum[i - 1];
        const auto [x1, y1] = spectrum[i];
        const auto [x2, y2] = spectrum[i + 1];
        if (x1 < shortest) break;
        const bool peak = y1 > y0 && y1 >= y2;
        const bool dip = y1 < y0 && y1 <= y2;
        if (!peak && !dip) continue;
        const double h = x1 - x0;
        const double curvature = y0 - 2 * y1 + y2;
        const double shift = curvature != 0 ? h * (y0 - y2) / (2 * curvature) : 0.0;
        const double top = y1 - (y0 - y2) * (y0 - y2) / (8 * curvature);
        found.push_back({x1 + shift, curvature != 0 ? top : y1});
    }
    return found;
}

struct TrueExtremum {
    double lambda = 0.0;
    double trans = 0.0;
    bool maximum = false;
};

// The exact extrema of the noise-free curve from `to` down to `from` nm, longest
// first: located on a 0.05 nm grid, then refined by golden-section search.
inline std::vector<TrueExtremum> ExactExtrema(const Film& film, double from, double to) {
    constexpr double kGrid = 0.05;
    std::vector<TrueExtremum> found;
    const int steps = static_cast<int>((to - from) / kGrid);
    for (int k = steps - 1; k >= 1; --k) {
        const double x = from + k * kGrid;
        const double y0 = film.Transmission(x - kGrid), y1 = film.Transmission(x), y2 = film.Transmission(x + kGrid);
        const bool peak = y1 > y0 && y1 >= y2;
        if (!peak && !(y1 < y0 && y1 <= y2)) continue;
        const double sign = peak ? -1.0 : 1.0;  // minimise sign * T
        double lo = x - kGrid, hi = x + kGrid;
        const double g = (std::sqrt(5.0) - 1) / 2;
        for (int i = 0; i < 60; ++i) {
            const double c = hi - g * (hi - lo), d = lo + g * (hi - lo);
            if (sign * film.Transmission(c) < sign * film.Transmission(d))
                hi = d;
            else
                lo = c;
        }
        const double at = (lo + hi) / 2;
        found.push_back({at, film.Transmission(at), peak});
    }
    return found;
}

// Gaussian numbers from a fixed seed, the same on every platform (Box-Muller over
// the standard 64-bit Mersenne twister, whose output the standard fixes).
class Gaussian {
public:
    explicit Gaussian(std::uint64_t seed) : engine_(seed) {}
    double Next(double sd) {
        const double u1 = Uniform(), u2 = Uniform();
        return sd * std::sqrt(-2.0 * std::log(u1)) * std::cos(2 * M_PI * u2);
    }

private:
    double Uniform() { return (static_cast<double>(engine_() >> 11) + 0.5) * 0x1.0p-53; }
    std::mt19937_64 engine_;
};

// A spectrum with Gaussian noise of `sd` %T added to every point.
inline Points WithNoise(Points points, double sd, Gaussian& noise) {
    for (auto& p : points) p.second += noise.Next(sd);
    return points;
}
// The same from a seed of its own, so that every run sees the same draw.
inline Points WithNoise(Points points, double sd, std::uint64_t seed) {
    Gaussian noise(seed);
    return WithNoise(std::move(points), sd, noise);
}

// The exact extrema as a careful person marks them on a noisy curve in the minima
// window, where a mark lies where the pointer aims: at the top (or bottom) of each
// fringe, the wavelength off by a Gaussian error of `lambdaSd` nm and the
// transmission by one of `transSd` %T, the noise of the curve around it.
inline Points MarkedExtrema(const std::vector<TrueExtremum>& exact, double lambdaSd, double transSd, Gaussian& noise) {
    Points marked;
    for (const TrueExtremum& e : exact) {
        const double at = e.lambda + noise.Next(lambdaSd);
        marked.push_back({at, e.trans + noise.Next(transSd)});
    }
    return marked;
}

}  // namespace optc::synthetic
