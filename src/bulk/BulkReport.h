#pragma once
// The report of the Bulk window: its input files and units, every edit and choice as
// typed, the results of its outcome (the range of α, Eg with its spread and R²) and the
// graphs (the transmission and reflection spectra, α and the Tauc plot with its line)
// from the workspace.
#include "ui/Report.h"

namespace optc {

class TForm3;

Report BulkReport(TForm3& window);

}  // namespace optc
