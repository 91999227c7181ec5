#pragma once
// The dispersion of the film: n at the extrema inside the chosen range fitted as a
// polynomial in 1/lambda^2, and that polynomial on a 1 nm grid.
#include <functional>

#include "thinfilm/ThinFilmData.h"

namespace optc {

// n(lambda) = sum of DispCoef[q] (1/lambda^2)^q, at any wavelength (nm).
double DispersionIndex(const ThinFilmData& data, double lambda);

enum class DispersionFitOutcome {
    Fitted,
    OneExtremumInRange,  // a single extremum lies in [DispStart, DispEnd]
};

// Selects the extrema in [DispStart, DispEnd] into FitInvLambdaSq/FitRefraction
// (with midpoints between neighbours when there are seven or fewer), clears DispCoef
// and DispCount, and fits `terms` coefficients (a straight line for two extrema).
// With no extremum in the range the fit raises its "less than two points" error.
DispersionFitOutcome DispersionFit(ThinFilmData& data, int terms);

struct DispersionGridResult {
    bool tooWide = false;  // the grid would not fit into the arrays
    double reported = 0.0; // n at the last grid point whose rounded wavelength is natx
    bool natxOnGrid = false;  // some grid point had that wavelength
};

// Fills DispLambda/DispRefraction from DispStart in steps of 1 nm while below
// DispEnd, and DispCount. readNatx gives the value of the "n at" wavelength and is
// asked at every grid point (a bad text stops there).
DispersionGridResult DispersionGrid(ThinFilmData& data, const std::function<double()>& readNatx);

// The four-decimal form of a reported n: cut toward zero, not rounded.
long double CutToFourDecimals(double n);

}  // namespace optc
