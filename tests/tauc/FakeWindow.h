#pragma once
// A minimal analysis window around TaucPlot: the Tauc members of a workspace, the
// controls the Tauc plot uses, a chart with the window's series and a scripted
// platform. User events go through Form::Dispatch as in the real windows.
#include <memory>
#include <string>
#include <vector>

#include "numerics/FloatText.h"
#include "ui/TaucPlot.h"
#include "ui/ChartModel.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ScriptedPlatform.h"

namespace optc::test {

struct TaucWorkspace {
    SpectrumArray TaucEnergy, TaucDirect, TaucIndirect, Tauc, EgEnergy, EgTauc;
    CoefVector TaucLine{};
    double Eg = 0, EgEStart = 0, EgEEnd = 0, EgYStart = 0, EgYEnd = 0;
    int GraphMode = 0;
    int SpecAscending = 0;
    int Count = 0;
};

struct FakeWindow {
    explicit FakeWindow(TaucRules rules)
        : tauc(TaucData{ws->TaucEnergy, ws->TaucDirect, ws->TaucIndirect, ws->Tauc, ws->EgEnergy,
                        ws->EgTauc, ws->TaucLine, ws->Eg, ws->EgEStart, ws->EgEEnd, ws->EgYStart,
                        ws->EgYEnd, ws->GraphMode, ws->SpecAscending, [this] { return ws->Count; }},
               TaucControls{Estart, Eend, Ytauc1, Ytauc2, EgOutput, Direct, RadioButton3, Chart1, platform},
               rules) {
        SetDecimalSeparator('.');
        Chart1.AddSeries(SeriesStyle::Markers, true);
        for (int s = 1; s < rules.seriesCount; ++s) Chart1.AddSeries(SeriesStyle::Line, false);
        form.AddChart(Chart1);
        graph.Add(RadioButton1);
        graph.Add(RadioButton3);
        Estart.OnChange = [this] { tauc.EstartChange(); };
        Eend.OnChange = [this] { tauc.EendChange(); };
        Ytauc1.OnChange = [this] { tauc.Ytauc1Change(); };
        Ytauc2.OnChange = [this] { tauc.Ytauc2Change(); };
        Direct.OnClick = [this] { tauc.DirectClick(); };
        RadioButton3.OnClick = [this] { tauc.RadioButton3Click(); };
        RadioButton1.OnClick = [this] { ws->GraphMode = 0; };
        CalculatEg.OnClick = [this] { tauc.CalculatEgClick(); };
        Chart1.OnDblClick = [this] { tauc.RedrawOnDblClick(); };
    }

    // Loads a curve as a calculation leaves it: energies and both ordinates, Tauc
    // zeroed, no gap shown, Direct and the graph buttons unchecked.
    void Load(const std::vector<double>& energy, const std::vector<double>& indirect, int ascending = 0) {
        ws->Count = static_cast<int>(energy.size());
        ws->SpecAscending = ascending;
        for (int i = 1; i <= ws->Count; ++i) {
            ws->TaucEnergy[i] = energy[i - 1];
            ws->TaucIndirect[i] = indirect[i - 1];
            ws->TaucDirect[i] = indirect[i - 1] * indirect[i - 1] * indirect[i - 1] * indirect[i - 1];
        }
        ws->Tauc.Clear();
        EgOutput.SetText("");
        Direct.SetChecked(false);
        RadioButton3.SetChecked(false);
        RadioButton1.SetChecked(false);
    }

    // The user's actions.
    void Run(const std::function<void()>& handler) { form.Dispatch(handler); }
    void Type(Edit& edit, const std::string& text) {
        edit.SetFocused(true);
        Run([&] { edit.SetText(text); });
        edit.SetFocused(false);
    }
    void ClickTauc() { Run([&] { RadioButton3.Click(); }); }
    void ClickOtherGraph() { Run([&] { RadioButton1.Click(); }); }
    void ClickGap() { Run([&] { CalculatEg.Click(); }); }
    void DoubleClick() { Run([&] { Chart1.OnDblClick(); }); }
    void SetBounds(const std::string& e1, const std::string& e2) {
        Estart.SetText(e1);
        Eend.SetText(e2);
    }

    int Points(int series) const { return Chart1.Series(series).Count(); }
    bool ChartEmpty() const {
        for (int s = 0; s < Chart1.SeriesCount(); ++s)
            if (Chart1.Series(s).Count() != 0) return false;
        return true;
    }

    std::unique_ptr<TaucWorkspace> ws = std::make_unique<TaucWorkspace>();
    ScriptedPlatform platform;
    Form form{platform, "window"};
    Edit Estart{"Estart", "1"}, Eend{"Eend", "1"}, Ytauc1{"Ytauc1", "1"}, Ytauc2{"Ytauc2", "1"};
    StaticText EgOutput{"EgOutput", ""};
    CheckBox Direct{"Direct", "Direct Gap Semiconductor"};
    RadioGroup graph;
    RadioButton RadioButton1{"RadioButton1", "Refractive Index"};
    RadioButton RadioButton3{"RadioButton3", "Tauc Plot"};
    Button CalculatEg{"CalculatEg", "Eg Calculation"};
    ChartModel Chart1{""};
    TaucPlot tauc;
};

}  // namespace optc::test
