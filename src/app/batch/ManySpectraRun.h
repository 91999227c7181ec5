#pragma once
// A run of many spectra: each spectrum in a session of its own (its own windows and
// workspaces, nothing shared), several at once, with the same options for every one.
// Standard output gets one JSON summary line for each spectrum, in the order given,
// with the spectrum's "file" first; a spectrum whose run stops is told on standard
// error and the others go on. --summary gets the table of them all.
#include <ostream>

#include "app/batch/BatchCommandLine.h"
#include "app/batch/BatchReport.h"

namespace optc {

// Runs every spectrum of o.spectra and returns kBatchDone when none stopped, else
// kBatchStopped. A run of one spectrum writes its summary and its stop exactly as a
// run without these options does. `progress` draws the progress on `err`.
// With --report, each spectrum's report is drawn by `reports` on this thread, in the
// order given, as its session ends.
int RunSpectra(const BatchOptions& o, std::ostream& out, std::ostream& err, bool progress,
               const ReportRenderer* reports = nullptr);

// How many spectra are analysed at once: --jobs, else one per processor core, never
// more than there are spectra.
unsigned JobCount(const BatchOptions& o);

}  // namespace optc
