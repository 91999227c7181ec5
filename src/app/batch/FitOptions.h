#pragma once
// The batch program's options of Fit Spectrum: --fit and its model choices, the
// instrument's band, the range fitted and the table of the fitted points.
#include <optional>
#include <string>

#include "thinfilm/fit/FullSpectrumFit.h"

namespace CLI {
class App;
}

namespace optc {

struct FitBatchOptions {
    bool fit = false;
    std::optional<std::string> slitWidth;   // nm
    std::optional<std::string> dispersion;  // cauchy, cauchy3, sellmeier
    std::optional<std::string> absorption;  // urbach, none
    bool uniform = false;                   // no thickness spread
    bool fitSubstrate = false;
    std::optional<std::string> from, to;    // nm
    std::optional<std::string> table;       // --fit-table FILE
    bool useThickness = false;              // --use-fit-thickness
};

// Declares the options on the thin-film analysis, in the order of the usage.
void DeclareFitOptions(CLI::App& thin, FitBatchOptions& o);

// Why the options cannot be taken together ("option --slit-width needs --fit"), or "".
std::string CheckFitOptions(const FitBatchOptions& o);

// The fit's options from checked batch options.
SpectrumFitOptions SpectrumFitOptionsOf(const FitBatchOptions& o);

}  // namespace optc
