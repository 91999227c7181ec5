#include "thinfilm/envelope/Dispersion.h"

#include <utility>

#include "numerics/CurveFit.h"
#include "numerics/FloatChecks.h"
#include "numerics/FloatText.h"
#include "thinfilm/envelope/CoefEval.h"

namespace optc {

namespace {
// Extrema up to this many in the range get midpoints inserted between neighbours.
constexpr int kMidpointLimit = 7;

double InvSquare(double lambda) { return Div(1.0, lambda * lambda); }
}  // namespace

double DispersionIndex(const ThinFilmData& d, double lambda) {
    return EvaluateCoef(d.DispCoef, InvSquare(lambda));
}

DispersionFitOutcome DispersionFit(ThinFilmData& d, int terms) {
    int rangeCount = 0;
    int first = 0;
    for (int i = 1; i <= d.ExtCount; ++i) {
        if (d.DispStart <= d.LambdaExp[i] && d.LambdaExp[i] <= d.DispEnd) {
            if (rangeCount == 0) first = i;
            ++rangeCount;
        }
    }
    d.RangeCount = rangeCount;
    const int f = rangeCount > 0 ? first - 1 : 0;
    if (rangeCount > kMidpointLimit) {
        d.FitCount = rangeCount;
        for (int k = 1; k <= rangeCount; ++k) {
            d.FitInvLambdaSq[k] = InvSquare(d.LambdaExp[f + k]);
            d.FitRefraction[k] = d.RefractionExp[f + k];
        }
    } else {
        d.FitCount = 2 * rangeCount - 1;
        int m = 1;
        for (int k = 1; k <= rangeCount; ++k) {
            d.FitInvLambdaSq[m] = InvSquare(d.LambdaExp[f + k]);
            d.FitRefraction[m] = d.RefractionExp[f + k];
            if (k < rangeCount) {
                ++m;
                d.FitInvLambdaSq[m] =
                    (InvSquare(d.LambdaExp[f + k + 1]) - d.FitInvLambdaSq[m - 1]) / 2.0 +
                    d.FitInvLambdaSq[m - 1];
                d.FitRefraction[m] =
                    (d.RefractionExp[f + k + 1] - d.FitRefraction[m - 1]) / 2.0 + d.FitRefraction[m - 1];
                ++m;
            }
        }
    }
    ResetDispersion(d);
    if (rangeCount > 2) {
        PolyFit(std::as_const(d.FitInvLambdaSq).From1(), std::as_const(d.FitRefraction).From1(), d.DispCoef.data(),
                d.FitCount, terms);
    } else if (rangeCount == 1) {
        return DispersionFitOutcome::OneExtremumInRange;
    } else {
        PolyFit(std::as_const(d.FitInvLambdaSq).From1(), std::as_const(d.FitRefraction).From1(), d.DispCoef.data(),
                d.FitCount, 2);
    }
    return DispersionFitOutcome::Fitted;
}

DispersionGridResult DispersionGrid(ThinFilmData& d, const std::function<double()>& readNatx) {
    DispersionGridResult result;
    double lambda = d.DispStart;
    int k = 1;
    while (lambda < d.DispEnd) {
        if (k > kCapacity) {
            // Also ends a range so far out that adding 1 nm no longer moves lambda.
            result.tooWide = true;
            return result;
        }
        d.DispLambda[k] = lambda;
        const double n = DispersionIndex(d, lambda);
        d.DispRefraction[k] = n;
        if (Trunc(readNatx()) == Round(lambda)) {
            result.reported = n;
            result.natxOnGrid = true;
        }
        ++k;
        lambda = lambda + 1.0;
        d.DispCount = k;
    }
    return result;
}

long double CutToFourDecimals(double n) {
    return static_cast<long double>(Trunc(CheckFinite(n * 1e4))) / 1e4L;
}

}  // namespace optc
