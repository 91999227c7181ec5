#include "ui/Report.h"

#include <algorithm>
#include <cmath>

#include "numerics/FloatText.h"

namespace optc {

std::string ReportNumber(double value, const std::string& unit) {
    return FloatToStr(value) + (unit.empty() ? "" : " " + unit);
}

const char* ReportYesNo(bool yes) { return yes ? "yes" : "no"; }

void AddGapLines(ReportSection& section, const std::optional<double>& egEv, const std::optional<double>& egSdEv,
                 const std::optional<double>& egR2, double fromEv, double toEv) {
    if (!egEv) return;
    std::string gap = ReportNumber(*egEv, "eV");
    if (egSdEv) gap += " \u00B1 " + ReportNumber(*egSdEv, "eV");
    gap += " (fitted from " + ReportNumber(std::min(fromEv, toEv), "") + " to " +
           ReportNumber(std::max(fromEv, toEv), "eV") + ")";
    section.lines.push_back({"Optical gap Eg", gap});
    if (egR2) section.lines.push_back({"R\u00B2 of the Tauc line", ReportNumber(*egR2, "")});
}

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
