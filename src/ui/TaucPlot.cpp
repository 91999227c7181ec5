#include "ui/TaucPlot.h"

#include <utility>

#include "numerics/CurveFit.h"
#include "numerics/FloatChecks.h"
#include "numerics/FloatText.h"
#include "ui/GapSpreadText.h"

namespace optc {

namespace {

// A point of the fitted line. Both coefficients and the energy are finite, so only
// an overflow of the product or the sum can go wrong.
double LineAt(const CoefVector& line, double energy) {
    return CheckFinite(line[0] + line[1] * energy);
}

}  // namespace

TaucPlot::TaucPlot(TaucData data, TaucControls controls, TaucRules rules)
    : d_(std::move(data)), c_(controls), rules_(rules) {}

bool TaucPlot::LineIsCurrent() const {
    return rules_.currentLine == CurrentLineTest::Slope ? d_.TaucLine[1] != 0.0 : d_.TaucLine[0] != 0.0;
}

void TaucPlot::ClearSeries() {
    for (int s = 0; s < rules_.seriesCount; ++s) c_.Chart1.Series(s).Clear();
}

void TaucPlot::SetTitles() {
    c_.Chart1.BottomAxis().title = "Photon Energy, eV";
    c_.Chart1.LeftAxis().title = c_.Direct.Checked() ? "(ahv)**2" : "(ahv)**1/2";
}

void TaucPlot::ClearOutputAndLine() {
    ClearGap();
    ClearCoef(d_.TaucLine);
}

void TaucPlot::ClearGap() {
    c_.EgOutput.SetText("");
    gap_.reset();
    spread_ = GapSpread{};
    if (c_.EgSpread) c_.EgSpread->SetText("");
}

void TaucPlot::Say(TaucMessage id) {
    stop_ = id;
    c_.platform.ShowMessage(TaucMessageText(id));
}

void TaucPlot::AddCurve(bool withLine) {
    const int n = d_.pointCount();
    ChartSeries& points = c_.Chart1.Series(0);
    ChartSeries& line = c_.Chart1.Series(1);
    for (int i = 1; i <= n; ++i) {
        points.AddXY(d_.TaucEnergy[i], d_.Tauc[i], clBlue);
        if (withLine) line.AddXY(d_.TaucEnergy[i], LineAt(d_.TaucLine, d_.TaucEnergy[i]), clGreen);
    }
}

void TaucPlot::RadioButton3Click() {
    d_.GraphMode = 1;
    ClearSeries();
    ChartAxis& left = c_.Chart1.LeftAxis();
    left.logarithmic = false;
    c_.Chart1.BottomAxis().SetAutomatic();
    // A current line is drawn over the whole energy range; the fixed minimum keeps its
    // negative part below the gap from stretching the left axis.
    const bool line = LineIsCurrent();
    if (line)
        left.SetFixedMinimum(0.0);
    else
        left.SetAutomatic();
    SetTitles();

    const bool direct = c_.Direct.Checked();
    const int n = d_.pointCount();
    for (int i = 1; i <= n; ++i) d_.Tauc[i] = direct ? d_.TaucDirect[i] : d_.TaucIndirect[i];
    AddCurve(line);

    // With no gap shown, propose the whole curve as the energy window: the two end
    // points only. Each changed edit clears the line again through its handler (it has
    // no focus, so it searches nothing). With no points there is nothing to propose.
    if (!c_.EgOutput.Text().empty() || n < 1) return;
    const bool energyRises = d_.TaucEnergy[n] > d_.TaucEnergy[1];
    d_.EgEStart = energyRises ? d_.TaucEnergy[1] : d_.TaucEnergy[n];
    c_.Estart.SetText(FloatToStr(d_.EgEStart));
    d_.EgEEnd = energyRises ? d_.TaucEnergy[n] : d_.TaucEnergy[1];
    c_.Eend.SetText(FloatToStr(d_.EgEEnd));
    const bool ordinateRises = d_.Tauc[n] > d_.Tauc[1];
    d_.EgYStart = ordinateRises ? d_.Tauc[1] : d_.Tauc[n];
    c_.Ytauc1.SetText(FloatToStr(d_.EgYStart));
    d_.EgYEnd = ordinateRises ? d_.Tauc[n] : d_.Tauc[1];
    c_.Ytauc2.SetText(FloatToStr(d_.EgYEnd));
}

void TaucPlot::CalculatEgClick() {
    stop_.reset();
    ClearCoef(d_.TaucLine);
    d_.GraphMode = 1;
    if (!c_.RadioButton3.Checked()) c_.RadioButton3.SetChecked(true);

    ClearSeries();
    ChartAxis& left = c_.Chart1.LeftAxis();
    left.logarithmic = false;
    left.SetAutomatic();
    c_.Chart1.BottomAxis().SetAutomatic();
    SetTitles();

    d_.EgEStart = StrToFloat(c_.Estart.Text());
    d_.EgEEnd = StrToFloat(c_.Eend.Text());
    d_.EgYStart = StrToFloat(c_.Ytauc1.Text());
    d_.EgYEnd = StrToFloat(c_.Ytauc2.Text());
    if (!(d_.EgEEnd >= d_.EgEStart)) {
        Say(TaucMessage::ReversedBounds);
        return;
    }

    // The energy window alone selects the points; the ordinate bounds take no part.
    const int n = d_.pointCount();
    int m = 0;
    for (int i = 1; i <= n; ++i) {
        const double e = d_.TaucEnergy[i];
        const bool inside = rules_.inclusiveBounds ? (d_.EgEStart <= e && e <= d_.EgEEnd)
                                                   : (d_.EgEStart < e && e < d_.EgEEnd);
        if (!inside) continue;
        ++m;
        d_.EgEnergy[m] = e;
        d_.EgTauc[m] = d_.Tauc[i];
    }
    if (m < 2) {
        Say(TaucMessage::TooFewPoints);
        return;
    }

    PolyFit(std::as_const(d_.EgEnergy).From1(), std::as_const(d_.EgTauc).From1(), d_.TaucLine.data(), m, 2);
    // A flat line never meets the energy axis: division by zero, Eg kept.
    const double gap = Div(-d_.TaucLine[0], d_.TaucLine[1]);
    // A line that meets the axis at 0 eV or below (as shown, to four decimals) belongs
    // to no absorption edge: it is not kept as the current line either.
    if (!(TruncatedGap(gap) > 0.0L)) {
        ClearCoef(d_.TaucLine);
        Say(TaucMessage::NoPositiveGap);
        return;
    }
    d_.Eg = gap;
    c_.EgOutput.SetText(FloatToStr(TruncatedGap(d_.Eg)));
    gap_ = gap;
    spread_ = GapSpreadOfLine(std::span<const double>(std::as_const(d_.EgEnergy).From1(), m),
                              std::span<const double>(std::as_const(d_.EgTauc).From1(), m), d_.TaucLine[0],
                              d_.TaucLine[1]);
    if (c_.EgSpread) c_.EgSpread->SetText(GapSpreadText(spread_, m));

    ChartSeries& points = c_.Chart1.Series(0);
    ChartSeries& line = c_.Chart1.Series(1);
    for (int k = 1; k <= m; ++k) {
        points.AddXY(d_.EgEnergy[k], d_.EgTauc[k], clRed);
        line.AddXY(d_.EgEnergy[k], LineAt(d_.TaucLine, d_.EgEnergy[k]), clGreen);
    }
}

int TaucPlot::FindMatch(bool energy, double x, OrdinateEdit ordinateEdit) const {
    const int n = d_.pointCount();
    const SpectrumArray& values = energy ? d_.TaucEnergy : d_.Tauc;
    auto matches = [&](int j) {
        return energy ? EnergyMatches(values[j], x)
                      : OrdinateMatches(values[j], x, rules_.ordinateMatch, ordinateEdit);
    };
    // An ascending file is searched from its end: the low-energy end in the thin-film
    // window, whose arrays keep the file's order.
    if (d_.SpecAscending == 1) {
        for (int j = n; j >= 1; --j)
            if (matches(j)) return j;
    } else {
        for (int j = 1; j <= n; ++j)
            if (matches(j)) return j;
    }
    return 0;
}

void TaucPlot::LinkedChange(Edit& own, double& ownBound, bool ownIsEnergy, OrdinateEdit ordinateEdit,
                            double& partnerBound, Edit& partner) {
    ClearOutputAndLine();
    // Only the user's typing searches; a text set from code (including the partner
    // write below) stops here, so the two edits never chase each other.
    if (!own.Focused() || own.Text().empty()) return;
    ownBound = StrToFloat(own.Text());
    const int j = FindMatch(ownIsEnergy, ownBound, ordinateEdit);
    if (j == 0) return;  // nothing matches: the partner keeps its bound and text
    partnerBound = ownIsEnergy ? d_.Tauc[j] : d_.TaucEnergy[j];
    partner.SetText(FloatToStr(partnerBound));
}

void TaucPlot::EstartChange() {
    LinkedChange(c_.Estart, d_.EgEStart, true, OrdinateEdit::Ytauc1, d_.EgYStart, c_.Ytauc1);
}

void TaucPlot::EendChange() {
    LinkedChange(c_.Eend, d_.EgEEnd, true, OrdinateEdit::Ytauc2, d_.EgYEnd, c_.Ytauc2);
}

void TaucPlot::Ytauc1Change() {
    LinkedChange(c_.Ytauc1, d_.EgYStart, false, OrdinateEdit::Ytauc1, d_.EgEStart, c_.Estart);
}

void TaucPlot::Ytauc2Change() {
    LinkedChange(c_.Ytauc2, d_.EgYEnd, false, OrdinateEdit::Ytauc2, d_.EgEEnd, c_.Eend);
}

void TaucPlot::DirectClick() {
    c_.RadioButton3.SetChecked(false);
    ClearCoef(d_.TaucLine);
    d_.GraphMode = 0;
    ClearSeries();
    ClearGap();
}

void TaucPlot::RedrawOnDblClick() {
    ChartAxis& left = c_.Chart1.LeftAxis();
    left.SetAutomatic();
    c_.Chart1.BottomAxis().SetAutomatic();
    if (d_.GraphMode != 1) return;
    if (d_.TaucLine[1] != 0.0) left.SetFixedMinimum(0.0);
    // The redraw shows the ordinate of the last view as it is (no new copy), and the
    // line over the whole energy range.
    ClearSeries();
    SetTitles();
    AddCurve(rules_.redrawAlwaysAddsLine || d_.TaucLine[1] != 0.0);
}

}  // namespace optc
