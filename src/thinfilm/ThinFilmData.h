#pragma once
// The workspace of the Thin Films window: the transmission spectrum, the fringe
// extrema and everything Calculate derives from them. One zero-filled instance lives
// from program start to program end; its arrays reserve about 27 MB but take memory
// only as far as spectra reach. Closing and reopening the window finds it as it was left.
#include <memory>

#include "numerics/Arrays.h"

namespace optc {

struct ThinFilmData {
    // Spectrum, in file order (nm, %).
    SpectrumArray SpecLambda;
    SpectrumArray SpecTrans;
    int SpecCount = 0;
    int SpecAscending = 0;  // 1 when SpecLambda[1] < SpecLambda[2]

    // Fringe extrema as read or marked, and longest wavelength first (nm, %).
    SpectrumArray RawExtLambda;
    SpectrumArray RawExtTrans;
    SpectrumArray ExtLambda;
    SpectrumArray ExtTrans;
    int ExtCount = 0;

    // The extrema split into minima and maxima (their counts live only in Calculate).
    SpectrumArray MinLambda;
    SpectrumArray MinTrans;
    SpectrumArray MaxLambda;
    SpectrumArray MaxTrans;
    // Lower (through the minima) and upper envelope at every extremum wavelength.
    SpectrumArray EnvMinLambda;
    SpectrumArray EnvMinTrans;
    SpectrumArray EnvMaxLambda;
    SpectrumArray EnvMaxTrans;
    // Refractive index n and the auxiliary N of the envelope formula per extremum.
    SpectrumArray LambdaExp;
    SpectrumArray RefractionExp;
    SpectrumArray AuxN;
    double FilmThickness = 0.0;  // cm

    // Dispersion: the n range, the fit points in 1/lambda^2, the polynomial and its
    // 1 nm grid (indices 1..DispCount-1).
    double DispStart = 0.0;
    double DispEnd = 0.0;
    int RangeCount = 0;
    SpectrumArray FitInvLambdaSq;
    SpectrumArray FitRefraction;
    int FitCount = 0;
    CoefVector DispCoef{};
    SpectrumArray DispLambda;
    SpectrumArray DispRefraction;
    int DispCount = 0;

    // Fringes-free transmission: support points (extrema and the 30 % point of the
    // absorption edge at ExtCount+1) and the curve at every spectrum wavelength.
    SpectrumArray FreeExtLambda;
    SpectrumArray FreeExtTrans;
    SpectrumArray FreeLambda;
    SpectrumArray FreeTrans;

    // Absorption and Tauc, indexed like the spectrum.
    SpectrumArray TaucEnergy;
    SpectrumArray TransFraction;
    SpectrumArray AbsEnergy;
    SpectrumArray Absorption;
    SpectrumArray TaucDirect;
    SpectrumArray TaucIndirect;
    SpectrumArray Tauc;
    SpectrumArray EgEnergy;
    SpectrumArray EgTauc;
    CoefVector TaucLine{};  // [0] intercept, [1] slope; a zero slope means no line
    double Eg = 0.0;        // eV
    double EgEStart = 0.0;
    double EgEEnd = 0.0;
    double EgYStart = 0.0;
    double EgYEnd = 0.0;
    int GraphMode = 0;  // 1 while the Tauc view is shown

    // Working coefficient vectors of Calculate.
    CoefVector MinLineCoef{};
    CoefVector MaxLineCoef{};
    CoefVector MinLocalCoef{};
    CoefVector MaxLocalCoef{};
    CoefVector FreeLocalCoef{};

    // A zero-filled workspace on the heap.
    static std::unique_ptr<ThinFilmData> Create() { return std::make_unique<ThinFilmData>(); }
};

// The clear rules. Each operation that invalidates results clears one of these nested
// sets, so every list is written down once.

// The arrays Calculate derives (n at the extrema, fit points, grid, fringes-free
// transmission, energies, absorption and the Tauc selections).
void ClearDerivedArrays(ThinFilmData& data);

// Calculate, before anything else: the derived arrays, the five working coefficient
// vectors, and the graph mode back to 0.
void ResetForCalculate(ThinFilmData& data);

// Calculate, just before the dispersion fit: no polynomial and an empty grid.
void ResetDispersion(ThinFilmData& data);

// Determine Fringes: no extrema (count 0), no gap line, the extrema arrays and the
// derived arrays cleared. The spectrum and DispCount stay.
void ResetForDetermineFringes(ThinFilmData& data);

// Import Spectrum: the derived arrays, the extrema arrays and the spectrum itself,
// with SpecCount and SpecAscending 0. ExtCount, DispCount, FitCount, RangeCount and
// every coefficient vector keep their values.
void ResetForImportSpectrum(ThinFilmData& data);

}  // namespace optc
