#pragma once
// The ordering rule: spectra are kept longest wavelength first.
#include "numerics/Arrays.h"

namespace optc {

// Copies points 1..count from the file-order arrays into the targets, unchanged when
// SX[1] >= SX[2], reversed otherwise. Only the first two points decide.
void CopyLongestFirst(const SpectrumArray& SX, const SpectrumArray& SY, SpectrumArray& TX,
                      SpectrumArray& TY, int count);

// 1 when X[1] < X[2], else 0.
int AscendingFlag(const SpectrumArray& X);

}  // namespace optc
