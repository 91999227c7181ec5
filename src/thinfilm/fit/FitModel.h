#pragma once
// The film the spectrum fit describes: its index by a dispersion law, its absorption
// by an exponential (Urbach) edge over a constant floor, its thickness d with a
// uniform spread +-dd, a thick transparent substrate, and the instrument's band. The
// parameters sit in one vector of fixed layout; a fit holds the ones not chosen
// constant. Templated on the number type for automatic derivatives.
#include <array>
#include <cmath>
#include <string>

#include "thinfilm/model/FilmOptics.h"
#include "thinfilm/model/InstrumentBand.h"

namespace optc {

enum class DispersionLaw {
    Cauchy,       // n = A + B / lambda^2
    CauchyThree,  // n = A + B / lambda^2 + C / lambda^4
    Sellmeier,    // n^2 = 1 + S lambda^2 / (lambda^2 - lambda0^2)
};
enum class AbsorptionLaw {
    None,    // a clear film: the fit keeps to the fringes' range
    Urbach,  // alpha = 1e5 exp((E - E0) / W) + floor, cm^-1
};

// The parameters, in their order in the vector. lambda in the dispersion laws is in
// micrometres, so that every parameter is of order one.
enum FitParameterIndex {
    kThickness = 0,  // d, nm
    kSpread,         // dd, nm
    kSubstrate,      // nS
    kDispersion1,    // Cauchy A, or Sellmeier S
    kDispersion2,    // Cauchy B (um^2), or Sellmeier lambda0 (um)
    kDispersion3,    // Cauchy C (um^4)
    kEdgeEnergy,     // E0, eV: where alpha is 1e5 cm^-1
    kEdgeWidth,      // W, eV
    kFloor,          // alpha of the floor, cm^-1
    kParameterCount
};

using FitVector = std::array<double, kParameterCount>;

// hc in eV nm, as the window converts wavelengths to photon energies.
inline constexpr double kFitPhotonFactor = 1239.83;
// The edge's exponent is held at this value above it: alpha d is then far beyond any
// measurable absorption, and its exponential stays finite.
inline constexpr double kMostEdgeExponent = 40.0;

struct FilmLaws {
    DispersionLaw dispersion = DispersionLaw::Cauchy;
    AbsorptionLaw absorption = AbsorptionLaw::Urbach;
    double slitNm = 0.0;  // the band's full width at half maximum; 0: none
};

// The index at lambda nm.
template <class S>
S FitIndex(const S* p, DispersionLaw law, double lambda) {
    using std::sqrt;
    const double um = lambda / 1000.0;
    const double inverse2 = 1.0 / (um * um);
    switch (law) {
        case DispersionLaw::Cauchy:
            return p[kDispersion1] + p[kDispersion2] * inverse2;
        case DispersionLaw::CauchyThree:
            return p[kDispersion1] + p[kDispersion2] * inverse2 + p[kDispersion3] * (inverse2 * inverse2);
        case DispersionLaw::Sellmeier: {
            const S pole = p[kDispersion2] * p[kDispersion2];
            return sqrt(1.0 + p[kDispersion1] * (um * um) / ((um * um) - pole));
        }
    }
    return S(1.0);
}

// alpha at lambda nm, per nm.
template <class S>
S FitAlphaPerNm(const S* p, AbsorptionLaw law, double lambda) {
    using std::exp;
    if (law == AbsorptionLaw::None) return S(0.0);
    const double energy = kFitPhotonFactor / lambda;
    S exponent = (energy - p[kEdgeEnergy]) / p[kEdgeWidth];
    if (exponent > kMostEdgeExponent) exponent = S(kMostEdgeExponent);
    return (1e5 * exp(exponent) + p[kFloor]) * 1e-7;
}

// The film's transmission at one wavelength, a fraction of 1, before the band.
template <class S>
S FitFilmTransmission(const S* p, const FilmLaws& laws, double lambda) {
    return film::FilmTransmission(FitIndex(p, laws.dispersion, lambda), p[kSubstrate],
                                  FitAlphaPerNm(p, laws.absorption, lambda), p[kThickness], p[kSpread], lambda);
}

// The transmission as the instrument reads it, %. bandPieces from BandPieces for this
// wavelength; ignored without a band.
template <class S>
S FitTransmission(const S* p, const FilmLaws& laws, double lambda, int bandPieces) {
    if (laws.slitNm <= 0.0) return 100.0 * FitFilmTransmission(p, laws, lambda);
    const auto at = [&](double l) { return FitFilmTransmission(p, laws, l); };
    return 100.0 * film::BandAverage<S>(at, lambda, laws.slitNm, bandPieces);
}

// The fringe period (nm) near lambda of a film of index n and thickness d, for the
// band's quadrature and the sampling checks.
inline double FringePeriodNm(double n, double d, double lambda) {
    return n > 0.0 && d > 0.0 ? lambda * lambda / (2.0 * n * d) : 0.0;
}

}  // namespace optc
