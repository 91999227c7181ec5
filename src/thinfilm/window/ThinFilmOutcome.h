#pragma once
// What the Thin Films window has found, as values: the window fills it as each event
// ends, for whatever reads results without reading the window's texts (the batch
// summary, a report). A plain struct: a stage that adds a result adds a member here,
// fills it where its handler ends and clears it where the result goes away.
#include <optional>
#include <string>
#include <vector>

#include "thinfilm/fit/FullSpectrumFit.h"
#include "thinfilm/orders/FringeOrders.h"
#include "thinfilm/window/ThinFilmMessages.h"
#include "ui/Stop.h"

namespace optc {

struct ThinFilmOutcome {
    // What ended the last event early: a message of the window or an error box.
    std::optional<Stop<ThinFilmMessage>> stop;

    // The workspace's counts after the last event.
    int specCount = 0;
    int extCount = 0;
    int dispCount = 0;
    int rangeCount = 0;
    int fitCount = 0;

    // The last complete Calculate; empty from the start of the next Calculate, an
    // import or new extrema on.
    std::optional<double> thicknessCm;  // d the results were calculated with, cm
    bool thicknessTyped = false;        // d was typed ("Do not calculate d, use input value")
    std::optional<double> nAtNat;       // n at natNm, unless no estimate was shown
    double natNm = 0.0;

    // The optical gap while the window shows it, eV (unrounded).
    std::optional<double> egEv;
    // Its standard error from the line's fit, eV, and the line's R²; each empty when
    // there is no gap or it cannot be had (two points, a flat curve).
    std::optional<double> egSdEv;
    std::optional<double> egR2;

    // What the Fringe Orders dialog showed for that Calculate.
    std::optional<FringeOrdersOutcome> fringeOrders;

    // The last Fit Spectrum of that Calculate; empty when none was asked for.
    std::optional<SpectrumFitOutcome> spectrumFit;
};

}  // namespace optc
