#include "ui/Report.h"

#include <cmath>

#include "numerics/FloatText.h"

namespace optc {

std::string ReportNumber(double value, const std::string& unit) {
    return FloatToStr(value) + (unit.empty() ? "" : " " + unit);
}

const char* ReportYesNo(bool yes) { return yes ? "yes" : "no"; }

ReportCurve ReportCurveOf(const SpectrumArray& x, const SpectrumArray& y, int count, bool markers, Color colour) {
    ReportCurve curve{{}, markers, colour};
    for (int i = 1; i <= count; ++i)
        if (std::isfinite(x[i]) && std::isfinite(y[i])) curve.points.emplace_back(x[i], y[i]);
    return curve;
}

void AddReportChart(Report& report, ReportChart chart) {
    for (const ReportCurve& curve : chart.curves)
        if (!curve.points.empty()) {
            report.charts.push_back(std::move(chart));
            return;
        }
}

}  // namespace optc
