#pragma once
// Batch runs: one analysis replayed from the command line through the windows' own
// form logic on a platform without a display. The steps are those a user would take
// in the start window and the thin-film or bulk window; the results files are the
// ones Save Results writes, and a JSON summary goes to standard output.
//
// The parts: the command line (BatchCommandLine), the replay (BatchSession), the
// summary's layout (BatchSummary) over the JSON writer of datafiles/JsonWriter.
#include <ostream>
#include <string>
#include <vector>

#include "app/batch/BatchCommandLine.h"
#include "app/batch/BatchReport.h"
#include "app/batch/BatchSummary.h"
#include "datafiles/JsonWriter.h"

namespace optc {

// Runs a whole batch: parses the arguments, replays the steps, writes the JSON
// summary to `out` (or the usage text to `err`) and returns the exit status. With
// `progress` a run of many spectra draws its progress on `err` (a terminal). The
// reports of --report are drawn by `reports`; without it --report is refused.
int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool progress = false,
             const ReportRenderer* reports = nullptr);

}  // namespace optc
