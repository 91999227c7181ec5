// Chart events of the three windows driven as the chart widget delivers them: the
// pointer readout, the double click before and after a gap calculation, and the axis
// click that switches the absorption graph's left axis.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bulk/BulkFixture.h"
#include "support/SourceTree.h"
#include "thinfilm/window/Main_4.h"
#include "thinfilm/ThinFilmFixture.h"

namespace optc::testing {
namespace {

bool SameAxis(const ChartAxis& a, const ChartAxis& b) {
    return a.automaticMinimum == b.automaticMinimum && a.automaticMaximum == b.automaticMaximum &&
           a.minimum == b.minimum && a.maximum == b.maximum && a.logarithmic == b.logarithmic && a.title == b.title;
}

// Everything a click could change on a chart: both axes and the points of each series.
struct ChartState {
    std::vector<ChartAxis> axes;
    std::vector<std::vector<ChartPoint>> points;

    explicit ChartState(const ChartModel& chart) : axes{chart.LeftAxis(), chart.BottomAxis()} {
        for (int s = 0; s < chart.SeriesCount(); ++s) points.push_back(chart.Series(s).Points());
    }
    bool SamePoints(const ChartState& o) const {
        if (points.size() != o.points.size()) return false;
        for (std::size_t s = 0; s < points.size(); ++s) {
            if (points[s].size() != o.points[s].size()) return false;
            for (std::size_t i = 0; i < points[s].size(); ++i) {
                const ChartPoint &a = points[s][i], &b = o.points[s][i];
                if (a.x != b.x || a.y != b.y || !(a.colour == b.colour)) return false;
            }
        }
        return true;
    }
    bool operator==(const ChartState& o) const {
        return SameAxis(axes[0], o.axes[0]) && SameAxis(axes[1], o.axes[1]) && SamePoints(o);
    }
};

// The chart events, through the form's one door as the widget sends them.
template <typename F>
void Move(F& form, double x, double y) {
    form.Dispatch([&] { form.Chart1.OnMouseMove(x, y); });
}
template <typename F>
void DoubleClick(F& form) {
    form.Dispatch([&] { form.Chart1.OnDblClick(); });
}
template <typename F>
void AxisClick(F& form) {
    form.Dispatch([&] { form.Chart1.OnClickAxis(); });
}
template <typename F>
void Zoom(F& form) {
    form.Dispatch([&] { form.Chart1.ZoomTo(1.0, 2.0, 3.0, 4.0); });
}

// The readout, the rounding edge case and the locale, the same in every window; only
// the initial captions differ.
template <typename F>
void CheckReadout(F& form, const char* initialX, const char* initialY) {
    EXPECT_EQ(form.PositionX.Text(), initialX);
    EXPECT_EQ(form.PositionY.Text(), initialY);
    Move(form, 412.34567, 55.5612);
    EXPECT_EQ(form.PositionX.Text(), "X = 412.346");
    EXPECT_EQ(form.PositionY.Text(), "Y = 55.56");
    // 0.125 * 100 = 12.5 exactly: the half goes to the even neighbour, 12.
    Move(form, 0.0625, 0.125);
    EXPECT_EQ(form.PositionX.Text(), "X = 0.062");
    EXPECT_EQ(form.PositionY.Text(), "Y = 0.12");
    Move(form, -3.0625, 1e6);
    EXPECT_EQ(form.PositionX.Text(), "X = -3.062");
    EXPECT_EQ(form.PositionY.Text(), "Y = 1000000");
    SetDecimalSeparator(',');
    Move(form, 2.5, 0.75);
    SetDecimalSeparator('.');
    EXPECT_EQ(form.PositionX.Text(), "X = 2,5");
    EXPECT_EQ(form.PositionY.Text(), "Y = 0,75");
    Move(form, 1.5, 2.25);
    EXPECT_EQ(form.PositionX.Text(), "X = 1.5");
    EXPECT_EQ(form.PositionY.Text(), "Y = 2.25");
}

// ---- Thin Films window ----

class ThinFilmCharts : public ThinFilmWindowTest {
protected:
    void CalculateExample() {
        platform.openAnswers.push_back((kExamples / "thinfilm-transmission.txt").string());
        User([&] { form.import1.Click(); });
        platform.openAnswers.push_back((kExamples / "thinfilm-fringes.txt").string());
        User([&] { form.Import2.Click(); });
        Type(form.Const2, "1.52");
        Type(form.Wstart, "740");
        Type(form.Wend, "900");
        Type(form.natx, "800");
        Calculate();
        ASSERT_TRUE(platform.log.empty()) << platform.log.front();
        ASSERT_EQ(d.SpecCount, 801);
    }
    void Choose(RadioButton& button) { User([&] { button.Click(); }); }
    void Gap(const std::string& from, const std::string& to) {
        User([&] { form.Estart.SetText(from); });
        User([&] { form.Eend.SetText(to); });
        User([&] { form.CalculatEg.Click(); });
        ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    }
};

TEST_F(ThinFilmCharts, PointerReadout) { CheckReadout(form, "X =", "Y ="); }

TEST_F(ThinFilmCharts, DoubleClickOnTheTaucPlotBeforeAndAfterAGap) {
    CalculateExample();
    Choose(form.RadioButton3);
    ASSERT_EQ(d.GraphMode, 1);
    ASSERT_EQ(d.TaucLine[1], 0.0);
    Zoom(form);
    DoubleClick(form);
    // No current line: the whole curve, no green line, both axes automatic.
    EXPECT_EQ(form.Series1.Count(), 801);
    EXPECT_EQ(form.Series2.Count(), 0);
    EXPECT_TRUE(form.Chart1.LeftAxis().Automatic());
    EXPECT_TRUE(form.Chart1.BottomAxis().Automatic());

    Gap("2.5", "2.9");
    const int fitted = form.Series1.Count();
    ASSERT_GT(fitted, 1);
    ASSERT_LT(fitted, 801);
    ASSERT_EQ(form.Series1.Points()[0].colour, clRed);
    const std::string shownGap = form.EgOutput.Text();
    const std::string estart = form.Estart.Text();
    // The redraw shows Tauc as it is: a changed TaucDirect/TaucIndirect is not copied.
    const double tauc7 = d.Tauc[7];
    d.TaucIndirect[7] = tauc7 + 1.0;
    d.TaucDirect[7] = tauc7 + 1.0;

    Zoom(form);
    DoubleClick(form);
    EXPECT_EQ(d.GraphMode, 1);
    ASSERT_EQ(form.Series1.Count(), 801);
    ASSERT_EQ(form.Series2.Count(), 801);
    for (const ChartPoint& p : form.Series1.Points()) EXPECT_EQ(p.colour, clBlue);
    bool foundTauc7 = false;
    for (const ChartPoint& p : form.Series1.Points()) foundTauc7 |= p.x == d.TaucEnergy[7] && p.y == tauc7;
    EXPECT_TRUE(foundTauc7);
    // The green line over the whole energy range.
    for (const ChartPoint& p : form.Series2.Points()) {
        EXPECT_EQ(p.colour, clGreen);
        EXPECT_EQ(p.y, d.TaucLine[0] + d.TaucLine[1] * p.x);
    }
    EXPECT_FALSE(form.Chart1.LeftAxis().automaticMinimum);
    EXPECT_EQ(form.Chart1.LeftAxis().minimum, 0.0);
    EXPECT_TRUE(form.Chart1.LeftAxis().automaticMaximum);
    EXPECT_TRUE(form.Chart1.BottomAxis().Automatic());
    EXPECT_EQ(form.Chart1.BottomAxis().title, "Photon Energy, eV");
    EXPECT_EQ(form.Chart1.LeftAxis().title, "(ahv)**1/2");
    // The gap and its window are left alone.
    EXPECT_EQ(form.EgOutput.Text(), shownGap);
    EXPECT_EQ(form.Estart.Text(), estart);
    for (int s = 2; s < 5; ++s) EXPECT_EQ(form.Chart1.Series(s).Count(), 0);
}

TEST_F(ThinFilmCharts, AxisClickSwitchesOnlyTheAbsorptionGraph) {
    CalculateExample();
    // Every other graph, and no graph at all, ignores the axis click.
    for (RadioButton* graph : {&form.RadioButton1, &form.RadioButton4, &form.RadioButton3}) {
        Choose(*graph);
        Zoom(form);
        const ChartState before(form.Chart1);
        AxisClick(form);
        EXPECT_TRUE(ChartState(form.Chart1) == before) << graph->Name();
    }

    Choose(form.RadioButton2);
    ASSERT_GT(form.Series2.Count(), 0);
    AxisClick(form);
    EXPECT_TRUE(form.Chart1.LeftAxis().logarithmic);
    EXPECT_FALSE(form.Chart1.LeftAxis().automaticMinimum);
    EXPECT_EQ(form.Chart1.LeftAxis().minimum, 0.001);
    // A double click restores automatic scaling and keeps the logarithmic scale.
    const ChartState curve(form.Chart1);
    Zoom(form);
    DoubleClick(form);
    EXPECT_TRUE(form.Chart1.LeftAxis().logarithmic);
    EXPECT_TRUE(form.Chart1.LeftAxis().Automatic());
    EXPECT_TRUE(form.Chart1.BottomAxis().Automatic());
    EXPECT_TRUE(ChartState(form.Chart1).SamePoints(curve));

    // Two more clicks: linear, then logarithmic with the minimum fixed again; two
    // clicks from automatic give a linear axis that keeps the fixed minimum.
    AxisClick(form);
    EXPECT_FALSE(form.Chart1.LeftAxis().logarithmic);
    EXPECT_TRUE(form.Chart1.LeftAxis().Automatic());
    AxisClick(form);
    AxisClick(form);
    EXPECT_FALSE(form.Chart1.LeftAxis().logarithmic);
    EXPECT_FALSE(form.Chart1.LeftAxis().automaticMinimum);
    EXPECT_EQ(form.Chart1.LeftAxis().minimum, 0.001);
    DoubleClick(form);
    EXPECT_TRUE(form.Chart1.LeftAxis().Automatic());

    // The next graph is drawn on a linear axis again.
    AxisClick(form);
    Choose(form.RadioButton1);
    EXPECT_FALSE(form.Chart1.LeftAxis().logarithmic);
    EXPECT_TRUE(form.Chart1.LeftAxis().Automatic());
}

// ---- Bulk window ----

class BulkCharts : public BulkWindowTest {
protected:
    // A plate absorbing more and more towards short wavelengths (R 18 %, d 1 cm).
    void CalculateSample() {
        ImportT(WriteFile("t.txt", "700 60\r\n650 58\r\n600 55\r\n550 50\r\n500 40\r\n"
                                   "450 25\r\n420 12\r\n400 5\r\n"));
        Calculate();
        ASSERT_TRUE(platform.log.empty()) << platform.log.front();
        ASSERT_EQ(data->AbsCount, 8);
    }
    void Choose(RadioButton& button) {
        User([&] { button.Click(); });
    }
};

TEST_F(BulkCharts, PointerReadout) { CheckReadout(form, "X =", "Y ="); }

TEST_F(BulkCharts, DoubleClickOnTheTaucPlotBeforeAndAfterAGap) {
    CalculateSample();
    Choose(form.RadioButton3);
    ASSERT_EQ(data->TaucLine[1], 0.0);
    Zoom(form);
    DoubleClick(form);
    // No current line: the green line lies on the energy axis, under every point.
    ASSERT_EQ(form.Series1.Count(), 8);
    ASSERT_EQ(form.Series2.Count(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(form.Series2.XValue(i), form.Series1.XValue(i));
        EXPECT_EQ(form.Series2.YValue(i), 0.0);
        EXPECT_EQ(form.Series2.Points()[static_cast<std::size_t>(i)].colour, clGreen);
    }
    EXPECT_TRUE(form.Chart1.LeftAxis().Automatic());
    EXPECT_TRUE(form.Chart1.BottomAxis().Automatic());

    User([&] { form.Estart.SetText("2.7"); });
    User([&] { form.Eend.SetText("3.2"); });
    User([&] { form.CalculatEg.Click(); });
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    const int fitted = form.Series1.Count();
    ASSERT_GE(fitted, 2);
    ASSERT_LT(fitted, 8);
    ASSERT_NE(data->TaucLine[1], 0.0);

    Zoom(form);
    DoubleClick(form);
    EXPECT_EQ(data->GraphMode, 1);
    ASSERT_EQ(form.Series1.Count(), 8);
    ASSERT_EQ(form.Series2.Count(), 8);
    for (int i = 0; i < 8; ++i) {
        const ChartPoint& p = form.Series2.Points()[static_cast<std::size_t>(i)];
        EXPECT_EQ(p.y, data->TaucLine[0] + data->TaucLine[1] * p.x);
        EXPECT_EQ(form.Series1.Points()[static_cast<std::size_t>(i)].colour, clBlue);
    }
    EXPECT_FALSE(form.Chart1.LeftAxis().automaticMinimum);
    EXPECT_EQ(form.Chart1.LeftAxis().minimum, 0.0);
    EXPECT_TRUE(form.Chart1.BottomAxis().Automatic());
    EXPECT_EQ(form.Series3.Count(), 0);
}

TEST_F(BulkCharts, AxisClickSwitchesOnlyTheAbsorptionGraph) {
    CalculateSample();
    const ChartState empty(form.Chart1);
    AxisClick(form);
    EXPECT_TRUE(ChartState(form.Chart1) == empty);
    for (RadioButton* graph : {&form.RadioButton4, &form.RadioButton1, &form.RadioButton3}) {
        Choose(*graph);
        Zoom(form);
        const ChartState before(form.Chart1);
        AxisClick(form);
        EXPECT_TRUE(ChartState(form.Chart1) == before) << graph->Name();
    }

    Choose(form.RadioButton2);
    AxisClick(form);
    EXPECT_TRUE(form.Chart1.LeftAxis().logarithmic);
    EXPECT_EQ(form.Chart1.LeftAxis().minimum, 0.1);
    AxisClick(form);
    EXPECT_FALSE(form.Chart1.LeftAxis().logarithmic);
    EXPECT_FALSE(form.Chart1.LeftAxis().automaticMinimum);
    EXPECT_EQ(form.Chart1.LeftAxis().minimum, 0.1);
    // On the absorption graph the double click only restores automatic scaling.
    const ChartState curve(form.Chart1);
    DoubleClick(form);
    EXPECT_TRUE(form.Chart1.LeftAxis().Automatic());
    EXPECT_TRUE(ChartState(form.Chart1).SamePoints(curve));
    EXPECT_EQ(data->GraphMode, 0);
}

// ---- Minima window ----

TEST_F(ThinFilmWindowTest, MinimaWindowReadoutAndDoubleClick) {
    TForm4 minima(platform, d);
    CheckReadout(minima, "X = ", "Y = ");
    minima.Dispatch([&] {
        minima.Series1.AddXY(500.0, 40.0, clRed);
        minima.Series1.AddXY(600.0, 80.0, clRed);
        minima.Series2.AddXY(550.0, 60.0, clGreen);
        minima.Chart1.LeftAxis().logarithmic = true;
    });
    Zoom(minima);
    const ChartState zoomed(minima.Chart1);
    DoubleClick(minima);
    EXPECT_TRUE(minima.Chart1.LeftAxis().Automatic());
    EXPECT_TRUE(minima.Chart1.BottomAxis().Automatic());
    EXPECT_TRUE(minima.Chart1.LeftAxis().logarithmic);
    EXPECT_TRUE(ChartState(minima.Chart1).SamePoints(zoomed));
    EXPECT_EQ(d.ExtCount, 0);
    EXPECT_TRUE(platform.log.empty());
}

}  // namespace
}  // namespace optc::testing
