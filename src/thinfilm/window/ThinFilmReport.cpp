#include "thinfilm/window/ThinFilmReport.h"

#include <cmath>

#include "thinfilm/window/Main_1.h"

namespace optc {

namespace {

constexpr Color kBlack{0, 0, 0};

void AddCharts(Report& report, TForm1& w) {
    const ThinFilmData& d = w.Data();
    const bool calculated = w.Outcome().thicknessCm.has_value();
    AddReportChart(report, {"Transmission", "Wavelengths, nm", "T , %",
                            {ReportCurveOf(d.SpecLambda, d.SpecTrans, d.SpecCount, false, clRed),
                             ReportCurveOf(d.EnvMaxLambda, d.EnvMaxTrans, calculated ? d.ExtCount : 0, true, clGreen),
                             ReportCurveOf(d.EnvMinLambda, d.EnvMinTrans, calculated ? d.ExtCount : 0, true, clBlue),
                             ReportCurveOf(d.ExtLambda, d.ExtTrans, d.ExtCount, true, kBlack),
                             ReportCurveOf(d.FreeLambda, d.FreeTrans, calculated && w.FrFTr.Checked() ? d.SpecCount : 0, false,
                                   kBlack)}});
    if (!calculated) return;
    AddReportChart(report, {"Refractive index", "WaveLengths, nm", "n",
                            {ReportCurveOf(d.LambdaExp, d.RefractionExp, d.ExtCount, true, clGreen),
                             ReportCurveOf(d.DispLambda, d.DispRefraction, d.DispCount - 1, false, clRed)}});
    AddReportChart(report, {"Absorption coefficient", "Photon Energy, eV", "a, cm-1",
                            {ReportCurveOf(d.AbsEnergy, d.Absorption, d.SpecCount, false, clBlue)}});
    const bool direct = w.Direct.Checked();
    ReportChart tauc{"Tauc plot", "Photon Energy, eV", direct ? "(ahv)**2" : "(ahv)**1/2",
                     {ReportCurveOf(d.TaucEnergy, direct ? d.TaucDirect : d.TaucIndirect, d.SpecCount, false, clBlue)}};
    if (const auto& eg = w.Outcome().egEv; eg && d.TaucLine[1] != 0.0) {
        // The fitted line from the gap, where it meets the energy axis, to the end of
        // the fitted range.
        const double to = std::max(d.EgEStart, d.EgEEnd);
        tauc.curves.push_back({{{*eg, 0.0}, {to, d.TaucLine[0] + d.TaucLine[1] * to}}, false, clGreen});
    }
    AddReportChart(report, std::move(tauc));
}

}  // namespace

Report ThinFilmReport(TForm1& w) {
    const ThinFilmOutcome& o = w.Outcome();
    Report report;
    report.title = "Thin film";
    const UnitChoices units = w.Units();
    report.sections.push_back(
        {"Input",
         {{"Spectrum", w.Fileshow1.Text()},
          {"Fringe extrema", w.Fileshow2.Text()},
          {"Units of text and CSV files", std::string(units.waveNumber ? "wave numbers, 1/cm" : "wavelengths, nm") +
                                              "; " + (units.fraction ? "transmission in fractions of 1" : "transmission in %")}}});
    ReportSection typed{"Parameters as typed",
                        {{"n0", w.Const1.Text()},
                         {"nS", w.Const2.Text()},
                         {"Ts-T tolerance, %", w.Tolerance.Text()},
                         {"Wavelength range for n, nm", w.Wstart.Text() + " to " + w.Wend.Text()},
                         {"n at, nm", w.not633.Checked() ? "(no estimate)" : w.natx.Text()},
                         {"Polynom order: n approximation", w.Order.Text()},
                         {"Polynom order: T envelope", w.envelope.Text()},
                         {"Use fringes-free transmission", ReportYesNo(w.FrFTr.Checked())},
                         {"Direct gap semiconductor", ReportYesNo(w.Direct.Checked())},
                         {"Energy range for Eg, eV", w.Estart.Text() + " to " + w.Eend.Text()}}};
    if (w.nu633.Checked()) typed.lines.push_back({"Use constant n =", w.ninp.Text()});
    if (w.FixThickness.Checked()) typed.lines.push_back({"Thickness typed, cm", w.thickness.Text()});
    report.sections.push_back(std::move(typed));

    ReportSection results{"Results", {}};
    if (o.thicknessCm)
        results.lines.push_back({o.thicknessTyped ? "Thickness (typed)" : "Thickness",
                                 ReportNumber(*o.thicknessCm * 1e7, "nm") + " (" + ReportNumber(*o.thicknessCm, "cm") +
                                     ")"});
    else
        results.lines.push_back({"Thickness", "not calculated"});
    if (o.fringeOrders && o.fringeOrders->result) {
        const FringeOrdersResult& r = *o.fringeOrders->result;
        results.lines.push_back({"Thickness from the fringe orders", ReportNumber(r.thicknessNm, "nm") + " \u00B1 " +
                                                                        ReportNumber(r.thicknessSdNm, "nm")});
        if (r.nonUniformityNm) {
            const std::string spread =
                ReportNumber(*r.nonUniformityNm, "nm") +
                (r.nonUniformitySdNm ? " \u00B1 " + ReportNumber(*r.nonUniformitySdNm, "nm") : "");
            // A spread the orders did not take is not the film's: envelopes read a little
            // low under sharp maxima give one of a few nm on a uniform film.
            results.lines.push_back({"Thickness spread \u0394d",
                                     r.spreadCorrected ? spread
                                                       : "not resolved (the envelopes give " + spread +
                                                             ", too little to change the orders; the index is not "
                                                             "corrected for it)"});
        }
        for (const std::string& warning : r.warnings) report.warnings.push_back("Fringe orders: " + warning);
    } else if (o.fringeOrders) {
        report.warnings.push_back("Fringe orders: " + o.fringeOrders->reason);
    }
    if (o.nAtNat) results.lines.push_back({"n at " + ReportNumber(o.natNm, "nm"), ReportNumber(*o.nAtNat, "")});
    const ThinFilmData& d = w.Data();
    AddGapLines(results, o.egEv, o.egSdEv, o.egR2, d.EgEStart, d.EgEEnd);
    report.sections.push_back(std::move(results));
    if (o.stop) report.warnings.push_back("The last step stopped: " + o.stop->text);
    AddCharts(report, w);
    return report;
}

void TForm1::SaveReportClick() { GetPlatform().SaveReport(ThinFilmReport(*this)); }

}  // namespace optc
