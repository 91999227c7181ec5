#include "bulk/Main_3.h"

#include "ui/ChartInteraction.h"

#include "bulk/BulkCalculation.h"
#include "numerics/FloatText.h"

namespace optc {

TForm3::TForm3(Platform& platform, BulkData& data, std::function<UnitChoices()> units)
    : Form(platform, "Bulk"),
      Series1(Chart1.AddSeries(SeriesStyle::Markers, false)),
      Series2(Chart1.AddSeries(SeriesStyle::Line, false)),
      Series3(Chart1.AddSeries(SeriesStyle::Line, false)),
      data_(data),
      units_(std::move(units)),
      tauc_(TaucData{data.TaucEnergy, data.TaucDirect, data.TaucIndirect, data.Tauc, data.EgEnergy,
                     data.EgTauc, data.TaucLine, data.Eg, data.EgEStart, data.EgEEnd, data.EgYStart,
                     data.EgYEnd, data.GraphMode, data.SpecAscending, [&data] { return data.AbsCount; }},
            TaucControls{Estart, Eend, Ytauc1, Ytauc2, EgOutput, Direct, RadioButton3, Chart1, platform, &EgSpread},
            TaucRules::Bulk()) {
    AddChart(Chart1);

    // Controls that start disabled.
    Refrn633.SetEnabled(false);
    Refl.SetEnabled(false);
    Estart.SetEnabled(false);
    Eend.SetEnabled(false);
    Ytauc1.SetEnabled(false);
    Ytauc2.SetEnabled(false);
    SaveReport.SetEnabled(false);

    GraphButtons.Add(RadioButton4);
    GraphButtons.Add(RadioButton1);
    GraphButtons.Add(RadioButton2);
    GraphButtons.Add(RadioButton3);

    import1.OnClick = [this] { import1Click(); };
    Button2.OnClick = [this] { Import2Click(); };
    InpN.OnClick = [this] { InpNClick(); };
    InpR.OnClick = [this] { InpRClick(); };
    Calculate.OnClick = [this] { CalculateClick(); };
    CalculatEg.OnClick = [this] { CalculatEgClick(); };
    Estart.OnChange = [this] { EstartChange(); };
    Eend.OnChange = [this] { EendChange(); };
    Ytauc1.OnChange = [this] { Ytauc1Change(); };
    Ytauc2.OnChange = [this] { Ytauc2Change(); };
    RadioButton4.OnClick = [this] { RadioButton4Click(); };
    RadioButton1.OnClick = [this] { RadioButton1Click(); };
    RadioButton2.OnClick = [this] { RadioButton2Click(); };
    RadioButton3.OnClick = [this] { RadioButton3Click(); };
    Direct.OnClick = [this] { DirectClick(); };
    Button1.OnClick = [this] { Button1Click(); };
    BitBtn1.OnClick = [this] { Close(); };
    SaveReport.OnClick = [this] { SaveReportClick(); };
    Chart1.OnDblClick = [this] { Chart1DblClick(); };
    Chart1.OnMouseMove = [this](double x, double y) { Chart1MouseMove(x, y); };
    Chart1.OnReadoutStale = [this] { ClearPointerReadout(PositionX, PositionY); };
    Chart1.OnClickAxis = [this] { Chart1ClickAxis(); };
}

void TForm3::Chart1MouseMove(double x, double y) { ShowPointerReadout(x, y, PositionX, PositionY); }

// Only the absorption graph switches its left axis to a logarithmic scale.
void TForm3::Chart1ClickAxis() {
    if (RadioButton2.Checked()) ToggleLogarithmicLeftAxis(Chart1, 0.1);
}

void TForm3::Message(const std::string& text) {
    FlushCharts();
    GetPlatform().ShowMessage(text);
}

void TForm3::StopWith(BulkMessage id, const std::string& text) {
    Message(text);
    if (!outcome_.stop) outcome_.stop = Stop<BulkMessage>{id, text};
}

void TForm3::EventBegins() { outcome_.stop.reset(); }

void TForm3::EventEnds() {
    outcome_.specCount = data_.SpecCount;
    outcome_.absCount = data_.AbsCount;
    outcome_.reflCount = data_.ReflCount;
    outcome_.egEv = tauc_.Gap();
    outcome_.egSdEv = tauc_.Spread().sdEv;
    outcome_.egR2 = tauc_.Spread().r2;
    SaveReport.SetEnabled(data_.SpecCount > 0);
    if (LastEventError() && !outcome_.stop)
        outcome_.stop = Stop<BulkMessage>{BulkMessage::Error, LastEventError()->text, LastEventError()->typed,
                                               LastEventError()->detail};
}

void TForm3::CalculatEgClick() {
    tauc_.CalculatEgClick();
    if (!tauc_.EgStop()) return;
    const auto id = [](TaucMessage message) {
        switch (message) {
            case TaucMessage::ReversedBounds: return BulkMessage::EgReversedBounds;
            case TaucMessage::TooFewPoints: return BulkMessage::EgTooFewPoints;
            case TaucMessage::NoPositiveGap: return BulkMessage::EgNoPositiveGap;
        }
        return BulkMessage::Error;
    };
    outcome_.stop = Stop<BulkMessage>{id(*tauc_.EgStop()), TaucMessageText(*tauc_.EgStop())};
}

void TForm3::ClearChart() {
    Series1.Clear();
    Series2.Clear();
    Series3.Clear();
}

// The two source boxes keep each other exclusive. Unchecking the other box runs its
// handler when it was checked, so the handlers nest; the outermost one sets the
// edits last.
void TForm3::InpNClick() {
    InpR.SetChecked(false);
    Refrn633.SetEnabled(true);
    Refl.SetEnabled(false);
}

void TForm3::InpRClick() {
    InpN.SetChecked(false);
    Refrn633.SetEnabled(false);
    Refl.SetEnabled(true);
}

void TForm3::CalculateClick() {
    outcome_.thicknessCm.reset();
    data_.GraphMode = 0;
    tauc_.ClearGap();
    Direct.SetChecked(false);
    data_.ClearDerived();

    // Only positive values describe a sample: a thickness or an index of 0 or below
    // would give an absorption of the wrong sign, or none at all.
    double thickness = StrToFloat(Thickness.Text());
    if (thickness <= 0.0) {
        StopWith(BulkMessage::WrongThickness);
        return;
    }
    double n = StrToFloat(Refrn633.Text());
    if (n <= 0.0) {
        StopWith(BulkMessage::InvalidIndex);
        return;
    }
    double n0 = StrToFloat(Const1.Text());
    if (n0 <= 0.0) {
        StopWith(BulkMessage::InvalidEnvironmentIndex);
        return;
    }
    // A face reflects from none to nearly all of the light: 100 % would leave nothing
    // to absorb.
    const bool constantR = !InpN.Checked() && InpR.Checked();
    const double reflPercent = constantR ? StrToFloat(Refl.Text()) : 0.0;
    if (constantR && !(reflPercent >= 0.0 && reflPercent < 100.0)) {
        StopWith(BulkMessage::ReflectionRange);
        return;
    }

    ClearChart();
    RadioButton1.SetChecked(false);
    RadioButton2.SetChecked(false);
    RadioButton3.SetChecked(false);
    RadioButton4.SetChecked(false);

    data_.SampleThickness = thickness;
    data_.AbsCount = data_.SpecCount;
    ClearCoef(data_.TransCoef);
    ClearCoef(data_.ReflCoef);
    ClearCoef(data_.TaucLine);

    if (InpN.Checked()) {
        AbsorptionConstantN(data_, n, n0);
    } else if (constantR) {
        AbsorptionConstantR(data_, reflPercent);
    } else {
        try {
            AbsorptionFromSpectrum(data_);
        } catch (const ResampleRefused& refused) {
            StopWith(refused.Id(), refused.what());
            return;
        }
    }

    Estart.SetEnabled(true);
    Eend.SetEnabled(true);
    Ytauc1.SetEnabled(true);
    Ytauc2.SetEnabled(true);
    outcome_.thicknessCm = thickness;
}

}  // namespace optc
