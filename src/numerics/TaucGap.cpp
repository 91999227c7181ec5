#include "numerics/TaucGap.h"

#include "numerics/FloatText.h"

namespace optc {

// Products and quotients are taken in extended precision, where v*100 and v*10 are
// exact; a typed 2.3 (nearest double just below) thus falls into the hundredth 2.29.
bool EnergyMatches(double v, double x) {
    return Trunc(100.0L * static_cast<long double>(v)) == Trunc(100.0L * static_cast<long double>(x));
}

bool OrdinateMatches(double v, double x, OrdinateMatch match, OrdinateEdit edit) {
    const long double lv = v;
    const long double lx = x;
    if (match == OrdinateMatch::Banded) {
        // The band follows the typed value. The upper edit counts a typed 10 into the
        // tens band, the lower one into tenths.
        const bool upperTen = edit == OrdinateEdit::Ytauc2 && x == 10.0;
        if (x <= 10.0 && !upperTen) return Trunc(10.0L * lv) == Trunc(10.0L * lx);
        if (x < 100.0 && !upperTen) return Trunc(lv) == Trunc(lx);
    }
    return Trunc(lv / 10.0L) == Trunc(lx / 10.0L);
}

long double TruncatedGap(double eg) {
    return static_cast<long double>(Trunc(static_cast<long double>(eg) * 10000.0L)) / 10000.0L;
}

}  // namespace optc
