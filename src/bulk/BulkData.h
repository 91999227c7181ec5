#pragma once
// The workspace of the bulk window: the transmission and reflection spectra, the
// common grid the two are resampled onto, and everything the calculation derives
// from them. One instance lives on the heap for the whole run of the program.
#include <memory>

#include "numerics/Arrays.h"

namespace optc {

struct BulkData {
    // Transmission spectrum, longest wavelength first (nm, %), and in file order.
    SpectrumArray SpecLambda;
    SpectrumArray SpecTrans;
    SpectrumArray RawLambda;
    SpectrumArray RawTrans;
    // Reflection spectrum, longest wavelength first (nm, %), and in file order.
    SpectrumArray ReflLambda;
    SpectrumArray ReflValue;
    SpectrumArray RawReflLambda;
    SpectrumArray RawReflValue;
    // Common grid (descending) with T and R interpolated on it; built only when the
    // two spectra lie on different grids.
    SpectrumArray GridLambda;
    SpectrumArray GridTrans;
    SpectrumArray GridReflLambda;
    SpectrumArray GridRefl;
    // Results per absorption point (1..AbsCount).
    SpectrumArray TaucEnergy;
    SpectrumArray TransFraction;
    SpectrumArray AbsEnergy;
    SpectrumArray Absorption;
    SpectrumArray Tauc;
    SpectrumArray TaucDirect;
    SpectrumArray TaucIndirect;
    // Three-point windows handed to the quadratic fit (elements 1..3 used).
    SpectrumArray WinLambda;
    SpectrumArray WinTrans;
    SpectrumArray WinReflLambda;
    SpectrumArray WinRefl;
    // Points selected for the optical-gap line.
    SpectrumArray EgEnergy;
    SpectrumArray EgTauc;

    int SpecCount = 0;
    int ReflCount = 0;
    int SpecAscending = 0;
    int GraphMode = 0;  // 1 while the Tauc view or the gap line is shown
    int AbsCount = 0;
    double SampleThickness = 0.0;  // cm
    double Eg = 0.0;               // eV
    CoefVector TransCoef{};
    CoefVector ReflCoef{};
    CoefVector TaucLine{};  // [0] intercept, [1] slope of the gap line
    double EgEStart = 0.0;
    double EgEEnd = 0.0;
    double EgYStart = 0.0;
    double EgYEnd = 0.0;

    // A zero-filled workspace on the heap; its arrays reserve about 20 MB, used as far
    // as the spectra reach.
    static std::unique_ptr<BulkData> Create() { return std::make_unique<BulkData>(); }

    // The results derived from the spectra: the common grid and every point result
    // except the two Tauc ordinates, which the next calculation overwrites.
    void ClearDerived() {
        for (SpectrumArray* a : {&GridLambda, &GridTrans, &GridReflLambda, &GridRefl, &TaucEnergy,
                                 &TransFraction, &AbsEnergy, &Absorption, &Tauc, &EgEnergy, &EgTauc})
            a->Clear();
    }

    // What "Import T Spectrum" clears before it reads: the transmission spectrum and
    // the derived results. Counts other than SpecCount and the reflection stay.
    void ClearForTransImport() {
        SpecLambda.Clear();
        SpecTrans.Clear();
        RawLambda.Clear();
        RawTrans.Clear();
        ClearDerived();
    }

    // What "Import R spectrum" clears before it reads: the file-order reflection and
    // the derived results. The longest-first copy is overwritten, not cleared.
    void ClearForReflImport() {
        RawReflLambda.Clear();
        RawReflValue.Clear();
        ClearDerived();
    }
};

}  // namespace optc
