#pragma once
// The interference-fringe maxima and minima of a transmission spectrum, found without
// a user: what "Find Extrema" in the minima window and batch runs with --find-extrema
// mark. The spectrum comes as imported (nm and %, in any direction); the result is a
// plain list, longest wavelength first, maxima and minima alternating.
//
// How:
// 1. Noise: in blocks of 32 samples, the part of the curve that no local sinusoid of
//    any level and period explains, so fringes, however coarsely sampled, do not count
//    as noise (NoiseEstimate.h).
// 2. Turning points that stand out: the curve must rise and fall by more than a
//    threshold on both sides of an extremum (a zig-zag with hysteresis), so maxima
//    and minima alternate by construction (TurningPoints.h). The threshold lies above
//    the range that noise reaches over a spectrum of that many points: on the measured
//    curve first, then on a Savitzky-Golay smoothing whose width follows the local
//    fringe period found there; a last pass also drops any swing below 15 % of the
//    neighbouring fringes' swings (a spike among large fringes).
//    On the measured curve, a spike or dip far narrower than the fringes (a lamp or
//    detector change) is bridged by the parabola through the points around it before
//    the period is taken; what is left of one too small or too coarsely sampled to
//    bridge, a maximum and a minimum far closer together than the half-fringe they
//    interrupt, is dropped from the turning points of both passes (Glitches.h).
// 3. Position between samples: the vertex of the least-squares parabola, over 1/lambda,
//    through the measured points within 0.3 half-periods of the turning point; the
//    parabola's value there is the transmission.
// 4. Fringes are evenly spaced in 1/lambda: runs of at least four extrema whose
//    neighbouring spacings agree within a factor 1.5 are fringes, and each run takes in
//    the extrema beyond its ends while a spacing stays within a factor 2 of the one
//    before (the absorption edge pushes the last fringes about). Wiggles of noise that
//    the instrument smoothed over several samples thus do not pass as fringes.
#include <span>
#include <vector>

namespace optc {

struct FoundExtremum {
    double lambda = 0.0;  // nm
    double trans = 0.0;   // %
    bool maximum = false;
};

enum class ExtremaVerdict {
    Found,         // at least four alternating extrema: two whole fringes, as Calculate needs
    TooFewPoints,  // fewer than kFewestPoints usable points
    NoFringes,     // nothing stands out of the noise as a fringe
};

struct ExtremaSearch {
    ExtremaVerdict verdict = ExtremaVerdict::NoFringes;
    std::vector<FoundExtremum> extrema;  // empty unless Found
    double noise = 0.0;                   // median noise of the spectrum, %
};

inline constexpr int kFewestPoints = 5;

inline constexpr const char* kNoFringesMessage = "No interference fringes were found in the spectrum.";
inline constexpr const char* kTooFewPointsMessage = "The spectrum has too few points to find fringes.";

// Points whose wavelength is not a positive number (a bad line inside a long file
// leaves a point at wavelength 0) are left out. A value that overflows the arithmetic
// raises the floating-point error instead of giving infinite or undefined extrema.
ExtremaSearch FindFringeExtrema(std::span<const double> lambda, std::span<const double> trans);

// The text that tells the user why nothing was found; empty when extrema were found.
const char* VerdictMessage(ExtremaVerdict verdict);

}  // namespace optc
