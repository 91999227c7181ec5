#pragma once
// The start window's unit choices and the conversions they ask for.
#include <span>

#include "numerics/Arrays.h"

namespace optc {

struct UnitChoices {
    bool waveNumber = false;  // first column in cm^-1 ("WaveVector (1/cm)")
    bool fraction = false;    // second column as fractions ("Transmission in a.u.")
};

// Applied to elements 1..count, ordinate first: fraction to percent (x100), then
// wave number to wavelength (1e7 / x). An abscissa of 0 raises EZeroDivide.
void ApplyUnitConversions(SpectrumArray& X, SpectrumArray& Y, int count, UnitChoices units);
// The same on the points of a file as read, before they enter a workspace.
void ApplyUnitConversions(std::span<double> x, std::span<double> y, UnitChoices units);

}  // namespace optc
