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
// d +- dd (nm) at the wavelength lambda (nm). Where x changes across the spread, the
// spread is cut into slices on each of which x is taken at the slice's centre; the
// slices are made short enough that this moves the mean by less than 1e-6.
template <class S>
S FilmTransmission(const S& n, const S& s, const S& alpha, const S& d, const S& dd, double lambda) {
    using std::exp;
    const Coefficients<S> k = CoefficientsOf(n, s);
    const S phase = 4.0 * kPi * n / lambda;  // phi per nm of thickness
    const S x = exp(-alpha * d);
    // Over a slice of width w, x changes by a share alpha w: that tilts the fringes,
    // moving the slice's mean by at most alpha w / 2 times their half-amplitude, and
    // the mean of x itself differs from x at the centre by (alpha w)^2 / 24 of T.
    constexpr double kMostError = 1e-6;
    constexpr int kMostSlices = 64;
    const double upper = ScalarOf(UpperEnvelope(k, x));
    const double amplitude = (upper - ScalarOf(LowerEnvelope(k, x))) / 2.0;
    const double across = 2.0 * ScalarOf(alpha) * ScalarOf(dd);
    const double needed =
        std::max(across * amplitude / (2.0 * kMostError), across * std::sqrt(upper / (24.0 * kMostError)));
    const int slices = needed <= 1.0 ? 1 : needed >= kMostSlices ? kMostSlices : static_cast<int>(std::ceil(needed));
    if (slices == 1) return SpreadTransmission(k, x, phase * d, phase * dd);
    S sum = S(0.0);
    const S width = 2.0 * dd / static_cast<double>(slices);
    for (int i = 0; i < slices; ++i) {
        const S centre = d - dd + (static_cast<double>(i) + 0.5) * width;
        sum += SpreadTransmission(k, exp(-alpha * centre), phase * centre, phase * width / 2.0);
    }
    return sum / static_cast<double>(slices);
}

// The bare substrate in percent, 200 nS / (1 + nS^2), with the window's checked
// arithmetic: an index whose square overflows raises the overflow error.
double SubstrateTransmissionPercent(double nS);

}  // namespace optc::film
