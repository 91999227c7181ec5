#pragma once
// A report on paper: one or two A4 pages of a PDF file drawn with Qt's PDF writer, the
// lines of the report first, then its charts two by two, each drawn by QCustomPlot.
// Needs a QApplication (QCustomPlot is a widget); the offscreen platform will do.
#include <string>

#include "ui/Report.h"

namespace optc::qt {

// Writes the report to path; a file that cannot be written raises the file layer's
// EInOutError.
void WriteReportPdf(const Report& report, const std::string& path);

}  // namespace optc::qt
