// The refractive-index, transmission and absorption graphs of the Thin Films window,
// driven through the window's radio buttons as a user would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "support/SourceTree.h"
#include "thinfilm/ThinFilmFixture.h"

namespace optc::testing {
namespace {

int CountColour(const ChartSeries& s, Color c) {
    return static_cast<int>(std::count_if(s.Points().begin(), s.Points().end(),
                                          [c](const ChartPoint& p) { return p.colour == c; }));
}

// The series' points as (x, y) pairs, in the chart's order.
Points PointsOf(const ChartSeries& s) {
    Points out;
    for (const ChartPoint& p : s.Points()) out.emplace_back(p.x, p.y);
    return out;
}

// Workspace pairs 1..count sorted by x, stable: what a chart series must hold.
Points Sorted(const SpectrumArray& x, const SpectrumArray& y, int count) {
    Points out;
    for (int i = 1; i <= count; ++i) out.emplace_back(x[i], y[i]);
    std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return out;
}

class GraphsTest : public ThinFilmWindowTest {
protected:
    // The example film (nS = 1.52) with the n range [from, to] and natx inside it.
    void CalculateExample(const std::string& from, const std::string& to, const std::string& nat) {
        platform.openAnswers.push_back((kExamples / "thinfilm-transmission.txt").string());
        User([&] { form.import1.Click(); });
        platform.openAnswers.push_back((kExamples / "thinfilm-fringes.txt").string());
        User([&] { form.Import2.Click(); });
        ASSERT_EQ(d.SpecCount, 801);
        ASSERT_EQ(d.ExtCount, 18);
        Type(form.Const2, "1.52");
        Type(form.Wstart, from);
        Type(form.Wend, to);
        Type(form.natx, nat);
        Calculate();
        ASSERT_TRUE(platform.messages.empty()) << LastMessage();
        ASSERT_TRUE(platform.errors.empty()) << LastError();
        ASSERT_GT(d.DispCount, 1);
    }
    void Choose(RadioButton& button) { User([&] { button.Click(); }); }

    ChartSeries& S(int i) { return form.Chart1.Series(i); }
};

TEST_F(GraphsTest, RefractiveIndexWithFiveExtremaInRangeShowsFourWhiteMidpoints) {
    CalculateExample("740", "900", "800");
    ASSERT_EQ(d.RangeCount, 5);
    ASSERT_EQ(d.FitCount, 9);
    Choose(form.RadioButton1);

    EXPECT_EQ(form.Chart1.BottomAxis().title, "WaveLengths, nm");
    EXPECT_EQ(form.Chart1.LeftAxis().title, "n");
    EXPECT_EQ(S(0).Count(), 18 + 4);
    EXPECT_EQ(CountColour(S(0), clGreen), 18);
    EXPECT_EQ(CountColour(S(0), clWhite), 4);
    // Each midpoint lies between two neighbouring extrema of the range, in nm.
    std::vector<double> white;
    for (const ChartPoint& p : S(0).Points())
        if (p.colour == clWhite) white.push_back(p.x);
    const std::vector<double> range = {751.07, 782.22, 816.37, 853.72, 894.98};
    for (std::size_t k = 0; k < white.size(); ++k) {
        EXPECT_GT(white[k], range[k]);
        EXPECT_LT(white[k], range[k + 1]);
        EXPECT_DOUBLE_EQ(white[k], 1.0 / std::sqrt(d.FitInvLambdaSq[static_cast<int>(2 * (4 - k))]))
            << "midpoints are taken back from 1/lambda^2";
    }
    // The n(lambda) curve: every grid point, in red, on the line series.
    EXPECT_EQ(PointsOf(S(1)), Sorted(d.DispLambda, d.DispRefraction, d.DispCount - 1));
    EXPECT_EQ(CountColour(S(1), clRed), d.DispCount - 1);
    for (int i = 2; i <= 4; ++i) EXPECT_EQ(S(i).Count(), 0);
    EXPECT_EQ(d.GraphMode, 0);
}

TEST_F(GraphsTest, RefractiveIndexWithEightExtremaInRangeShowsNoMidpoint) {
    CalculateExample("700", "1000", "800");
    ASSERT_EQ(d.RangeCount, 8);
    Choose(form.RadioButton1);
    EXPECT_EQ(CountColour(S(0), clWhite), 0);
    EXPECT_EQ(CountColour(S(0), clGreen), 18);
    EXPECT_EQ(PointsOf(S(0)), Sorted(d.LambdaExp, d.RefractionExp, d.ExtCount));
}

TEST_F(GraphsTest, TransmissionShowsSpectrumEnvelopesAndFringesFreeCurve) {
    CalculateExample("740", "900", "800");
    Choose(form.RadioButton4);
    EXPECT_EQ(form.Chart1.BottomAxis().title, "Wavelengths, nm");
    EXPECT_EQ(form.Chart1.LeftAxis().title, "T , %");
    EXPECT_EQ(S(0).Count(), 0);
    EXPECT_EQ(PointsOf(S(1)), Sorted(d.SpecLambda, d.SpecTrans, d.SpecCount));
    EXPECT_EQ(CountColour(S(1), clRed), 801);
    EXPECT_EQ(PointsOf(S(2)), Sorted(d.EnvMaxLambda, d.EnvMaxTrans, d.ExtCount));
    EXPECT_EQ(CountColour(S(2), clGreen), 18);
    EXPECT_EQ(PointsOf(S(3)), Sorted(d.EnvMinLambda, d.EnvMinTrans, d.ExtCount));
    EXPECT_EQ(CountColour(S(3), clBlue), 18);
    EXPECT_EQ(PointsOf(S(4)), Sorted(d.FreeLambda, d.FreeTrans, d.SpecCount));
    EXPECT_EQ(CountColour(S(4), clBlack), 801);
    // The upper envelope lies above the lower one at every extremum.
    for (int i = 0; i < 18; ++i) EXPECT_GT(S(2).YValue(i), S(3).YValue(i));
}

TEST_F(GraphsTest, TransmissionWithoutFringesFreeBoxHasNoBlackCurve) {
    CalculateExample("740", "900", "800");  // calculated with the box checked
    User([&] { form.FrFTr.Click(); });
    ASSERT_FALSE(form.FrFTr.Checked());
    Choose(form.RadioButton4);
    EXPECT_EQ(S(4).Count(), 0);
    EXPECT_EQ(S(1).Count(), 801);
    EXPECT_EQ(S(2).Count(), 18);
}

TEST_F(GraphsTest, AbsorptionOnALinearAxisAfterTheLogarithmicAxisOfAnAxisClick) {
    CalculateExample("740", "900", "800");
    form.Chart1.LeftAxis().logarithmic = true;
    form.Chart1.LeftAxis().SetFixedMinimum(0.001);
    form.Chart1.BottomAxis().SetFixedMinimum(2.0);
    Choose(form.RadioButton2);
    EXPECT_EQ(form.Chart1.BottomAxis().title, "Photon Energy, eV");
    EXPECT_EQ(form.Chart1.LeftAxis().title, "a, cm-1");
    EXPECT_FALSE(form.Chart1.LeftAxis().logarithmic);
    EXPECT_TRUE(form.Chart1.LeftAxis().Automatic());
    EXPECT_TRUE(form.Chart1.BottomAxis().Automatic());
    EXPECT_EQ(PointsOf(S(1)), Sorted(d.AbsEnergy, d.Absorption, d.SpecCount));
    EXPECT_EQ(CountColour(S(1), clBlue), 801);
    EXPECT_EQ(S(0).Count() + S(2).Count() + S(3).Count() + S(4).Count(), 0);
}

TEST_F(GraphsTest, EachGraphReplacesThePreviousOneAndEndsTheTaucMode) {
    CalculateExample("740", "900", "800");
    Choose(form.RadioButton4);
    d.GraphMode = 1;
    form.Chart1.ZoomTo(600, 700, 10, 20);
    Choose(form.RadioButton1);
    EXPECT_EQ(d.GraphMode, 0);
    EXPECT_TRUE(form.Chart1.LeftAxis().Automatic());
    EXPECT_TRUE(form.Chart1.BottomAxis().Automatic());
    EXPECT_EQ(S(2).Count() + S(3).Count() + S(4).Count(), 0) << "envelopes of the transmission graph stayed";
    EXPECT_FALSE(form.RadioButton4.Checked());

    // Clicking the checked button again draws nothing: the chart is left as it is.
    S(1).Clear();
    Choose(form.RadioButton1);
    EXPECT_EQ(S(1).Count(), 0);
}

TEST_F(GraphsTest, AfterImportTheGraphsDrawTheClearedWorkspace) {
    CalculateExample("740", "900", "800");
    const int extCount = d.ExtCount;
    platform.openAnswers.push_back((kExamples / "thinfilm-transmission.txt").string());
    User([&] { form.import1.Click(); });

    Choose(form.RadioButton2);  // SpecCount points at the origin
    EXPECT_EQ(S(1).Count(), 801);
    EXPECT_EQ(CountColour(S(1), clBlue), 801);
    for (const ChartPoint& p : S(1).Points()) EXPECT_TRUE(p.x == 0.0 && p.y == 0.0);

    Choose(form.RadioButton4);  // envelopes of the last calculation, black points at 0
    EXPECT_EQ(S(2).Count(), extCount);
    EXPECT_NE(S(2).YValue(0), 0.0);
    EXPECT_EQ(S(4).Count(), 801);
    EXPECT_EQ(S(4).XValue(800), 0.0);
}

TEST_F(GraphsTest, RefractiveIndexAfterImportStopsAtTheFirstMidpointWithTheErrorBox) {
    CalculateExample("740", "900", "800");
    platform.openAnswers.push_back((kExamples / "thinfilm-transmission.txt").string());
    User([&] { form.import1.Click(); });
    ASSERT_TRUE(platform.errors.empty());

    Choose(form.RadioButton1);
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(LastError(), "Floating point division by zero");
    // The green markers (at the origin now) stay; no midpoint and no curve follow.
    EXPECT_EQ(S(0).Count(), 18);
    EXPECT_EQ(CountColour(S(0), clGreen), 18);
    EXPECT_EQ(S(0).XValue(17), 0.0);
    EXPECT_EQ(S(1).Count(), 0);
    EXPECT_TRUE(form.RadioButton1.Checked());
}

TEST_F(GraphsTest, NegativeFitAbscissaIsAnInvalidOperationNotANaNMarker) {
    d.FitCount = 3;
    d.RangeCount = 2;
    d.FitInvLambdaSq[2] = -1e-6;
    Choose(form.RadioButton1);
    EXPECT_EQ(LastError(), "Invalid floating point operation");
    EXPECT_EQ(S(0).Count(), 0);
}

}  // namespace
}  // namespace optc::testing
