#pragma once
// The Tauc plot and the optical gap of both analysis windows (thin film and bulk
// sample): the Tauc view, the gap fit, the four linked window edits (Estart, Eend,
// Ytauc1, Ytauc2), the Direct toggle and the redraw of the Tauc plot on a double click.
//
// One implementation serves both windows. The window owns its workspace and its
// controls and passes references to them; what differs between the two windows is
// spelled out in TaucRules. The window wires its controls' events to its own handlers
// (EstartChange, ..., RadioButton3Click), which call the members of the same name
// here; its Chart1DblClick calls RedrawOnDblClick. Errors are raised, not caught:
// the window's Form::Dispatch reports them.
#include <cstdint>
#include <functional>
#include <optional>

#include "numerics/Arrays.h"
#include "numerics/GapSpread.h"
#include "numerics/TaucGap.h"
#include "ui/ChartModel.h"
#include "ui/Controls.h"
#include "ui/Platform.h"
#include "ui/TaucMessages.h"

namespace optc {

// The workspace members the Tauc plot reads and writes (same names in ThinFilmData
// and BulkData).
struct TaucData {
    SpectrumArray& TaucEnergy;
    SpectrumArray& TaucDirect;
    SpectrumArray& TaucIndirect;
    SpectrumArray& Tauc;
    SpectrumArray& EgEnergy;
    SpectrumArray& EgTauc;
    CoefVector& TaucLine;
    double& Eg;
    double& EgEStart;
    double& EgEEnd;
    double& EgYStart;
    double& EgYEnd;
    int& GraphMode;
    const int& SpecAscending;
    // The point count N: SpecCount in the thin-film window, AbsCount in the bulk one.
    std::function<int()> pointCount;
};

// The window's controls the Tauc plot uses.
struct TaucControls {
    Edit& Estart;
    Edit& Eend;
    Edit& Ytauc1;
    Edit& Ytauc2;
    StaticText& EgOutput;
    CheckBox& Direct;
    RadioButton& RadioButton3;
    ChartModel& Chart1;
    Platform& platform;
    // The text beside the gap with its standard error and R² (a window may have none).
    StaticText* EgSpread = nullptr;
};

// Which coefficient of TaucLine makes a fitted line current in the Tauc view.
enum class CurrentLineTest { Slope, Intercept };

struct TaucRules {
    CurrentLineTest currentLine;
    bool inclusiveBounds;       // energies equal to Estart/Eend are fitted
    OrdinateMatch ordinateMatch;
    bool redrawAlwaysAddsLine;  // the double-click redraw adds the green line even
                                // when no line is current (it then lies at 0)
    int seriesCount;            // series of the window's chart

    static TaucRules ThinFilm() { return {CurrentLineTest::Slope, false, OrdinateMatch::Tens, false, 5}; }
    static TaucRules Bulk() { return {CurrentLineTest::Intercept, true, OrdinateMatch::Banded, true, 3}; }
};

class TaucPlot {
public:
    TaucPlot(TaucData data, TaucControls controls, TaucRules rules);

    // "Tauc Plot" radio button: draws the Tauc plot and, when no gap is shown, fills
    // the four edits from the first and last point.
    void RadioButton3Click();
    // "Eg Calculation": fits the line through the points of the energy window and
    // shows the gap.
    void CalculatEgClick();
    // The four linked edits. Every change clears the shown gap and the line; a typed
    // value in the focused edit also sets the partner edit from the curve.
    void EstartChange();
    void EendChange();
    void Ytauc1Change();
    void Ytauc2Change();
    // The Direct check box: empties the chart and forgets the line and the shown gap.
    void DirectClick();
    // The whole double click of an analysis window's chart (its Chart1DblClick calls
    // only this): both axes back to automatic, and while the Tauc plot is the graph,
    // the full curve and the line across the whole energy range.
    void RedrawOnDblClick();

    const TaucRules& Rules() const { return rules_; }

    // The fitted gap in eV while the window shows it (full precision; the window
    // shows it cut to four decimals), and the message that ended the last Eg
    // Calculation.
    const std::optional<double>& Gap() const { return gap_; }
    const std::optional<TaucMessage>& EgStop() const { return stop_; }
    // The standard error and R² of the shown gap's line; empty while no gap is shown.
    const GapSpread& Spread() const { return spread_; }
    // Empties the shown gap (EgOutput), as the windows' handlers do when its results go.
    void ClearGap();

private:
    bool LineIsCurrent() const;
    void ClearSeries();
    void SetTitles();
    void ClearOutputAndLine();
    void Say(TaucMessage id);
    // The partner search of the linked edits. ownIsEnergy: the edit holds an energy.
    void LinkedChange(Edit& own, double& ownBound, bool ownIsEnergy, OrdinateEdit ordinateEdit,
                      double& partnerBound, Edit& partner);
    // The first point, in search order, whose value matches; 0 when none does.
    int FindMatch(bool energy, double x, OrdinateEdit ordinateEdit) const;
    void AddCurve(bool withLine);

    TaucData d_;
    TaucControls c_;
    TaucRules rules_;
    std::optional<double> gap_;
    std::optional<TaucMessage> stop_;
    GapSpread spread_;
};

}  // namespace optc
