#pragma once
// What the Bulk window has found, as values: the window fills it as each event ends,
// for whatever reads results without reading the window's texts (the batch summary,
// a report). A plain struct: a stage that adds a result adds a member here, fills it
// where its handler ends and clears it where the result goes away.
#include <optional>

#include "bulk/BulkMessages.h"
#include "ui/Stop.h"

namespace optc {

struct BulkOutcome {
    // What ended the last event early: a message of the window or an error box.
    std::optional<Stop<BulkMessage>> stop;

    // The workspace's counts after the last event.
    int specCount = 0;
    int absCount = 0;
    int reflCount = 0;

    // The last complete Calculate; empty from the start of the next Calculate or an
    // import on.
    std::optional<double> thicknessCm;  // the sample's thickness it used

    // The optical gap while the window shows it, eV (unrounded).
    std::optional<double> egEv;
    // Its standard error from the line's fit, eV, and the line's R²; each empty when
    // there is no gap or it cannot be had (two points, a flat curve).
    std::optional<double> egSdEv;
    std::optional<double> egR2;
};

}  // namespace optc
