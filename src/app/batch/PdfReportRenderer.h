#pragma once
// The renderer of the batch program's reports: Qt's PDF writer and QCustomPlot, as
// Save Report... draws them, in a Qt application made when the first run with
// --report starts (on the offscreen platform unless QT_QPA_PLATFORM names another).
#include "app/batch/BatchReport.h"

namespace optc {

// `program` is the program's name as Qt is told it (argv[0]).
ReportRenderer PdfReportRenderer(char* program);

}  // namespace optc
