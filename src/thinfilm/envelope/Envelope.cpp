#include "thinfilm/envelope/Envelope.h"

#include <cmath>
#include <utility>

#include "numerics/CurveFit.h"
#include "numerics/FloatChecks.h"
#include "thinfilm/envelope/CoefEval.h"
#include "thinfilm/model/FilmOptics.h"

namespace optc {

bool FirstIsMaximum(const ThinFilmData& d) { return d.ExtTrans[2] < d.ExtTrans[1]; }

ExtremaSplit SplitExtrema(ThinFilmData& d) {
    ExtremaSplit s;
    const bool firstIsMaximum = FirstIsMaximum(d);
    for (int i = 1; i <= d.ExtCount; ++i) {
        const bool odd = (i % 2) == 1;
        if (odd == firstIsMaximum) {
            ++s.maxCount;
            d.MaxLambda[s.maxCount] = d.ExtLambda[i];
            d.MaxTrans[s.maxCount] = d.ExtTrans[i];
        } else {
            ++s.minCount;
            d.MinLambda[s.minCount] = d.ExtLambda[i];
            d.MinTrans[s.minCount] = d.ExtTrans[i];
        }
    }
    return s;
}

namespace {

// One envelope (lower or upper) and the arrays that belong to it.
struct EnvelopeSide {
    const SpectrumArray& lambda;  // the extrema of this kind
    const SpectrumArray& trans;
    int count;
    CoefVector& lineCoef;
    CoefVector& localCoef;
    SpectrumArray& envTrans;
};

// The extremum i is the j-th of this kind: it carries its measured value, and the
// polynomial fitted around it interpolates this envelope at the next extremum (and,
// at i = 4, at the third). Every matching j of the full scan is taken, in order.
bool ApplySide(ThinFilmData& d, EnvelopeSide& side, int i, int envelopeTerms) {
    for (int j = 1; j <= side.count; ++j) {
        if (d.ExtLambda[i] != side.lambda[j]) continue;
        side.envTrans[i] = side.trans[j];
        const CoefVector* p = &side.lineCoef;
        if (side.count >= 3) {
            const int k = (j == side.count) ? j - 1 : j;
            if (k - 1 < 1 || k + 1 > side.count) return false;
            PolyFit(side.lambda.From1() + (k - 2), side.trans.From1() + (k - 2),
                    side.localCoef.data(), 3, envelopeTerms);
            p = &side.localCoef;
        }
        if (i == 4) side.envTrans[3] = EvaluateCoef(*p, d.ExtLambda[3]);
        if (i < d.ExtCount) side.envTrans[i + 1] = EvaluateCoef(*p, d.ExtLambda[i + 1]);
    }
    return true;
}

}  // namespace

bool BuildEnvelopes(ThinFilmData& d, const ExtremaSplit& split, int envelopeTerms) {
    PolyFit(std::as_const(d.MinLambda).From1(), std::as_const(d.MinTrans).From1(), d.MinLineCoef.data(), 2, 2);
    PolyFit(std::as_const(d.MaxLambda).From1(), std::as_const(d.MaxTrans).From1(), d.MaxLineCoef.data(), 2, 2);
    for (int i = 1; i <= 2; ++i) {
        d.EnvMinLambda[i] = d.ExtLambda[i];
        d.EnvMaxLambda[i] = d.ExtLambda[i];
        d.EnvMinTrans[i] = EvaluateCoef(d.MinLineCoef, d.ExtLambda[i]);
        d.EnvMaxTrans[i] = EvaluateCoef(d.MaxLineCoef, d.ExtLambda[i]);
    }
    EnvelopeSide lower{d.MinLambda, d.MinTrans, split.minCount,
                       d.MinLineCoef, d.MinLocalCoef, d.EnvMinTrans};
    EnvelopeSide upper{d.MaxLambda, d.MaxTrans, split.maxCount,
                       d.MaxLineCoef, d.MaxLocalCoef, d.EnvMaxTrans};
    for (int i = 3; i <= d.ExtCount; ++i) {
        d.EnvMinLambda[i] = d.ExtLambda[i];
        d.EnvMaxLambda[i] = d.ExtLambda[i];
        if (!ApplySide(d, lower, i, envelopeTerms)) return false;
        if (!ApplySide(d, upper, i, envelopeTerms)) return false;
    }
    return true;
}

void RefractionAtExtrema(ThinFilmData& d, double nS, double tolerance) {
    const double ts = film::SubstrateTransmissionPercent(nS);
    const double half = (1.0 + nS * nS) / 2.0;
    for (int i = 1; i <= d.ExtCount; ++i) {
        const double tMax = d.EnvMaxTrans[i];
        const double tMin = d.EnvMinTrans[i];
        double n;
        if (tMax > ts - tolerance) {
            n = CheckFinite(Div(200.0 * nS, tMin) - half);
        } else {
            n = CheckFinite(Div(200.0 * nS * std::fabs(tMax - tMin), tMax * tMin) + half);
        }
        d.AuxN[i] = n;
        d.RefractionExp[i] = Sqrt(n + Sqrt(CheckFinite(n * n) - nS * nS));
        d.LambdaExp[i] = d.ExtLambda[i];
    }
}

ThicknessMinima ChooseThicknessMinima(const ThinFilmData& d, const ExtremaSplit& split) {
    ThicknessMinima m;
    if (split.minCount >= 3) {
        m.lambdaA = d.MinLambda[2] / 1e7;
        m.lambdaB = d.MinLambda[3] / 1e7;
    } else {
        m.lambdaA = d.MinLambda[1] / 1e7;
        m.lambdaB = d.MinLambda[2] / 1e7;
    }
    return m;
}

namespace {
// A film is a positive, finite number of centimetres thick; a zero divisor would make
// it infinite.
std::optional<double> PositiveThickness(double numerator, double divisor) {
    if (divisor == 0.0) return std::nullopt;
    const double d = numerator / divisor;
    if (!std::isfinite(d) || !(d > 0.0)) return std::nullopt;
    return d;
}
}  // namespace

std::optional<double> ThicknessFromEnvelopes(const ThicknessMinima& m, double n3, double n2) {
    return PositiveThickness(m.lambdaA * m.lambdaB, 2.0 * (m.lambdaA * n3 - m.lambdaB * n2));
}

std::optional<double> ThicknessForConstantIndex(const ThicknessMinima& m, double n) {
    return PositiveThickness(m.lambdaA * m.lambdaB, 2.0 * n * (m.lambdaA - m.lambdaB));
}

}  // namespace optc
