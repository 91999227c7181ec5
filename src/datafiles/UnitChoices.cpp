#include "datafiles/UnitChoices.h"

#include "numerics/FloatChecks.h"

namespace optc {

void ApplyUnitConversions(SpectrumArray& X, SpectrumArray& Y, int count, UnitChoices units) {
    if (units.fraction)
        for (int k = 1; k <= count; ++k) Y[k] = Mul(Y[k], 100.0);
    if (units.waveNumber)
        for (int k = 1; k <= count; ++k) X[k] = Div(1e7, X[k]);
}

}  // namespace optc
