#pragma once
// The bulk window "Bulk": imports of the transmission and reflection spectra, the
// choice of the reflection source, the absorption calculation, the graphs, the Tauc
// plot with the optical gap, and the results files. Toolkit-free: the Qt view
// mirrors these control models and forwards user input through Dispatch.
#include <functional>
#include <string>

#include "bulk/BulkData.h"
#include "bulk/BulkOutcome.h"
#include "ui/TaucPlot.h"
#include "datafiles/UnitChoices.h"
#include "ui/ChartModel.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace optc {

class TForm3 : public Form {
public:
    TForm3(Platform& platform, BulkData& data, std::function<UnitChoices()> units);

    BulkData& Data() { return data_; }
    // The window's results and what stopped its last event, as values.
    const BulkOutcome& Outcome() const { return outcome_; }
    UnitChoices Units() const { return units_(); }

    // Imports.
    Button import1{"import1", "Import T Spectrum"};
    StaticText Fileshow1{"Fileshow1", "File1"};
    Button Button2{"Button2", "Import R spectrum"};
    StaticText Fileshow2{"Fileshow2", "File2"};
    // Source of reflection and the sample's entries.
    CheckBox InpN{"InpN", "", false};
    Edit Refrn633{"Refrn633", "2"};
    CheckBox InpR{"InpR", "", true};
    Edit Refl{"Refl", "18"};
    Edit Thickness{"Thickness", "1"};
    Edit Const1{"Const1", "1"};
    // Energy and ordinate window of the gap fit.
    Edit Estart{"Estart", "1"};
    Edit Eend{"Eend", "1"};
    Edit Ytauc1{"Ytauc1", "1"};
    Edit Ytauc2{"Ytauc2", "1"};
    Button Calculate{"Calculate", "Calculate"};
    Button CalculatEg{"CalculatEg", "Eg Calculation"};
    StaticText EgOutput{"EgOutput", ""};
    // Beside the gap: its standard error and the line's R².
    StaticText EgSpread{"EgSpread", ""};
    // The chart and its pointer readout.
    ChartModel Chart1{"Optical Characteristics"};
    ChartSeries& Series1;  // circle markers: measured spectra
    ChartSeries& Series2;  // line: resampled transmission, absorption
    ChartSeries& Series3;  // line: resampled reflection
    StaticText PositionY{"PositionY", "Y ="};
    StaticText PositionX{"PositionX", "X ="};
    // Graph choice.
    RadioGroup GraphButtons;
    RadioButton RadioButton4{"RadioButton4", "Transmission"};
    RadioButton RadioButton1{"RadioButton1", "Reflection"};
    RadioButton RadioButton2{"RadioButton2", "Absorption Coefficient"};
    CheckBox Direct{"Direct", "Direct Gap Semiconductor", false};
    RadioButton RadioButton3{"RadioButton3", "Tauc Plot"};
    Button Button1{"Button1", "Save Results"};
    Button BitBtn1{"BitBtn1", "Exit"};
    // The analysis as a whole on paper (BulkReport), a PDF file; enabled once there is
    // a transmission spectrum.
    Button SaveReport{"SaveReport", "Save Report..."};

    // Handlers.
    void import1Click();
    void Import2Click();
    void InpNClick();
    void InpRClick();
    void CalculateClick();
    void RadioButton4Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click() { tauc_.RadioButton3Click(); }
    void CalculatEgClick();
    void EstartChange() { tauc_.EstartChange(); }
    void EendChange() { tauc_.EendChange(); }
    void Ytauc1Change() { tauc_.Ytauc1Change(); }
    void Ytauc2Change() { tauc_.Ytauc2Change(); }
    void DirectClick() { tauc_.DirectClick(); }
    void Chart1DblClick() { tauc_.RedrawOnDblClick(); }
    void Chart1MouseMove(double x, double y);
    void Chart1ClickAxis();
    void Button1Click();
    void SaveReportClick();

protected:
    void EventBegins() override;
    void EventEnds() override;

private:
    // A message box for an input check; the chart shows the state reached so far.
    void Message(const std::string& text);
    // The same for a message of the window's catalogue that ends the event.
    void StopWith(BulkMessage id, const std::string& text);
    void StopWith(BulkMessage id) { StopWith(id, BulkMessageText(id)); }
    void ClearChart();
    // The start of every graph: GraphMode 0, empty series, linear automatic axes, titles.
    void StartGraph(const std::string& bottomTitle, const std::string& leftTitle);

    BulkData& data_;
    std::function<UnitChoices()> units_;
    TaucPlot tauc_;
    BulkOutcome outcome_;
};

}  // namespace optc
