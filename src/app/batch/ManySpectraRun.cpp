#include "app/batch/ManySpectraRun.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include "app/batch/BatchSession.h"
#include "app/batch/Progress.h"
#include "app/batch/InputSpectra.h"
#include "app/batch/SummaryTable.h"
#include "datafiles/JsonWriter.h"
#include "numerics/Errors.h"

namespace optc {

namespace {

struct SpectrumResult {
    int status = kBatchStopped;
    std::string json;    // the summary line, with its line end
    std::string stop;    // the lines for standard error
    SummaryRow row;
    std::optional<Report> report;  // with --report, to be drawn into reportPath
    std::string reportPath;
};

std::string StopLines(const std::string& prefix, const std::string& subject, const std::string& text,
                      const std::string& detail) {
    std::string lines = std::string(kBatchProgram) + ": " + prefix + subject + ": " + text + "\n";
    if (!detail.empty()) lines += std::string(kBatchProgram) + ": " + prefix + detail + "\n";
    return lines;
}

// One spectrum's session, from the start window to Exit. In a run of several spectra
// the summary begins with the spectrum's file and the stop names it.
SpectrumResult RunOne(const BatchOptions& one, bool many) {
    SpectrumResult r;
    const std::string& file = one.spectrum;
    const std::string prefix = many ? file + ": " : "";
    try {
        const auto session = std::make_unique<BatchSession>(one);
        std::ostringstream json;
        r.status = session->Run(json);
        r.json = json.str();
        if (session->StopText())
            r.stop = StopLines(prefix, session->StopSubject(), *session->StopText(), session->StopDetail());
        r.row = RowOf(file, *session, one.analysis == BatchAnalysis::ThinFilm);
        if (one.report && session->TakeReport()) {
            r.report = std::move(session->TakeReport());
            r.reportPath = *one.report;
        }
    } catch (const std::exception& e) {
        // Nothing the windows do ends here (their door catches every error); what does
        // is the session itself, a workspace that could not be had.
        r.status = kBatchStopped;
        std::string json;
        JsonWriter(json).BeginObject().Member("message", e.what()).Key("notes").BeginArray().EndArray().EndObject();
        r.json = json + "\n";
        r.stop = StopLines(prefix, "--spectrum " + file, e.what(), "");
        r.row.file = file;
        r.row.status = "failed";
        r.row.message = e.what();
    }
    if (many) r.json.insert(1, "\"file\": " + JsonString(file) + ", ");
    return r;
}

}  // namespace

unsigned JobCount(const BatchOptions& o) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned wanted = o.jobCount ? o.jobCount : cores;
    return static_cast<unsigned>(std::min<std::size_t>(wanted, std::max<std::size_t>(o.spectra.size(), 1)));
}

int RunSpectra(const BatchOptions& o, std::ostream& out, std::ostream& err, bool progress,
               const ReportRenderer* reports) {
    const std::size_t total = o.spectra.size();
    const bool many = total > 1;
    std::vector<std::optional<SpectrumResult>> results(total);
    std::mutex lock;
    std::condition_variable finishedOne;
    std::size_t finished = 0;
    std::string lastFinished;

    // Each worker takes the next spectrum not yet taken; results are kept by position,
    // so the output is in the order given whatever order the spectra finish in.
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next++) < total;) {
            SpectrumResult r = RunOne(many ? OptionsFor(o, o.spectra[i]) : o, many);
            const std::lock_guard<std::mutex> hold(lock);
            results[i] = std::move(r);
            ++finished;
            lastFinished = o.spectra[i];
            finishedOne.notify_one();
        }
    };
    std::vector<std::thread> workers;
    for (unsigned j = 0; j < JobCount(o); ++j) workers.emplace_back(work);

    ProgressBar bar(err, progress && many);
    std::vector<SummaryRow> rows;
    int status = kBatchDone;
    {
        std::unique_lock<std::mutex> hold(lock);
        bar.Show(0, total, "");
        for (std::size_t written = 0, shown = 0; written < total;) {
            finishedOne.wait(hold, [&] { return finished > shown || results[written]; });
            for (; written < total && results[written]; ++written) {
                SpectrumResult& r = *results[written];
                out << r.json << std::flush;
                if (!r.stop.empty()) {
                    bar.Clear();
                    err << r.stop;
                }
                if (r.report && reports) {
                    // Drawn here, on the thread of the Qt application; the sessions go on.
                    hold.unlock();
                    const std::string fault = WriteBatchReport(*reports, *r.report, r.reportPath,
                                                               many ? o.spectra[written] + ": " : "");
                    hold.lock();
                    if (!fault.empty()) {
                        bar.Clear();
                        err << fault;
                        r.status = kBatchStopped;
                        if (r.row.status == "done") {
                            r.row.status = "stopped";
                            r.row.message = "--report " + r.reportPath + ": the report could not be written";
                        }
                    }
                }
                if (r.status != kBatchDone) status = kBatchStopped;
                rows.push_back(std::move(r.row));
                results[written].reset();
            }
            shown = finished;
            bar.Show(finished, total, lastFinished);
        }
    }
    for (std::thread& worker : workers) worker.join();
    bar.Clear();

    if (o.summary) {
        try {
            WriteSummaryTable(*o.summary, rows);
        } catch (const EInOutError& e) {
            err << StopLines("", "--summary " + *o.summary, e.what(), e.Detail());
            status = kBatchStopped;
        }
    }
    return status;
}

}  // namespace optc
