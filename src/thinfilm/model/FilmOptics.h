#pragma once
// The optics of an absorbing film on a thick transparent substrate, in air, with the
// light at normal incidence and no light coherent between the substrate's two faces:
// the transmission at one wavelength, its upper and lower envelopes, the same averaged
// over a film whose thickness varies uniformly over d - dd .. d + dd, the substrate's
// own transmission and the reflectance of an interface. Transmissions are fractions
// of 1; x = exp(-alpha d) is the film's absorbance factor, phi = 4 pi n d / lambda its
// phase.
//
// Every function is a template on its number type, so that a least-squares fit can
// take derivatives through it (automatic differentiation); the same code serves the
// plain doubles of the fringe stages.
#include <algorithm>
#include <cmath>
#include <type_traits>

namespace optc::film {

inline constexpr double kPi = 3.14159265358979323846;

// The plain value of a number: the number itself, or the value part (a) of the dual
// numbers that automatic differentiation computes with. Only decisions (how finely to
// slice a spread) look at it, never the value returned.
template <class S>
double ScalarOf(const S& v) {
    if constexpr (std::is_arithmetic_v<S>)
        return static_cast<double>(v);
    else
        return v.a;
}

// T = A x / (B - C x cos(phi) + D x^2) for a film of index n on a substrate of index s.
template <class S>
struct Coefficients {
    S A, B, C, D;
};

template <class S>
Coefficients<S> CoefficientsOf(const S& n, const S& s) {
    const S n2 = n * n, s2 = s * s;
    const S np = n + 1.0, nm = n - 1.0;
    return {16.0 * n2 * s, np * np * np * (n + s2), 2.0 * (n2 - 1.0) * (n2 - s2), nm * nm * nm * (n - s2)};
}

template <class S>
S Transmission(const Coefficients<S>& k, const S& x, const S& phi) {
    using std::cos;
    return k.A * x / (k.B - k.C * x * cos(phi) + k.D * x * x);
}

// The envelopes through the fringe maxima and minima. Where the film is clear, the
// whole waves (cos phi = 1) lie on the substrate's own transmission: they are the
// maxima of a film of higher index than its substrate (C > 0) and the minima of one of
// lower index (C < 0), whose maxima rise above the bare substrate.
template <class S>
S Magnitude(const S& v) {
    return v < 0.0 ? -v : v;
}
template <class S>
S UpperEnvelope(const Coefficients<S>& k, const S& x) {
    return k.A * x / (k.B - Magnitude(k.C) * x + k.D * x * x);
}
template <class S>
S LowerEnvelope(const Coefficients<S>& k, const S& x) {
    return k.A * x / (k.B + Magnitude(k.C) * x + k.D * x * x);
}

// The bare substrate, both faces: 2 s / (1 + s^2).
template <class S>
S SubstrateTransmission(const S& s) {
    return 2.0 * s / (1.0 + s * s);
}

// The reflectance of the interface between media of indices a and b.
template <class S>
S InterfaceReflectance(const S& a, const S& b) {
    const S r = (a - b) / (a + b);
    return r * r;
}

// An antiderivative of 1 / (1 - b cos(phi)), |b| < 1, continuous over every phi:
// 2 / sqrt(1 - b^2) (atan(sqrt((1 + b) / (1 - b)) tan(phi / 2)) + pi round(phi / 2 pi)).
template <class S>
S FringeIntegral(const S& b, const S& phi) {
    using std::atan;
    using std::floor;
    using std::sqrt;
    using std::tan;
    // The phase taken back into -pi .. pi first: tan then agrees in sign with the
    // whole turns counted, also at phi = pi exactly.
    const S turns = floor(phi / (2.0 * kPi) + 0.5);
    const S within = phi - 2.0 * kPi * turns;
    return 2.0 / sqrt(1.0 - b * b) * (atan(sqrt((1.0 + b) / (1.0 - b)) * tan(within / 2.0)) + kPi * turns);
}

// The mean transmission over the phases phi0 - delta .. phi0 + delta at one x: what a
// film of thickness d +- dd transmits where x hardly changes over the spread
// (delta = 4 pi n dd / lambda). Exact, in closed form (Swanepoel 1984).
template <class S>
S SpreadTransmission(const Coefficients<S>& k, const S& x, const S& phi0, const S& delta) {
    // Below this spread of the phase the mean is the transmission itself to far better
    // than the closed form's rounding.
    constexpr double kUniform = 1e-6;
    if (delta < kUniform) return Transmission(k, x, phi0);
    const S denominator = k.B + k.D * x * x;
    const S a = k.A * x / denominator, b = k.C * x / denominator;
    return a * (FringeIntegral(b, phi0 + delta) - FringeIntegral(b, phi0 - delta)) / (2.0 * delta);
}

// The envelopes of such a film: the means centred on a fringe maximum and minimum.
// delta above pi washes the fringes out altogether.
template <class S>
S SpreadUpperEnvelope(const Coefficients<S>& k, const S& x, const S& delta) {
    return SpreadTransmission(k, x, S(k.C < 0.0 ? kPi : 0.0), delta);
}
template <class S>
S SpreadLowerEnvelope(const Coefficients<S>& k, const S& x, const S& delta) {
    return SpreadTransmission(k, x, S(k.C < 0.0 ? 0.0 : kPi), delta);
}

// The mean transmission of a film of index n, absorption alpha (per nm) and thickness
// d +- dd (nm) at the wavelength lambda (nm), to 1e-6. Where x = exp(-alpha d) hardly
// changes across the spread, the closed form at x(d); where it does (in an absorption
// edge), Gauss-Legendre quadrature over the thicknesses with x and phi exact, eight
// points on every half fringe the spread crosses.
template <class S>
S FilmTransmission(const S& n, const S& s, const S& alpha, const S& d, const S& dd, double lambda) {
    using std::exp;
    const Coefficients<S> k = CoefficientsOf(n, s);
    const S phase = 4.0 * kPi * n / lambda;  // phi per nm of thickness
    const S x = exp(-alpha * d);
    // Taking x at d for the whole spread misses the mean of x itself by
    // (2 alpha dd)^2 / 24 of T, and the tilt x gives the fringes: at most alpha times
    // their half-amplitude times the shorter of dd and a radian of phase.
    constexpr double kMostError = 1e-6;
    const double across = 2.0 * ScalarOf(alpha) * ScalarOf(dd);
    const double perNm = ScalarOf(phase);
    const double upper = ScalarOf(UpperEnvelope(k, x));
    const double amplitude = (upper - ScalarOf(LowerEnvelope(k, x))) / 2.0;
    const double tilt = ScalarOf(alpha) * amplitude * std::min(ScalarOf(dd), 1.0 / perNm);
    if (std::max(across * across * upper / 24.0, tilt) <= kMostError)
        return SpreadTransmission(k, x, phase * d, phase * dd);
    static constexpr double kNode[4] = {0.1834346424956498, 0.5255324099163290, 0.7966664774136267,
                                        0.9602898564975363};
    static constexpr double kWeight[4] = {0.3626837833783620, 0.3137066458778873, 0.2223810344533745,
                                          0.1012285362903763};
    constexpr int kMostPieces = 64;
    const double halfFringes = 2.0 * perNm * ScalarOf(dd) / kPi;
    const int pieces = halfFringes <= 1.0 ? 1 : halfFringes >= kMostPieces ? kMostPieces
                                                                            : static_cast<int>(std::ceil(halfFringes));
    const S h = 2.0 * dd / static_cast<double>(pieces);
    S sum = S(0.0);
    for (int p = 0; p < pieces; ++p) {
        const S mid = d - dd + (static_cast<double>(p) + 0.5) * h;
        for (int i = 0; i < 4; ++i) {
            for (double side : {-1.0, 1.0}) {
                const S t = mid + side * kNode[i] * h / 2.0;
                sum += kWeight[i] * Transmission(k, exp(-alpha * t), phase * t);
            }
        }
    }
    return sum / (2.0 * static_cast<double>(pieces));
}

// The bare substrate in percent, 200 nS / (1 + nS^2), with the window's checked
// arithmetic: an index whose square overflows raises the overflow error.
double SubstrateTransmissionPercent(double nS);

}  // namespace optc::film
