#include "thinfilm/window/Main_1.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "numerics/FloatChecks.h"
#include "numerics/FloatText.h"
#include "ui/ChartInteraction.h"
#include "thinfilm/envelope/Absorption.h"
#include "thinfilm/envelope/Dispersion.h"
#include "thinfilm/envelope/Envelope.h"
#include "thinfilm/envelope/FringesFree.h"
#include "thinfilm/extrema/ExtremaCheck.h"

namespace optc {

namespace {
// Extrema from another spectrum (or left from before an import) would give envelopes
// that belong to no measured curve.
bool ExtremaWithinSpectrum(const ThinFilmData& d) {
    if (d.ExtCount < 1) return true;
    if (d.SpecCount < 1) return false;
    double shortest = d.SpecLambda[1], longest = d.SpecLambda[1];
    for (int k = 2; k <= d.SpecCount; ++k) {
        shortest = std::min(shortest, d.SpecLambda[k]);
        longest = std::max(longest, d.SpecLambda[k]);
    }
    for (int k = 1; k <= d.ExtCount; ++k)
        if (!(d.ExtLambda[k] >= shortest && d.ExtLambda[k] <= longest)) return false;
    return true;
}

// The number of polynomial terms for a typed order, without overflowing at the
// extremes of the integer range.
std::int64_t TermsOf(const Edit& edit) { return static_cast<std::int64_t>(StrToInt(edit.Text())) + 1; }
}  // namespace

TForm1::TForm1(Platform& platform, ThinFilmData& data, std::function<UnitChoices()> units)
    : Form(platform, "Thin Films"),
      Series1(Chart1.AddSeries(SeriesStyle::Markers, false)),
      Series2(Chart1.AddSeries(SeriesStyle::Line, false)),
      Series3(Chart1.AddSeries(SeriesStyle::Line, false)),
      Series4(Chart1.AddSeries(SeriesStyle::Line, false)),
      Series5(Chart1.AddSeries(SeriesStyle::Line, false)),
      data_(data),
      units_(std::move(units)),
      tauc_(TaucData{data.TaucEnergy, data.TaucDirect, data.TaucIndirect, data.Tauc, data.EgEnergy,
                     data.EgTauc, data.TaucLine, data.Eg, data.EgEStart, data.EgEEnd, data.EgYStart,
                     data.EgYEnd, data.GraphMode, data.SpecAscending,
                     [&data] { return data.SpecCount; }},
            TaucControls{Estart, Eend, Ytauc1, Ytauc2, EgOutput, Direct, RadioButton3, Chart1, platform, &EgSpread},
            TaucRules::ThinFilm()) {
    AddChart(Chart1);

    Button2.SetEnabled(false);
    Estart.SetEnabled(false);
    Eend.SetEnabled(false);
    Ytauc1.SetEnabled(false);
    Ytauc2.SetEnabled(false);
    thickness.SetEnabled(false);
    thickness.SetColour(clBtnFace);
    ninp.SetVisible(false);
    FringeOrders.SetEnabled(false);
    FitSpectrumButton.SetEnabled(false);

    RadioGroup1.Add(RadioButton1);
    RadioGroup1.Add(RadioButton4);
    RadioGroup1.Add(RadioButton2);
    RadioGroup1.Add(RadioButton3);

    import1.OnClick = [this] { import1Click(); };
    Import2.OnClick = [this] { Import2Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Calculate.OnClick = [this] { CalculateClick(); };
    FixThickness.OnClick = [this] { FixThicknessClick(); };
    FrFTr.OnClick = [this] { FrFTrClick(); };
    not633.OnClick = [this] { not633Click(); };
    nu633.OnClick = [this] { nu633Click(); };
    BitBtn1.OnClick = [this] { Close(); };
    RadioButton1.OnClick = [this] { RadioButton1Click(); };
    RadioButton4.OnClick = [this] { RadioButton4Click(); };
    RadioButton2.OnClick = [this] { RadioButton2Click(); };
    Button1.OnClick = [this] { Button1Click(); };
    SaveReport.OnClick = [this] { SaveReportClick(); };
    FringeOrders.OnClick = [this] { FringeOrdersClick(); };
    FitSpectrumButton.OnClick = [this] { FitSpectrumClick(); };

    RadioButton3.OnClick = [this] { RadioButton3Click(); };
    CalculatEg.OnClick = [this] { CalculatEgClick(); };
    Estart.OnChange = [this] { EstartChange(); };
    Eend.OnChange = [this] { EendChange(); };
    Ytauc1.OnChange = [this] { Ytauc1Change(); };
    Ytauc2.OnChange = [this] { Ytauc2Change(); };
    Direct.OnClick = [this] { DirectClick(); };

    Chart1.OnMouseMove = [this](double x, double y) { Chart1MouseMove(x, y); };
    Chart1.OnReadoutStale = [this] { ClearPointerReadout(PositionX, PositionY); };
    Chart1.OnDblClick = [this] { Chart1DblClick(); };
    Chart1.OnClickAxis = [this] { Chart1ClickAxis(); };
}

// ---- The outcome ----

void TForm1::EventBegins() { outcome_.stop.reset(); }

void TForm1::EventEnds() {
    const ThinFilmData& d = data_;
    outcome_.specCount = d.SpecCount;
    outcome_.extCount = d.ExtCount;
    outcome_.dispCount = d.DispCount;
    outcome_.rangeCount = d.RangeCount;
    outcome_.fitCount = d.FitCount;
    outcome_.egEv = tauc_.Gap();
    outcome_.egSdEv = tauc_.Spread().sdEv;
    outcome_.egR2 = tauc_.Spread().r2;
    RefreshFringeOrders();
    FitSpectrumButton.SetEnabled(FringeOrders.Enabled());
    if (calculateRan_) {
        calculateRan_ = false;
        NoteFringeOrders();
    }
    if (LastEventError() && !outcome_.stop)
        outcome_.stop = Stop<ThinFilmMessage>{ThinFilmMessage::Error, LastEventError()->text, LastEventError()->typed,
                                               LastEventError()->detail};
}

void TForm1::StopWith(ThinFilmMessage id) { StopWith(id, ThinFilmMessageText(id)); }

void TForm1::StopWith(ThinFilmMessage id, const std::string& text) {
    GetPlatform().ShowMessage(text);
    if (!outcome_.stop) outcome_.stop = Stop<ThinFilmMessage>{id, text};
}

// ---- Chart events ----

void TForm1::Chart1MouseMove(double x, double y) { ShowPointerReadout(x, y, PositionX, PositionY); }

void TForm1::Chart1DblClick() { tauc_.RedrawOnDblClick(); }

// Only the absorption graph switches its left axis to a logarithmic scale.
void TForm1::Chart1ClickAxis() {
    if (RadioButton2.Checked()) ToggleLogarithmicLeftAxis(Chart1, 0.001);
}

// ---- Tauc view and optical gap (shared with the bulk window) ----

void TForm1::RadioButton3Click() { tauc_.RadioButton3Click(); }
void TForm1::CalculatEgClick() {
    tauc_.CalculatEgClick();
    if (!tauc_.EgStop()) return;
    const auto id = [](TaucMessage message) {
        switch (message) {
            case TaucMessage::ReversedBounds: return ThinFilmMessage::EgReversedBounds;
            case TaucMessage::TooFewPoints: return ThinFilmMessage::EgTooFewPoints;
            case TaucMessage::NoPositiveGap: return ThinFilmMessage::EgNoPositiveGap;
        }
        return ThinFilmMessage::Error;
    };
    outcome_.stop = Stop<ThinFilmMessage>{id(*tauc_.EgStop()), TaucMessageText(*tauc_.EgStop())};
}
void TForm1::EstartChange() { tauc_.EstartChange(); }
void TForm1::EendChange() { tauc_.EendChange(); }
void TForm1::Ytauc1Change() { tauc_.Ytauc1Change(); }
void TForm1::Ytauc2Change() { tauc_.Ytauc2Change(); }
void TForm1::DirectClick() { tauc_.DirectClick(); }

// ---- Options ----

void TForm1::FixThicknessClick() {
    tauc_.ClearGap();
    ClearCoef(data_.TaucLine);
    if (FixThickness.Checked()) {
        thickness.SetEnabled(true);
        thickness.SetColour(clWindow);
    } else {
        thickness.SetEnabled(false);
        thickness.SetColour(clBtnFace);
    }
}

void TForm1::FrFTrClick() { ClearCoef(data_.TaucLine); }

void TForm1::not633Click() {
    // Toggles without reading the box: every change of its state runs this, so a
    // checked box always goes with a hidden estimate and a disabled natx.
    n633show.SetVisible(!n633show.Visible());
    natx.SetEnabled(!natx.Enabled());
}

void TForm1::nu633Click() {
    ClearCoef(data_.TaucLine);
    if (nu633.Checked()) {
        ninp.SetVisible(true);
        ninp.SetText(n633show.Text());
    } else {
        ninp.SetVisible(false);
    }
}

// ---- Calculate ----

void TForm1::CalculateClick() {
    ThinFilmData& d = data_;
    Platform& platform = GetPlatform();

    ResetForCalculate(d);
    ForgetFringesForOrders();
    calculateRan_ = true;
    tauc_.ClearGap();
    resultsCleared_ = false;  // what this run leaves is what Save Results writes

    // The n estimate needs natx inside the n range; otherwise the run goes on without it.
    if (!not633.Checked()) {
        bool outside = StrToFloat(Wstart.Text()) > StrToFloat(natx.Text());
        if (!outside) outside = StrToFloat(Wend.Text()) < StrToFloat(natx.Text());
        if (outside) {
            platform.ShowMessage(ThinFilmMessageText(ThinFilmMessage::NotAtGivenWavelength));
            not633.SetChecked(true);
        }
    }

    // Refractive indices of real media are positive.
    if (StrToFloat(Const1.Text()) <= 0.0 || StrToFloat(Const2.Text()) <= 0.0) {
        StopWith(ThinFilmMessage::InvalidConstants);
        return;
    }
    if (!ExtremaWithinSpectrum(d)) {
        StopWith(ThinFilmMessage::ExtremaOutsideSpectrum);
        return;
    }

    Direct.SetChecked(false);
    Chart1.ClearAll();
    RadioButton1.SetChecked(false);
    RadioButton2.SetChecked(false);
    RadioButton3.SetChecked(false);
    RadioButton4.SetChecked(false);

    d.DispStart = StrToFloat(Wstart.Text());
    d.DispEnd = StrToFloat(Wend.Text());
    const double n0 = StrToFloat(Const1.Text());
    const double nS = StrToFloat(Const2.Text());
    const double tolerance = StrToFloat(Tolerance.Text());
    const std::int64_t terms = TermsOf(Order);
    const std::int64_t envelopeTerms = TermsOf(envelope);

    if (terms > 11 || terms < 1) {
        StopWith(ThinFilmMessage::OrderRange);
        return;
    }
    if (envelopeTerms > 6 || envelopeTerms < 1) {
        StopWith(ThinFilmMessage::EnvelopeOrderRange);
        return;
    }

    const ExtremaSplit split = SplitExtrema(d);
    if (split.minCount <= 1 || split.maxCount <= 1) {
        StopWith(ThinFilmMessage::TooFewFringes);
        return;
    }
    // Extrema no spectrum can have: refused before anything is built on them.
    const auto count = static_cast<std::size_t>(d.ExtCount);
    const auto points = static_cast<std::size_t>(std::max(d.SpecCount, 0));
    if (const auto fault = CalculateExtremaFault({std::as_const(d.ExtLambda).From1(), count},
                                                 {std::as_const(d.ExtTrans).From1(), count},
                                                 TransRangeOf({std::as_const(d.SpecTrans).From1(), points}))) {
        StopWith(ThinFilmMessage::ImpossibleExtrema, *fault);
        return;
    }

    if (!BuildEnvelopes(d, split, static_cast<int>(envelopeTerms))) {
        StopWith(ThinFilmMessage::ExtremaOutOfOrder);
        return;
    }

    if (!FringesFreeTransmission(d, static_cast<int>(envelopeTerms))) {
        StopWith(ThinFilmMessage::TooManyExtrema);
        return;
    }

    RefractionAtExtrema(d, nS, tolerance);

    if (DispersionFit(d, static_cast<int>(terms)) == DispersionFitOutcome::OneExtremumInRange) {
        StopWith(ThinFilmMessage::TooFewInRange);
        return;
    }

    const ThicknessMinima minima = ChooseThicknessMinima(d, split);

    const DispersionGridResult grid = DispersionGrid(d, [this] { return StrToFloat(natx.Text()); });
    if (grid.tooWide) {
        StopWith(ThinFilmMessage::RangeTooWide);
        return;
    }
    if (!not633.Checked()) n633show.SetText(FloatToStr(CutToFourDecimals(grid.reported)));
    const std::optional<double> nAtNat =
        not633.Checked() || !grid.natxOnGrid ? std::nullopt : std::optional<double>(grid.reported);

    // Film thickness: typed, from a constant n, or from the indices at the extrema.
    std::optional<double> thick;
    bool computed = true;
    if (FixThickness.Checked()) {
        thick = StrToFloat(thickness.Text());
        if (thick == 0.0 || thick < 0.0) {
            StopWith(ThinFilmMessage::InvalidThickness);
            return;
        }
        computed = false;
    } else if (nu633.Checked()) {
        const double n = StrToFloat(ninp.Text());
        if (n <= 0.0) {
            StopWith(ThinFilmMessage::InvalidIndex);
            return;
        }
        thick = ThicknessForConstantIndex(minima, n);
    } else {
        thick = ThicknessFromEnvelopes(minima, d.RefractionExp[3], d.RefractionExp[2]);
    }
    // Extrema out of their alternation make the formula's difference 0 or negative.
    if (!thick) {
        StopWith(ThinFilmMessage::NoPositiveThickness);
        return;
    }
    d.FilmThickness = *thick;
    if (computed) {
        // d in cm to nine decimals, rounded half to even in extended precision.
        const long double scaled = CheckFinite(static_cast<long double>(*thick) * 1e9L);
        thickness.SetText(FloatToStr(static_cast<long double>(Round(scaled)) / 1e9L));
    }

    if (!PhotonEnergies(d)) {
        StopWith(ThinFilmMessage::NegativeLambda);
        return;
    }

    AbsorptionInputs inputs;
    inputs.fringesFree = FrFTr.Checked();
    inputs.constantIndex = nu633.Checked();
    inputs.readConstantIndex = [this] { return StrToFloat(ninp.Text()); };
    inputs.n0 = n0;
    inputs.nS = nS;
    AbsorptionAndTauc(d, inputs);

    Estart.SetEnabled(true);
    Eend.SetEnabled(true);
    Ytauc1.SetEnabled(true);
    Ytauc2.SetEnabled(true);
    KeepFringesForOrders(static_cast<int>(terms));
    outcome_.thicknessCm = d.FilmThickness;
    outcome_.thicknessTyped = !computed;
    outcome_.nAtNat = nAtNat;
    outcome_.natNm = nAtNat ? StrToFloat(natx.Text()) : 0.0;
}

}  // namespace optc
