// optical-constants-batch: one thin-film or bulk analysis replayed from the command
// line through the windows' own logic, without a display. Built twice: without Qt,
// the program people run, and with it, optical-constants-batch-pdf, which draws the
// reports of --report and which the first runs in its place when they are asked for.
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/batch/BatchRun.h"
#ifdef OPTC_PDF_REPORTS
#include "app/batch/PdfReportRenderer.h"
#endif

namespace {

#ifndef OPTC_PDF_REPORTS
// With --report, optical-constants-batch-pdf beside this program takes over the run
// with the same arguments. Returns only where there is none; then --report is refused.
void RunWithReports(const std::vector<std::string>& args, char** argv) {
    bool report = false;
    for (const std::string& arg : args) report = report || arg == "--report" || arg.rfind("--report=", 0) == 0;
    if (!report) return;
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) return;
    const std::string pdf = (std::filesystem::path(std::string(self, static_cast<std::size_t>(length))).parent_path() /
                             "optical-constants-batch-pdf")
                                .string();
    if (::access(pdf.c_str(), X_OK) == 0) ::execv(pdf.c_str(), argv);
}
#endif

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef OPTC_PDF_REPORTS
    const optc::ReportRenderer pdf = optc::PdfReportRenderer(argv[0]);
    const optc::ReportRenderer* reports = &pdf;
#else
    RunWithReports(args, argv);
    const optc::ReportRenderer* reports = nullptr;
#endif
    // The progress of many spectra is for a person watching a terminal, not for a log.
    return optc::RunBatch(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1, reports);
}
