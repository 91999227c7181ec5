#include "bulk/BulkCalculation.h"

#include <cmath>
#include <utility>

#include "numerics/CurveFit.h"
#include "numerics/FloatChecks.h"

namespace optc {

namespace {

// α = (1/d) · ln((1 − R)² / |T|), R and T as fractions.
double AbsorptionOf(double thickness, double r, double t) {
    double oneMinusR = 1.0 - r;
    return Mul(Div(1.0, thickness), Ln(Div(Mul(oneMinusR, oneMinusR), std::fabs(t))));
}

// Both Tauc ordinates of point i from its α and energy. The copy of the energy that
// the absorption graph reads is stored before α, so a failure at a point leaves the
// energies up to and including that point.
void StoreTauc(BulkData& d, int i) {
    double product = Mul(d.Absorption[i], d.TaucEnergy[i]);
    d.TaucDirect[i] = Mul(product, product);
    d.TaucIndirect[i] = Sqrt(std::fabs(product));
}

double Quadratic(const CoefVector& c, double x) {
    return CheckFinite(c[0] + c[1] * x + c[2] * std::pow(x, 2));
}

// Element i of a spectrum of count points, where the element after the last point
// counts as 0 whatever an earlier, longer spectrum left there.
double WavelengthAt(const SpectrumArray& lambda, int count, int i) {
    return i > count ? 0.0 : lambda[i];
}

}  // namespace

double PhotonEnergy(double lambda) {
    if (lambda > 0.0) return Div(1239.83, lambda);
    return 0.0;
}

double TransFractionOf(double percent) {
    if (percent == 0.0) return (percent + 0.00001) / 100;
    return percent / 100;
}

void AbsorptionConstantN(BulkData& d, double n, double n0) {
    double ratio = Div(n - n0, n + n0);
    double r = Mul(ratio, ratio);
    const int count = d.SpecCount;
    for (int i = 1; i <= count; ++i) {
        d.TaucEnergy[i] = PhotonEnergy(d.SpecLambda[i]);
        d.TransFraction[i] = d.SpecTrans[i] / 100;
    }
    double oneMinusR = 1.0 - r;
    double faces = Mul(oneMinusR, oneMinusR);
    for (int i = 1; i <= count; ++i) {
        d.AbsEnergy[i] = d.TaucEnergy[i];
        double invThickness = Div(1.0, d.SampleThickness);
        double t = d.TransFraction[i];
        // A zero transmission counts as 1e-4 here, and TransFraction keeps its 0.
        double ln = t == 0.0 ? Ln(Div(std::fabs(0.0001 + t), faces)) : Ln(Div(std::fabs(t), faces));
        d.Absorption[i] = Mul(-invThickness, ln);
        StoreTauc(d, i);
    }
}

void AbsorptionConstantR(BulkData& d, double reflPercent) {
    double r = reflPercent / 100;
    const int count = d.SpecCount;
    for (int i = 1; i <= count; ++i) {
        d.TaucEnergy[i] = PhotonEnergy(d.SpecLambda[i]);
        d.TransFraction[i] = TransFractionOf(d.SpecTrans[i]);
    }
    for (int i = 1; i <= count; ++i) {
        d.AbsEnergy[i] = d.TaucEnergy[i];
        d.Absorption[i] = AbsorptionOf(d.SampleThickness, r, d.TransFraction[i]);
        StoreTauc(d, i);
    }
}

bool ShareGrid(const BulkData& d) {
    const int n = d.SpecCount, m = d.ReflCount;
    if (n == 0 && m == 0) return true;
    if (n == 0 || m == 0) return false;
    return d.ReflLambda[1] == d.SpecLambda[1] && d.ReflLambda[m] == d.SpecLambda[n] && m == n &&
           d.ReflLambda[1] - d.ReflLambda[2] == d.SpecLambda[1] - d.SpecLambda[2];
}

void AbsorptionFromSpectrum(BulkData& d) {
    if (!ShareGrid(d)) {
        ResampleOntoCommonGrid(d);
        for (int i = 1; i <= d.AbsCount; ++i) {
            d.TaucEnergy[i] = PhotonEnergy(d.GridLambda[i]);
            d.TransFraction[i] = TransFractionOf(d.GridTrans[i]);
            d.AbsEnergy[i] = d.TaucEnergy[i];
            d.Absorption[i] = AbsorptionOf(d.SampleThickness, d.GridRefl[i] / 100, d.TransFraction[i]);
            StoreTauc(d, i);
        }
        return;
    }
    for (int i = 1; i <= d.SpecCount; ++i) {
        d.TaucEnergy[i] = PhotonEnergy(d.SpecLambda[i]);
        d.TransFraction[i] = TransFractionOf(d.SpecTrans[i]);
        d.AbsEnergy[i] = d.TaucEnergy[i];
        d.Absorption[i] = AbsorptionOf(d.SampleThickness, d.ReflValue[i] / 100, d.TransFraction[i]);
        StoreTauc(d, i);
    }
}

void ResampleOntoCommonGrid(BulkData& d) {
    const int n = d.SpecCount, m = d.ReflCount;
    // Mean steps over the point counts; an empty spectrum has no step at all.
    if (n == 0 || m == 0) throw EZeroDivide();
    double sT = Div(Sub(d.SpecLambda[1], d.SpecLambda[n]), static_cast<double>(n));
    double sR = Div(Sub(d.ReflLambda[1], d.ReflLambda[m]), static_cast<double>(m));
    double h = sR > sT ? sT : sR;
    double x0 = d.ReflLambda[1] > d.SpecLambda[1] ? d.SpecLambda[1] : d.ReflLambda[1];
    d.AbsCount = 0;
    // Without a positive step the passes would never leave their first window, and a
    // window needs three points.
    if (!(h > 0.0) || n < 3 || m < 3) throw ResampleRefused(BulkMessage::ResampleRefused);

    // Transmission pass: windows start one point before j, so a grid value between two
    // measured wavelengths uses the next longer one as the third point. A pass that
    // fills the capacity stops there: its points beyond lie outside the common grid
    // unless the other pass fills the capacity too.
    double x = x0;
    int nT = 0;
    bool fullT = false;
    int k = 0;
    for (int i = 1; i <= n; ++i) {
        if (d.SpecLambda[i] <= x0) {
            k = i;
            break;
        }
    }
    if (k > 0) {
        for (int j = k; j <= n - 1 && !fullT; ++j) {
            int a = j == 1 ? 1 : j - 1;
            for (int p = 0; p < 3; ++p) {
                d.WinLambda[p + 1] = d.SpecLambda[a + p];
                d.WinTrans[p + 1] = d.SpecTrans[a + p];
            }
            PolyFit(std::as_const(d.WinLambda).From1(), std::as_const(d.WinTrans).From1(), d.TransCoef.data(),
                    3, 3);
            // The entry test looks one point further than the loop test.
            if (x > WavelengthAt(d.SpecLambda, n, j + 2)) {
                do {
                    if (nT == kCapacity) {
                        fullT = true;
                        break;
                    }
                    ++nT;
                    d.GridLambda[nT] = x;
                    d.GridTrans[nT] = Quadratic(d.TransCoef, x);
                    x = x - h;
                } while (x > WavelengthAt(d.SpecLambda, n, j + 1));
            }
        }
    }

    // Reflection pass over the same grid values: windows start at j.
    x = x0;
    int nR = 0;
    bool fullR = false;
    for (int j = 1; j <= m - 2 && !fullR; ++j) {
        for (int p = 0; p < 3; ++p) {
            d.WinReflLambda[p + 1] = d.ReflLambda[j + p];
            d.WinRefl[p + 1] = d.ReflValue[j + p];
        }
        PolyFit(std::as_const(d.WinReflLambda).From1(), std::as_const(d.WinRefl).From1(), d.ReflCoef.data(), 3,
                3);
        if (x > WavelengthAt(d.ReflLambda, m, j + 3)) {
            do {
                if (nR == kCapacity) {
                    fullR = true;
                    break;
                }
                ++nR;
                d.GridReflLambda[nR] = x;
                d.GridRefl[nR] = Quadratic(d.ReflCoef, x);
                x = x - h;
            } while (x > WavelengthAt(d.ReflLambda, m, j + 2));
        }
    }

    // Both passes wanted to go on: the common grid itself does not fit (this is also
    // where a step too small to change x ends).
    if (fullT && fullR) throw ResampleRefused(BulkMessage::GridCapacity);
    d.AbsCount = nT < nR ? nT : nR;
}

}  // namespace optc
