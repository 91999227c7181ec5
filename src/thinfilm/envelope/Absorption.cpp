#include "thinfilm/envelope/Absorption.h"

#include <cmath>

#include "numerics/FloatChecks.h"
#include "thinfilm/envelope/Dispersion.h"

namespace optc {

namespace {
constexpr double kFreeTransFloor = 0.01;   // % that replaces a fringes-free T <= 0
constexpr double kZeroTransShift = 0.0001; // added to a zero before the logarithm
constexpr double kPercentFactor = 1.28e6;  // 128 of the formula with T in percent

// x = exp(-alpha d) for which the geometric mean of the upper and lower envelope of
// a film of index n on a substrate nS equals T (%).
double FringesFreeFraction(double n, double nS, double t) {
    const double n2 = n * n;
    const double nS2 = nS * nS;
    const double a = n2 - 1.0;
    const double a2 = a * a;
    const double b = nS2 - 1.0;
    const double c = n2 - nS2;
    const double e1 = CheckFinite(a2 * n2 * (b * b) + Div(kPercentFactor * (n2 * n2) * nS2, t * t) +
                                  a2 * (c * c));
    const double e = n2 - nS2 * nS2;
    const double f1 = CheckFinite(a2 * a2 * a2 * (e * e));
    const double g = n - 1.0;
    return Div(Sqrt(e1 - Sqrt(CheckFinite(e1 * e1) - f1)), g * g * g * (n - nS2));
}

double InterfaceReflectance(double a, double b) {
    const double r = Div(a - b, a + b);
    return r * r;
}
}  // namespace

bool PhotonEnergies(ThinFilmData& d) {
    for (int i = 1; i <= d.SpecCount; ++i) {
        if (!(d.SpecLambda[i] > 0.0)) return false;
        d.TaucEnergy[i] = Div(kPhotonEnergyFactor, d.SpecLambda[i]);
    }
    return true;
}

void AbsorptionAndTauc(ThinFilmData& d, const AbsorptionInputs& in) {
    const double thickness = d.FilmThickness;
    const bool modeA = in.fringesFree;
    double constantN = 0.0;
    if (!modeA && in.constantIndex) constantN = in.readConstantIndex();  // mode B
    for (int i = 1; i <= d.SpecCount; ++i) {
        const double energy = d.TaucEnergy[i];
        d.AbsEnergy[i] = energy;
        double alpha;
        if (modeA) {
            const double n = in.constantIndex ? in.readConstantIndex() : DispersionIndex(d, d.SpecLambda[i]);
            if (d.FreeTrans[i] <= 0.0) d.FreeTrans[i] = kFreeTransFloor;
            const double x = FringesFreeFraction(n, in.nS, d.FreeTrans[i]);
            d.TransFraction[i] = x;
            const double shown = (x == 0.0) ? x + kZeroTransShift : x;
            alpha = Div(-Ln(std::fabs(shown)), thickness);
        } else {
            const double n = in.constantIndex ? constantN : DispersionIndex(d, d.SpecLambda[i]);
            const double r1 = InterfaceReflectance(n, in.n0);
            const double r2 = InterfaceReflectance(n, in.nS);
            const double r3 = InterfaceReflectance(in.nS, in.n0);
            const double t = d.SpecTrans[i] / 100.0;
            d.TransFraction[i] = t;
            const double measured = (t == 0.0) ? std::fabs(t + kZeroTransShift) : std::fabs(t);
            alpha = Div(-Ln(Div(measured, (1.0 - r1) * (1.0 - r2) * (1.0 - r3))), thickness);
        }
        d.Absorption[i] = alpha;
        const double product = CheckFinite(alpha * energy);
        d.TaucDirect[i] = CheckFinite(product * product);
        d.TaucIndirect[i] = Sqrt(std::fabs(product));
    }
}

}  // namespace optc
