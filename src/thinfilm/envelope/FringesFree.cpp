#include "thinfilm/envelope/FringesFree.h"

#include <cmath>
#include <utility>

#include "numerics/CurveFit.h"
#include "numerics/FloatChecks.h"
#include "thinfilm/envelope/CoefEval.h"

namespace optc {

namespace {
constexpr double kEdgeLevel = 30.0;  // % transmission that marks the absorption edge
}

EdgePoint FindEdgePoint(const ThinFilmData& d) {
    EdgePoint edge;
    const int count = d.SpecCount;
    if (count < 1) return edge;
    // With one point there is nothing to compare; the walk then takes that point.
    edge.ascending = count >= 2 && d.SpecLambda[count] > d.SpecLambda[count - 1];
    int k = count;
    do {
        edge.index = k;
        --k;
    } while (k >= 1 && (edge.ascending ? d.SpecTrans[k] > kEdgeLevel : d.SpecTrans[k] < kEdgeLevel));
    return edge;
}

bool FringesFreeTransmission(ThinFilmData& d, int envelopeTerms) {
    const int extCount = d.ExtCount;
    if (extCount + 1 > kCapacity) return false;
    for (int i = 1; i <= extCount; ++i) {
        d.FreeExtLambda[i] = d.EnvMaxLambda[i];
        d.FreeExtTrans[i] = Sqrt(std::fabs(CheckFinite(d.EnvMaxTrans[i] * d.EnvMinTrans[i])));
    }
    const EdgePoint edge = FindEdgePoint(d);
    if (edge.index < 1) return true;  // no spectrum: no edge point and nothing to pass over
    d.FreeExtLambda[extCount + 1] = d.SpecLambda[edge.index];
    d.FreeExtTrans[extCount + 1] = d.SpecTrans[edge.index];

    // The pass runs in ascending wavelength, judged again at the edge point; when the
    // walk reached point 1 there is nothing before it and the walk's direction holds.
    bool ascending = edge.ascending;
    if (edge.index >= 2) ascending = d.SpecLambda[edge.index] > d.SpecLambda[edge.index - 1];

    const int count = d.SpecCount;
    int j = extCount;
    for (int step = 0; step < count; ++step) {
        const int i = ascending ? step + 1 : count - step;
        const double lambda = d.SpecLambda[i];
        d.FreeLambda[i] = lambda;
        if (d.FreeExtLambda[j + 1] < lambda && j >= 2) {
            PolyFit(std::as_const(d.FreeExtLambda).From1() + (j - 2),
                    std::as_const(d.FreeExtTrans).From1() + (j - 2),
                    d.FreeLocalCoef.data(), 3, envelopeTerms);
            --j;
        }
        if (lambda > d.FreeExtLambda[1]) {
            d.FreeTrans[i] = d.FreeExtTrans[1];
        } else if (lambda > d.FreeExtLambda[extCount + 1]) {
            d.FreeTrans[i] = EvaluateCoef(d.FreeLocalCoef, lambda);
        } else {
            d.FreeTrans[i] = d.SpecTrans[i];
        }
    }
    return true;
}

}  // namespace optc
