#pragma once
// The envelope method: the extrema split into maxima and minima, the upper and lower
// envelopes at every extremum, the refractive index there and the film thickness.
#include <optional>

#include "thinfilm/ThinFilmData.h"

namespace optc {

// Counts of the two lists written by SplitExtrema.
struct ExtremaSplit {
    int minCount = 0;
    int maxCount = 0;
};

// Odd positions are maxima when ExtTrans[2] < ExtTrans[1], minima otherwise (also
// when the two are equal). Each list keeps the order of ExtLambda.
ExtremaSplit SplitExtrema(ThinFilmData& data);
bool FirstIsMaximum(const ThinFilmData& data);

// Fills EnvMin*/EnvMax* at every extremum: straight lines through the first two
// minima and maxima, then local polynomials of envelopeTerms through three
// neighbours. Returns false, with the envelopes written so far, when an extremum
// found in a list would need a neighbour outside it (extrema out of order, or two
// with the same wavelength); nothing outside the lists is ever read. Fit errors raise.
bool BuildEnvelopes(ThinFilmData& data, const ExtremaSplit& split, int envelopeTerms);

// n and N at every extremum from the envelopes (transmissions in percent). Where
// T_M > Ts - tol the film counts as transparent.
void RefractionAtExtrema(ThinFilmData& data, double nS, double tolerance);

// The two minimum wavelengths the thickness is computed from, in cm (lambdaA the
// longer): the second and third minimum, or the first two when there are only two.
struct ThicknessMinima {
    double lambdaA = 0.0;
    double lambdaB = 0.0;
};
ThicknessMinima ChooseThicknessMinima(const ThinFilmData& data, const ExtremaSplit& split);

// d = la lb / (2 (la n3 - lb n2)) from the indices at the third and second extremum;
// nothing when d is not a positive finite number.
std::optional<double> ThicknessFromEnvelopes(const ThicknessMinima& m, double n3, double n2);
// d = la lb / (2 n (la - lb)) for a film of constant index n; nothing as above.
std::optional<double> ThicknessForConstantIndex(const ThicknessMinima& m, double n);

}  // namespace optc
