// --fit: what a user does after Calculate and Fringe Orders when the whole spectrum is
// to be fitted: "Fit Spectrum..." with the model choices, and with --fit-table the
// fitted points saved. A table asked for that cannot be made stops the run with the
// fit's reason.
#include "app/batch/BatchSession.h"
#include "datafiles/ResultsFileSet.h"
#include "thinfilm/fit/FullSpectrumFitText.h"

namespace optc {

void BatchSession::FitSteps() {
    const FitBatchOptions& fit = o_.fit;
    if (!fit.fit) return;
    Step("--fit");
    const SpectrumFitOptions options = SpectrumFitOptionsOf(fit);
    Perform(Form1, [this, &options] { Form1.RunSpectrumFit(options); });
    if (!fit.table) return;
    const auto& outcome = Form1.Outcome().spectrumFit;
    if (outcome && outcome->result && (!stop_ || o_.saveOnStop)) {
        Step("--fit-table " + *fit.table);
        Perform(Form1, [this, &fit, &outcome] {
            WriteFileAllOrNone(*fit.table,
                               [&outcome](const std::string& part) { WriteFitTable(*outcome->result, part); });
        });
    } else if (!stop_) {
        stop_ = outcome ? outcome->reason : std::string(kFitNeedsFringes);
        stopSubject_ = "--fit-table " + *fit.table;
    }
}

}  // namespace optc
