#include "datafiles/UnitChoices.h"

#include "numerics/FloatChecks.h"

namespace optc {

void ApplyUnitConversions(SpectrumArray& X, SpectrumArray& Y, int count, UnitChoices units) {
    const int n = count > 0 ? count : 0;
    const auto size = static_cast<std::size_t>(n);
    ApplyUnitConversions(std::span<double>(X.From1(n), size), std::span<double>(Y.From1(n), size), units);
}

void ApplyUnitConversions(std::span<double> x, std::span<double> y, UnitChoices units) {
    if (units.fraction)
        for (double& v : y) v = Mul(v, 100.0);
    if (units.waveNumber)
        for (double& v : x) v = Div(1e7, v);
}

}  // namespace optc
