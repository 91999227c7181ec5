#pragma once
// The fringes-free transmission: the measured spectrum below the absorption edge, a
// piecewise local polynomial through the geometric means of the two envelopes between
// the edge and the longest extremum, and constant beyond it.
#include "thinfilm/ThinFilmData.h"

namespace optc {

// Index of the 30 % point of the absorption edge, found by walking from the last
// spectrum point towards the first (0 when there is no spectrum), and the direction
// the walk judged the spectrum to run in.
struct EdgePoint {
    int index = 0;
    bool ascending = false;
};
EdgePoint FindEdgePoint(const ThinFilmData& data);

// Fills FreeExtLambda/FreeExtTrans (the extrema and the edge point at ExtCount+1),
// FreeLocalCoef and FreeLambda/FreeTrans at every spectrum point. Fit errors raise.
// Returns false, having written nothing, when the edge point has no room after the
// extrema (ExtCount at the capacity).
bool FringesFreeTransmission(ThinFilmData& data, int envelopeTerms);

}  // namespace optc
