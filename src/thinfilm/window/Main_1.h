#pragma once
// The Thin Films window: its controls, its chart and its handlers. The handlers work
// on the window's ThinFilmData, which outlives the window's showings.
#include <functional>
#include <optional>

#include "ui/TaucPlot.h"
#include "datafiles/UnitChoices.h"
#include "thinfilm/orders/FilmOrders.h"
#include "thinfilm/fit/FullSpectrumFit.h"
#include "thinfilm/fit/FullSpectrumFitForm.h"
#include "thinfilm/orders/FringeOrdersForm.h"
#include "thinfilm/ThinFilmData.h"
#include "thinfilm/window/ThinFilmOutcome.h"
#include "ui/ChartModel.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Platform.h"

namespace optc {

class TForm4;

class TForm1 : public Form {
public:
    // units reads the start window's unit choices at the moment an import needs them.
    TForm1(Platform& platform, ThinFilmData& data, std::function<UnitChoices()> units);

    ThinFilmData& Data() { return data_; }
    // The window's results and what stopped its last event, as values.
    const ThinFilmOutcome& Outcome() const { return outcome_; }
    // The start window's unit choices as the next import reads them.
    UnitChoices Units() const { return units_(); }

    // ---- Imports ----
    Button import1{"import1", "Import Spectrum"};
    Button Import2{"Import2", "Import Fringes"};
    Button Button2{"Button2", "Determine Fringes"};
    StaticText Fileshow1{"Fileshow1", "File1"};
    StaticText Fileshow2{"Fileshow2", "File2"};

    // ---- Constants and ranges ----
    Edit Const1{"Const1", "1"};
    Edit Const2{"Const2", "2"};
    Edit Tolerance{"Tolerance", "1"};
    Edit Wstart{"Wstart", "1"};
    Edit Wend{"Wend", "1"};
    Edit Estart{"Estart", "1"};
    Edit Eend{"Eend", "1"};
    Edit Ytauc1{"Ytauc1", "1"};
    Edit Ytauc2{"Ytauc2", "1"};

    // ---- Thickness, n estimate and options ----
    Edit thickness{"thickness", "0"};
    CheckBox FixThickness{"FixThickness", "Do not calculate d, use input value"};
    Edit natx{"natx", "633"};  // digits only
    StaticText n633show{"n633show", "0"};
    CheckBox not633{"not633", "Do not show any estimated n value"};
    CheckBox nu633{"nu633", "Use constant n ="};
    Edit ninp{"ninp", ""};
    CheckBox FrFTr{"FrFTr", "Use fringes-free Transmission", true};
    Edit Order{"Order", "2"};
    Edit envelope{"envelope", "3"};

    // ---- Calculation and optical gap ----
    Button Calculate{"Calculate", "Calculate"};
    StaticText EgOutput{"EgOutput", "0"};
    // Beside the gap: its standard error and the line's R².
    StaticText EgSpread{"EgSpread", ""};
    Button CalculatEg{"CalculatEg", "Eg Calculation"};

    // ---- Graph choice (the four radio buttons exclude only one another) ----
    RadioGroup RadioGroup1;
    RadioButton RadioButton1{"RadioButton1", "Refractive Index"};
    RadioButton RadioButton4{"RadioButton4", "Transmission"};
    RadioButton RadioButton2{"RadioButton2", "Absorption Coefficient"};
    CheckBox Direct{"Direct", "Direct Gap Semiconductor"};
    RadioButton RadioButton3{"RadioButton3", "Tauc Plot"};

    // ---- Chart ----
    ChartModel Chart1{"Optical Characteristics"};
    ChartSeries& Series1;  // circle markers
    ChartSeries& Series2;  // lines from here on
    ChartSeries& Series3;
    ChartSeries& Series4;
    ChartSeries& Series5;
    StaticText PositionX{"PositionX", "X ="};
    StaticText PositionY{"PositionY", "Y ="};

    // ---- Results and closing ----
    Button Button1{"Button1", "Save Results"};
    Button BitBtn1{"BitBtn1", "Exit"};
    // The analysis as a whole on paper (ThinFilmReport), a PDF file.
    Button SaveReport{"SaveReport", "Save Report..."};

    // ---- Fringe orders: the thickness refined from the extrema Calculate used ----
    Button FringeOrders{"FringeOrders", "Fringe Orders..."};  // enabled by a spectrum with extrema
    FringeOrdersForm Orders{GetPlatform()};
    // Beside the thickness, after a Calculate: the thickness of the fringe orders where
    // it differs from Calculate's by more than three of its spreads or Calculate found
    // none; empty otherwise.
    StaticText OrdersNote{"OrdersNote", ""};

    // ---- Handlers: imports ----
    void import1Click();
    void Import2Click();

    // ---- Handlers: the calculation ----
    void CalculateClick();

    // ---- Handlers: options ----
    void FixThicknessClick();
    void FrFTrClick();
    void not633Click();
    void nu633Click();

    // ---- Handlers: graphs and results files ----
    void RadioButton1Click();
    void RadioButton4Click();
    void RadioButton2Click();
    void Button1Click();
    void SaveReportClick();

    // ---- Handlers: Determine Fringes ----
    // The minima window that Determine Fringes shows; set once by the application.
    void SetMinimaForm(TForm4& minima) { minima_ = &minima; }
    void Button2Click();

    // ---- Handlers: Tauc view, optical gap and its window edits ----
    void RadioButton3Click();
    void CalculatEgClick();
    void EstartChange();
    void EendChange();
    void Ytauc1Change();
    void Ytauc2Change();
    void DirectClick();

    // ---- Handlers: fringe orders ----
    void FringeOrdersClick();

    // ---- Fit Spectrum: the whole spectrum fitted from the fringe orders ----
    // The spectrum, the extrema, nS and the orders' result; nothing, with the reason,
    // without extrema or orders.
    std::optional<SpectrumFitInput> SpectrumFitInputOf(std::string& reason) const;
    // Fits, keeps the outcome in the window's outcome and returns it.
    const SpectrumFitOutcome& RunSpectrumFit(SpectrumFitOptions options, const FitControl& control = {});
    // Its button and dialog; the button follows the Fringe Orders button. A fit that ran
    // to its end in the dialog is the window's last Fit Spectrum.
    Button FitSpectrumButton{"FitSpectrum", "Fit Spectrum..."};
    FullSpectrumFitForm Fit{GetPlatform()};
    void FitSpectrumClick();

    // ---- Handlers: chart events ----
    void Chart1MouseMove(double x, double y);
    void Chart1DblClick();
    void Chart1ClickAxis();

protected:
    void EventBegins() override;
    void EventEnds() override;

private:
    // Shows a message of the window's catalogue that ends the event.
    void StopWith(ThinFilmMessage id);
    void StopWith(ThinFilmMessage id, const std::string& text);

    ThinFilmData& data_;
    std::function<UnitChoices()> units_;
    TaucPlot tauc_;  // after the controls and the workspace it refers to
    TForm4* minima_ = nullptr;

    // What a complete Calculate used, for the fringe orders; forgotten (and the button
    // disabled, the outcome's results emptied) wherever Calculate's results are
    // cleared or the extrema change.
    void KeepFringesForOrders(int fitTerms);
    void ForgetFringesForOrders();
    // Without a complete Calculate: the extrema as Calculate would split them, when a
    // spectrum, three extrema within it that one spectrum can have and a positive nS
    // are there. The button follows at the end of every event.
    std::optional<CalculatedFringes> FringesOfSpectrum() const;
    void RefreshFringeOrders();
    // The note beside the thickness, at the end of a Calculate.
    void NoteFringeOrders();
    FilmFringes FilmFringesOf(const CalculatedFringes& fringes) const;
    bool calculateRan_ = false;
    std::optional<CalculatedFringes> calculated_;
    // An import of the spectrum or new fringes cleared the results and no Calculate has
    // run since: Save Results has nothing to write.
    bool resultsCleared_ = false;
    ThinFilmOutcome outcome_;
};

}  // namespace optc
