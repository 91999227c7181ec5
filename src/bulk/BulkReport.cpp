#include "bulk/BulkReport.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "bulk/Main_3.h"

namespace optc {

namespace {

void AddCharts(Report& report, TForm3& w) {
    const BulkData& d = w.Data();
    const bool calculated = w.Outcome().thicknessCm.has_value();
    // The resampled curves exist only where the last Calculate built a common grid.
    const int grid = calculated && d.GridLambda[1] != 0.0 ? d.AbsCount : 0;
    AddReportChart(report, {"Transmission", "WaveLengths, nm", "T , %",
                            {ReportCurveOf(d.SpecLambda, d.SpecTrans, d.SpecCount, true, clRed),
                             ReportCurveOf(d.GridLambda, d.GridTrans, grid, false, clBlue)}});
    const int reflGrid = calculated && d.GridReflLambda[1] != 0.0 ? d.AbsCount : 0;
    AddReportChart(report, {"Reflection", "WaveLengths, nm", "R , %",
                            {ReportCurveOf(d.ReflLambda, d.ReflValue, d.ReflCount, true, clBlue),
                             ReportCurveOf(d.GridReflLambda, d.GridRefl, reflGrid, false, clRed)}});
    if (!calculated) return;
    AddReportChart(report, {"Absorption coefficient", "Photon Energy, eV", "a , cm-1",
                            {ReportCurveOf(d.AbsEnergy, d.Absorption, d.AbsCount, false, clBlue)}});
    const bool direct = w.Direct.Checked();
    ReportChart tauc{"Tauc plot", "Photon Energy, eV", direct ? "(ahv)**2" : "(ahv)**1/2",
                     {ReportCurveOf(d.TaucEnergy, direct ? d.TaucDirect : d.TaucIndirect, d.AbsCount, false, clBlue)}};
    if (const auto& eg = w.Outcome().egEv; eg && d.TaucLine[1] != 0.0) {
        // The fitted line from the gap, where it meets the energy axis, to the end of
        // the fitted range.
        const double to = std::max(d.EgEStart, d.EgEEnd);
        tauc.curves.push_back({{{*eg, 0.0}, {to, d.TaucLine[0] + d.TaucLine[1] * to}}, false, clGreen});
    }
    AddReportChart(report, std::move(tauc));
}

// The smallest and largest finite absorption of the last Calculate, with the photon
// energies where they are; none when there is no finite value.
std::optional<ReportLine> AbsorptionRange(const BulkData& d) {
    int low = 0, high = 0;
    for (int i = 1; i <= d.AbsCount; ++i) {
        if (!std::isfinite(d.Absorption[i]) || !std::isfinite(d.AbsEnergy[i])) continue;
        if (low == 0 || d.Absorption[i] < d.Absorption[low]) low = i;
        if (high == 0 || d.Absorption[i] > d.Absorption[high]) high = i;
    }
    if (low == 0) return std::nullopt;
    return ReportLine{"Absorption coefficient \u03B1",
                      ReportNumber(d.Absorption[low], "cm-1") + " (at " + ReportNumber(d.AbsEnergy[low], "eV") +
                          ") to " + ReportNumber(d.Absorption[high], "cm-1") + " (at " +
                          ReportNumber(d.AbsEnergy[high], "eV") + ")"};
}

}  // namespace

Report BulkReport(TForm3& w) {
    const BulkOutcome& o = w.Outcome();
    const BulkData& d = w.Data();
    Report report;
    report.title = "Bulk sample";
    const UnitChoices units = w.Units();
    report.sections.push_back(
        {"Input",
         {{"Transmission spectrum", d.SpecCount > 0 ? w.Fileshow1.Text() : "(none)"},
          {"Reflection spectrum", d.ReflCount > 0 ? w.Fileshow2.Text() : "(none)"},
          {"Units of text and CSV files",
           std::string(units.waveNumber ? "wave numbers, 1/cm" : "wavelengths, nm") + "; " +
               (units.fraction ? "transmission in fractions of 1" : "transmission in %")}}});
    std::string source = "the reflection spectrum";
    if (w.InpN.Checked())
        source = "constant n = " + w.Refrn633.Text();
    else if (w.InpR.Checked())
        source = "constant R = " + w.Refl.Text() + " %";
    report.sections.push_back({"Parameters as typed",
                               {{"Reflection from", source},
                                {"Sample Thickness, cm", w.Thickness.Text()},
                                {"n of the Environment n0", w.Const1.Text()},
                                {"Energy range for Eg, eV", w.Estart.Text() + " to " + w.Eend.Text()},
                                {"Y-axis range for Eg", w.Ytauc1.Text() + " to " + w.Ytauc2.Text()},
                                {"Direct gap semiconductor", ReportYesNo(w.Direct.Checked())}}});

    ReportSection results{"Results", {}};
    if (o.thicknessCm) {
        results.lines.push_back({"Sample thickness used", ReportNumber(*o.thicknessCm, "cm")});
        if (auto range = AbsorptionRange(d)) results.lines.push_back(std::move(*range));
    } else {
        results.lines.push_back({"Absorption", "not calculated"});
    }
    AddGapLines(results, o.egEv, o.egSdEv, o.egR2, d.EgEStart, d.EgEEnd);
    report.sections.push_back(std::move(results));
    if (o.stop) report.warnings.push_back("The last step stopped: " + o.stop->text);
    AddCharts(report, w);
    return report;
}

void TForm3::SaveReportClick() { GetPlatform().SaveReport(BulkReport(*this)); }

}  // namespace optc
