#include "app/batch/BatchRun.h"

#include <memory>

#include "app/batch/BatchSession.h"
#include "app/batch/ManySpectraRun.h"
#include "numerics/FloatText.h"

namespace optc {

namespace {

// A summary or a text that did not reach standard output (a full disk, a closed pipe)
// is a failed run, whatever the run did.
int Delivered(std::ostream& out, std::ostream& err, int status) {
    out.flush();
    if (out) return status;
    err << kBatchProgram << ": standard output could not be written\n";
    return kBatchStopped;
}

}  // namespace

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool progress,
             const ReportRenderer* reports) {
    const CommandLine line = ReadCommandLine(args);
    if (!line.error.empty()) {
        err << kBatchProgram << ": " << line.error << "\n\n" << BatchUsage();
        return kBatchWrongUsage;
    }
    if (!line.run) {
        out << line.print;
        return Delivered(out, err, kBatchDone);
    }
    if (line.run->report) {
        if (!reports) {
            err << kBatchProgram
                << ": --report: this installation writes no reports (they are drawn by "
                   "optical-constants-batch-pdf beside the program, which a build with Qt makes)\n\n"
                << BatchUsage();
            return kBatchWrongUsage;
        }
        if (reports->start) reports->start();
    }
    // Number texts are read and written with "." in batch runs, whatever the locale.
    const char separator = DecimalSeparator();
    SetDecimalSeparator('.');
    if (line.run->spectra.size() > 1 || line.run->summary) {
        const int status = RunSpectra(*line.run, out, err, progress, reports);
        SetDecimalSeparator(separator);
        return Delivered(out, err, status);
    }
    const auto session = std::make_unique<BatchSession>(*line.run);
    int status = session->Run(out);
    SetDecimalSeparator(separator);
    // The JSON keeps the window's text; the person at the terminal learns what it is about.
    if (session->StopText()) {
        err << kBatchProgram << ": " << session->StopSubject() << ": " << *session->StopText() << "\n";
        if (!session->StopDetail().empty()) err << kBatchProgram << ": " << session->StopDetail() << "\n";
    }
    if (const auto& report = session->TakeReport(); report && line.run->report) {
        if (const std::string fault = WriteBatchReport(*reports, *report, *line.run->report, ""); !fault.empty()) {
            err << fault;
            status = kBatchStopped;
        }
    }
    return Delivered(out, err, status);
}

}  // namespace optc
