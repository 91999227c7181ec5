#pragma once
// The report of the Thin Films window: its input files, every edit and choice as
// typed, the results of its outcome and the four graphs (the spectrum with its
// envelopes and extrema, n(λ), α and the Tauc plot with its line) from the workspace.
#include "ui/Report.h"

namespace optc {

class TForm1;

Report ThinFilmReport(TForm1& window);

}  // namespace optc
