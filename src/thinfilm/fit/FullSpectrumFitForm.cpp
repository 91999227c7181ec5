#include "thinfilm/fit/FullSpectrumFitForm.h"

#include <algorithm>
#include <cmath>

#include "datafiles/ResultsFileSet.h"
#include "numerics/FloatText.h"
#include "thinfilm/fit/FullSpectrumFitText.h"
#include "thinfilm/orders/FringeOrdersText.h"
#include "ui/TypedNumber.h"

namespace optc {

namespace {
constexpr const char* kTextFiles = "*.txt";
constexpr const char* kLegend =
    "Transmission: measured (black), fitted (red). Residual: measured \u2212 fitted (blue). "
    "\u03B1: from the fit (red), from Calculate (green).";
constexpr const char* kFitting = "Fitting the spectrum...";
constexpr const char* kBadSlit =
    "The slit width (nm) must be a number of 0 or more (0 for no band); the box holds \"";
constexpr const char* kBadRange =
    "The fitted range (nm) must be empty (the spectrum's end) or numbers above 0, the first below the second; the "
    "boxes hold \"";

// A range box: empty gives 0 (the spectrum's own end), a number above 0 itself.
std::optional<double> RangeBound(const Edit& box) {
    if (box.Text().find_first_not_of(" \t") == std::string::npos) return 0.0;
    const std::optional<double> nm = TypedNumber(box);
    if (!nm || !(*nm > 0.0)) return std::nullopt;
    return nm;
}
}  // namespace

FullSpectrumFitForm::FullSpectrumFitForm(Platform& platform)
    : Form(platform, "Fit Spectrum"),
      Measured(SpectrumChart.AddSeries(SeriesStyle::Line, false)),
      Fitted(SpectrumChart.AddSeries(SeriesStyle::Line, false)),
      Residual(ResidualChart.AddSeries(SeriesStyle::Line, false)),
      FitAlpha(AlphaChart.AddSeries(SeriesStyle::Line, false)),
      EnvelopeAlpha(AlphaChart.AddSeries(SeriesStyle::Line, false)) {
    AddChart(SpectrumChart);
    AddChart(ResidualChart);
    AddChart(AlphaChart);
    SpectrumChart.BottomAxis().title = "Wavelengths, nm";
    SpectrumChart.LeftAxis().title = "Transmission, %";
    ResidualChart.BottomAxis().title = "Wavelengths, nm";
    ResidualChart.LeftAxis().title = "Residual, %T";
    AlphaChart.BottomAxis().title = "Wavelengths, nm";
    AlphaChart.LeftAxis().title = "\u03B1, 1/cm";
    AlphaChart.LeftAxis().logarithmic = true;
    Legend.SetText(kLegend);
    dispersion_.Add(Cauchy);
    dispersion_.Add(CauchyThree);
    dispersion_.Add(Sellmeier);
    absorption_.Add(NoAbsorption);
    absorption_.Add(Urbach);
    FitButton.OnClick = [this] { FitClick(); };
    Cancel.OnClick = [this] { CancelClick(); };
    Copy.OnClick = [this] { CopyClick(); };
    SaveTable.OnClick = [this] { SaveTableClick(); };
    UseThickness.OnClick = [this] { UseThicknessClick(); };
    CloseButton.OnClick = [this] { Close(); };
    // However the dialog closes, a fit still running stops.
    ObserveClose([this] { CancelClick(); });
    Cancel.SetEnabled(false);
    Copy.SetEnabled(false);
    SaveTable.SetEnabled(false);
    UseThickness.SetEnabled(false);
}

void FullSpectrumFitForm::Open(FitDialogSource source) {
    source_ = std::move(source);
    outcome_ = {};
    ShowOutcome();
    ResultLine.SetText(source_.input ? "" : source_.reason);
    FitButton.SetEnabled(source_.input.has_value() && !Progress.Running());
}

std::string FullSpectrumFitForm::ChoicesFault() const {
    const std::optional<double> slit = TypedNumber(Slit);
    if (!slit || *slit < 0.0) return kBadSlit + Slit.Text() + "\".";
    const std::optional<double> from = RangeBound(FitFrom), to = RangeBound(FitTo);
    if (!from || !to || (*from > 0.0 && *to > 0.0 && *from >= *to))
        return kBadRange + FitFrom.Text() + "\" and \"" + FitTo.Text() + "\".";
    return "";
}

std::optional<SpectrumFitOptions> FullSpectrumFitForm::ChosenOptions() const {
    if (!ChoicesFault().empty()) return std::nullopt;
    SpectrumFitOptions options;
    options.slitNm = *TypedNumber(Slit);
    options.fromNm = *RangeBound(FitFrom);
    options.toNm = *RangeBound(FitTo);
    options.spread = Spread.Checked();
    options.fitSubstrate = FitSubstrate.Checked();
    options.dispersion = Sellmeier.Checked()     ? DispersionLaw::Sellmeier
                         : CauchyThree.Checked() ? DispersionLaw::CauchyThree
                                                 : DispersionLaw::Cauchy;
    options.absorption = NoAbsorption.Checked() ? AbsorptionLaw::None : AbsorptionLaw::Urbach;
    options.natNm = source_.natNm;
    return options;
}

void FullSpectrumFitForm::FitClick() {
    if (Progress.Running()) return;
    if (!source_.input) {
        ResultLine.SetText(source_.reason);
        return;
    }
    const std::optional<SpectrumFitOptions> options = ChosenOptions();
    if (!options) {
        GetPlatform().ShowMessage(ChoicesFault());
        return;
    }
    cancel_.store(false);
    Progress.Tell(0.0);
    Progress.SetRunning(true);
    EnableChoices(false);
    ResultLine.SetText(kFitting);
    auto work = [this, input = *source_.input, options = *options] {
        FitControl control;
        control.cancel = &cancel_;
        control.progress = [this](double p) { Progress.Tell(p); };
        return FitSpectrum(input, options, control);
    };
    auto done = [this](SpectrumFitOutcome outcome) { Finish(std::move(outcome)); };
    if (runner_) {
        runner_(std::move(work), std::move(done));
    } else {
        done(work());
    }
}

void FullSpectrumFitForm::CancelClick() {
    if (Progress.Running()) cancel_.store(true);
}

void FullSpectrumFitForm::Finish(SpectrumFitOutcome outcome) {
    Progress.SetRunning(false);
    EnableChoices(true);
    const bool cancelled = !outcome.result && outcome.reason == kFitCancelled;
    outcome_ = std::move(outcome);
    ShowOutcome();
    if (!cancelled && OnFitted) OnFitted(outcome_);
}

void FullSpectrumFitForm::EnableChoices(bool enabled) {
    for (Control* c : std::initializer_list<Control*>{&Spread, &Slit, &Cauchy, &CauchyThree, &Sellmeier,
                                                      &NoAbsorption, &Urbach, &FitSubstrate, &FitFrom, &FitTo})
        c->SetEnabled(enabled);
    FitButton.SetEnabled(enabled && source_.input.has_value());
    Cancel.SetEnabled(!enabled);
}

void FullSpectrumFitForm::ShowOutcome() {
    const SpectrumFitResult* r = outcome_.result ? &*outcome_.result : nullptr;
    ResultLine.SetText(FitResultLine(outcome_));
    std::string warnings;
    if (r)
        for (const std::string& w : r->warnings) warnings += (warnings.empty() ? "" : "\n") + w;
    Warnings.SetText(warnings);
    Table.SetRows(r ? FitParameterRows(*r) : std::vector<std::vector<std::string>>{});
    Copy.SetEnabled(r != nullptr);
    SaveTable.SetEnabled(r != nullptr);
    UseThickness.SetEnabled(r != nullptr);
    DrawMeasured();
    if (!r) return;
    for (const FitPoint& p : r->points) {
        Fitted.AddXY(p.lambda, p.fitted, clRed);
        Residual.AddXY(p.lambda, p.measured - p.fitted, clBlue);
        if (p.alphaCm && *p.alphaCm > 0.0 && std::isfinite(*p.alphaCm)) FitAlpha.AddXY(p.lambda, *p.alphaCm, clRed);
    }
}

void FullSpectrumFitForm::DrawMeasured() {
    for (ChartModel* chart : {&SpectrumChart, &ResidualChart, &AlphaChart}) {
        chart->ClearAll();
        chart->BottomAxis().SetAutomatic();
        chart->LeftAxis().SetAutomatic();
    }
    if (source_.input) {
        const SpectrumFitInput& in = *source_.input;
        for (std::size_t i = 0; i < in.lambda.size() && i < in.trans.size(); ++i)
            if (std::isfinite(in.lambda[i]) && std::isfinite(in.trans[i])) Measured.AddXY(in.lambda[i], in.trans[i], clBlack);
    }
    for (const auto& [lambda, alpha] : source_.envelopeAlpha)
        if (alpha > 0.0 && std::isfinite(alpha)) EnvelopeAlpha.AddXY(lambda, alpha, clGreen);
}

void FullSpectrumFitForm::CopyClick() {
    if (!outcome_.result) return;
    std::string text;
    for (const std::string& line : FitTableLines(*outcome_.result)) text += line + "\n";
    GetPlatform().SetClipboardText(text);
}

void FullSpectrumFitForm::SaveTableClick() {
    if (!outcome_.result) return;
    const auto path = GetPlatform().SaveFileDialog(kTextFiles);
    if (!path) return;
    // Written in full beside its name first: a failure leaves an older table as it was.
    WriteFileAllOrNone(*path, [this](const std::string& part) { WriteFitTable(*outcome_.result, part); });
    GetPlatform().RememberFolder(*path);
}

void FullSpectrumFitForm::UseThicknessClick() {
    if (!outcome_.result) return;
    if (OnUseThickness) OnUseThickness(outcome_.result->thicknessNm);
    Close();
}

namespace {

std::vector<std::string> ParameterRow(const std::string& name, double value, double sd) {
    const ValueAndSd t = ValueAndSdText(value, sd);
    return {name, t.value, t.sd};
}

}  // namespace

std::vector<std::vector<std::string>> FitParameterRows(const SpectrumFitResult& result) {
    std::vector<std::vector<std::string>> rows;
    for (const FitParameter& p : result.parameters) rows.push_back(ParameterRow(p.name, p.value, p.sd));
    rows.push_back(ParameterRow("n(" + FloatToStr(result.natNm) + " nm)", result.nAtNat, result.nAtNatSd));
    return rows;
}

}  // namespace optc
