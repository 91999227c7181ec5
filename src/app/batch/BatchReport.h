#pragma once
// The reports of a batch run (--report): the report Save Report... writes, made from
// each spectrum's session once its steps are done, and drawn by a renderer the program
// brings (Qt's PDF writer and QCustomPlot need a Qt application, which is made on the
// main thread before any session runs and draws there, after the sessions).
#include <functional>
#include <string>

#include "ui/Report.h"

namespace optc {

struct ReportRenderer {
    // Readies the renderer; called once, on the main thread, before any session.
    std::function<void()> start;
    // Draws the report into the file; raises the file layer's EInOutError.
    std::function<void(const Report&, const std::string& path)> write;
};

// Why the run may not write its report to `path`: an existing file there that is not
// a PDF (a report of an earlier run is replaced, nothing else), a folder, a pipe or a
// device. Empty when it may.
std::string ReportFileFault(const std::string& path);

// Writes the report all or none. Returns the lines for standard error that say why it
// could not be written, naming the file (after `prefix`), or nothing.
std::string WriteBatchReport(const ReportRenderer& renderer, const Report& report, const std::string& path,
                             const std::string& prefix);

}  // namespace optc
