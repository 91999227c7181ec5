// The Tauc plot driven through small thin-film and bulk windows.
#include <gtest/gtest.h>

#include <vector>

#include "FakeWindow.h"

namespace optc {
namespace {

using test::FakeWindow;

const char* const kReversed =
    "Unable to calculate Eg! The minimum value is greater than maximum one! Please, check them";
const char* const kTooFew =
    "Unable to calculate Eg! There is not enouph points for tangent line! Please, increase eV region";

// 2.0 .. 3.0 eV: flat at 0.05 below 2.45 eV, a straight edge meeting the axis at
// 2.41234 eV above it.
const std::vector<double> kEnergy{2.0, 2.1, 2.2, 2.3, 2.4, 2.5, 2.6, 2.7, 2.8, 2.9, 3.0};
std::vector<double> EdgeOrdinates() {
    std::vector<double> y;
    for (double e : kEnergy) y.push_back(e < 2.45 ? 0.05 : 4.0 * (e - 2.41234));
    return y;
}

// The gap of the least-squares line through the edge points from `first` to `last`.
double ExpectedGap(int first, int last) {
    const std::vector<double> y = EdgeOrdinates();
    double sx = 0, sy = 0;
    const int n = last - first + 1;
    for (int i = first; i <= last; ++i) sx += kEnergy[i], sy += y[i];
    double sxy = 0, sxx = 0;
    for (int i = first; i <= last; ++i) {
        sxy += (kEnergy[i] - sx / n) * (y[i] - sy / n);
        sxx += (kEnergy[i] - sx / n) * (kEnergy[i] - sx / n);
    }
    const double slope = sxy / sxx;
    return -(sy / n - slope * sx / n) / slope;
}

bool AllZero(const CoefVector& c) {
    for (double v : c)
        if (v != 0.0) return false;
    return true;
}

TEST(TaucView, ViewThenGapOnAStraightEdge) {
    FakeWindow w(TaucRules::ThinFilm());
    w.Load(kEnergy, EdgeOrdinates());
    w.ClickTauc();
    EXPECT_EQ(w.ws->GraphMode, 1);
    EXPECT_EQ(w.Points(0), 11);
    EXPECT_EQ(w.Points(1), 0);
    EXPECT_EQ(w.Chart1.Series(0).Points()[0].colour, clBlue);
    EXPECT_EQ(w.Chart1.LeftAxis().title, "(ahv)**1/2");
    EXPECT_EQ(w.Chart1.BottomAxis().title, "Photon Energy, eV");
    // No gap shown: the edits take the end points.
    EXPECT_EQ(w.Estart.Text(), "2");
    EXPECT_EQ(w.Eend.Text(), "3");
    EXPECT_EQ(w.Ytauc1.Text(), "0.05");
    EXPECT_EQ(w.Ytauc2.Text(), FloatToStr(EdgeOrdinates().back()));

    w.SetBounds("2.45", "3.05");
    w.ClickGap();
    EXPECT_TRUE(w.platform.log.empty());
    EXPECT_NEAR(w.ws->Eg, 2.41234, 1e-9);
    EXPECT_NEAR(w.ws->Eg, ExpectedGap(5, 10), 1e-12);
    EXPECT_EQ(w.EgOutput.Text(), "2.4123");
    EXPECT_EQ(w.Points(0), 6);
    EXPECT_EQ(w.Points(1), 6);
    EXPECT_EQ(w.Chart1.Series(0).Points()[0].colour, clRed);
    EXPECT_EQ(w.Chart1.Series(1).Points()[0].colour, clGreen);
    EXPECT_NEAR(w.Chart1.Series(1).YValue(0), EdgeOrdinates()[5], 1e-12);
}

TEST(TaucGap, BoundsOnAPointAreExcludedInThinFilmAndIncludedInBulk) {
    for (bool bulk : {false, true}) {
        FakeWindow w(bulk ? TaucRules::Bulk() : TaucRules::ThinFilm());
        w.Load(kEnergy, EdgeOrdinates());
        w.ClickTauc();
        w.SetBounds("2.5", "3");
        w.ClickGap();
        EXPECT_TRUE(w.platform.log.empty());
        EXPECT_EQ(w.Points(0), bulk ? 6 : 4);
        EXPECT_EQ(w.ws->EgEnergy[1], bulk ? 2.5 : 2.6);
        EXPECT_NEAR(w.ws->Eg, bulk ? ExpectedGap(5, 10) : ExpectedGap(6, 9), 1e-12);
        // A single energy: the bulk window selects that one point, thin film none.
        w.SetBounds("2.7", "2.7");
        w.ClickGap();
        EXPECT_EQ(w.platform.messages, std::vector<std::string>{kTooFew});
        EXPECT_EQ(w.ws->EgEnergy[1], bulk ? 2.7 : 2.6);
    }
}

TEST(TaucGap, FailuresLeaveTheClearedChartAndKeepTheGap) {
    FakeWindow w(TaucRules::ThinFilm());
    w.Load(kEnergy, EdgeOrdinates());
    w.ClickTauc();
    w.Ytauc1.SetText("0.5");
    w.Ytauc2.SetText("7");
    w.SetBounds("3", "2.5");
    w.ws->Eg = 1.5;
    w.EgOutput.SetText("1.5");
    w.ClickGap();
    EXPECT_EQ(w.platform.messages, std::vector<std::string>{kReversed});
    EXPECT_TRUE(w.ChartEmpty());
    EXPECT_EQ(w.Chart1.LeftAxis().title, "(ahv)**1/2");
    EXPECT_TRUE(AllZero(w.ws->TaucLine));
    EXPECT_EQ(w.ws->GraphMode, 1);
    EXPECT_EQ(w.ws->Eg, 1.5);
    EXPECT_EQ(w.EgOutput.Text(), "1.5");
    EXPECT_EQ(w.ws->EgEStart, 3.0);
    EXPECT_EQ(w.ws->EgEEnd, 2.5);
    EXPECT_EQ(w.ws->EgYStart, 0.5);
    EXPECT_EQ(w.ws->EgYEnd, 7.0);

    // One point inside: it is selected, then the fit is refused.
    w.SetBounds("2.55", "2.65");
    w.EgOutput.SetText("1.5");
    w.ClickGap();
    EXPECT_EQ(w.platform.messages.back(), kTooFew);
    EXPECT_EQ(w.ws->EgEnergy[1], 2.6);
    EXPECT_EQ(w.ws->EgTauc[1], EdgeOrdinates()[6]);
    EXPECT_TRUE(w.ChartEmpty());
    EXPECT_EQ(w.ws->Eg, 1.5);
    EXPECT_EQ(w.EgOutput.Text(), "1.5");

    // A bound that is not a number ends the calculation after the bounds before it.
    w.SetBounds("2.45", "abc");
    w.ClickGap();
    EXPECT_EQ(w.platform.errors, std::vector<std::string>{"'abc' is not a valid floating point value"});
    EXPECT_EQ(w.ws->EgEStart, 2.45);
    EXPECT_TRUE(w.ChartEmpty());
}

TEST(TaucGap, FlatLineRaisesDivisionByZeroAndKeepsTheGap) {
    FakeWindow w(TaucRules::Bulk());
    // Binary-exact energies and equal ordinates: the fitted slope is exactly 0.
    w.Load({2.5, 2.75, 3.0}, {2.0, 2.0, 2.0});
    w.ClickTauc();
    w.SetBounds("2.5", "3");
    w.ws->Eg = 1.5;
    w.EgOutput.SetText("1.5");
    w.ClickGap();
    EXPECT_EQ(w.platform.errors, std::vector<std::string>{"Floating point division by zero"});
    EXPECT_EQ(w.ws->Eg, 1.5);
    EXPECT_EQ(w.EgOutput.Text(), "1.5");
    EXPECT_TRUE(w.ChartEmpty());
    EXPECT_EQ(w.ws->TaucLine[0], 2.0);
    EXPECT_EQ(w.ws->TaucLine[1], 0.0);
}

TEST(TaucGap, ALineThatGivesNoPositiveGapIsRefusedAndForgotten) {
    // Binary-exact energies: 1 + E meets the axis at -1 eV; 2E - 0.00001 just above 0,
    // which shows as 0.
    for (const TaucRules& rules : {TaucRules::ThinFilm(), TaucRules::Bulk()}) {
        for (const std::vector<double>& ordinates :
             {std::vector<double>{3.5, 3.75, 4.0}, std::vector<double>{4.99999, 5.49999, 5.99999}}) {
            FakeWindow w(rules);
            w.Load({2.5, 2.75, 3.0}, ordinates);
            w.ClickTauc();
            w.SetBounds("2.4", "3.1");
            w.ws->Eg = 1.5;
            w.EgOutput.SetText("1.5");
            w.ClickGap();
            EXPECT_EQ(w.platform.messages, std::vector<std::string>{"The fitted line gives no positive optical gap: "
                                                                    "choose another energy range."});
            EXPECT_TRUE(w.platform.errors.empty());
            EXPECT_TRUE(AllZero(w.ws->TaucLine));  // no line is current
            EXPECT_EQ(w.ws->Eg, 1.5);
            EXPECT_EQ(w.EgOutput.Text(), "1.5");
            EXPECT_TRUE(w.ChartEmpty());
        }
    }
}

TEST(TaucGap, FromAnotherGraphSwitchesToTheViewAndFitsTheWholeCurve) {
    FakeWindow w(TaucRules::ThinFilm());
    w.Load(kEnergy, EdgeOrdinates());
    w.ClickOtherGraph();
    w.SetBounds("2.45", "3.05");
    w.ClickGap();
    EXPECT_TRUE(w.RadioButton3.Checked());
    EXPECT_FALSE(w.RadioButton1.Checked());
    EXPECT_EQ(w.Estart.Text(), "2");
    EXPECT_EQ(w.Eend.Text(), "3");
    EXPECT_EQ(w.Points(0), 9);  // the end points lie on the strict bounds
}

TEST(TaucView, EdgesAreFilledOnlyWhileNoGapIsShown) {
    FakeWindow w(TaucRules::ThinFilm());
    w.Load(kEnergy, EdgeOrdinates());
    w.ClickTauc();
    w.SetBounds("2.45", "3.05");
    w.ClickGap();
    w.ClickOtherGraph();
    w.ClickTauc();
    EXPECT_EQ(w.Estart.Text(), "2.45");
    EXPECT_EQ(w.Eend.Text(), "3.05");
    EXPECT_EQ(w.EgOutput.Text(), "2.4123");
    // The line stays current and is drawn over the whole range, the axis from 0.
    EXPECT_EQ(w.Points(0), 11);
    EXPECT_EQ(w.Points(1), 11);
    EXPECT_FALSE(w.Chart1.LeftAxis().automaticMinimum);
    EXPECT_EQ(w.Chart1.LeftAxis().minimum, 0.0);

    // A thin-film calculation keeps the line but clears the gap: the next view draws
    // the line once, then refilling the edits forgets it.
    w.Load(kEnergy, EdgeOrdinates());
    w.ClickTauc();
    EXPECT_EQ(w.Points(1), 11);
    EXPECT_TRUE(AllZero(w.ws->TaucLine));
    EXPECT_EQ(w.Estart.Text(), "2");
    EXPECT_EQ(w.ws->EgEStart, 2.0);
    EXPECT_EQ(w.ws->EgYEnd, EdgeOrdinates().back());
}

TEST(TaucView, WhichCoefficientMakesALineCurrent) {
    for (bool bulk : {false, true})
        for (CoefVector line : {CoefVector{5.0, 0.0}, CoefVector{0.0, 2.0}}) {
            FakeWindow w(bulk ? TaucRules::Bulk() : TaucRules::ThinFilm());
            w.Load(kEnergy, EdgeOrdinates());
            w.EgOutput.SetText("2");
            w.ws->TaucLine = line;
            w.ClickTauc();
            const bool drawn = bulk ? line[0] != 0.0 : line[1] != 0.0;
            EXPECT_EQ(w.Points(1), drawn ? 11 : 0) << bulk << line[0];
            EXPECT_EQ(w.Chart1.LeftAxis().automaticMinimum, !drawn);
        }
}

TEST(TaucView, ReversedEndPointsAndTinyCurves) {
    FakeWindow w(TaucRules::Bulk());
    // Energies falling, ordinates rising with the index: each pair is swapped.
    w.Load({3.0, 2.5}, {1.0, 4.0});
    w.ClickTauc();
    EXPECT_EQ(w.Estart.Text(), "2.5");
    EXPECT_EQ(w.Eend.Text(), "3");
    EXPECT_EQ(w.Ytauc1.Text(), "1");
    EXPECT_EQ(w.Ytauc2.Text(), "4");

    w.Load({2.7}, {1.0});
    w.ClickTauc();
    EXPECT_EQ(w.Estart.Text(), "2.7");
    EXPECT_EQ(w.Eend.Text(), "2.7");
    w.ClickGap();
    EXPECT_EQ(w.platform.messages, std::vector<std::string>{kTooFew});

    FakeWindow empty(TaucRules::ThinFilm());
    empty.Load({}, {});
    empty.Chart1.Series(4).AddXY(1, 1, clBlack);
    empty.ClickTauc();
    EXPECT_TRUE(empty.ChartEmpty());
    for (Edit* e : {&empty.Estart, &empty.Eend, &empty.Ytauc1, &empty.Ytauc2}) EXPECT_EQ(e->Text(), "1");
}

// Energies 2.3531 .. 2.2531 eV falling with the index, ordinates 7.5 .. 1.5.
struct TypingTest : ::testing::Test {
    FakeWindow w{TaucRules::ThinFilm()};
    void SetUp() override {
        w.Load({2.3531, 2.3431, 2.3031, 2.2931, 2.2631, 2.2589, 2.2531}, {7.5, 6.5, 5.5, 4.5, 3.5, 2.5, 1.5}, 1);
        w.ClickTauc();
        // Start from edits and bounds that no search result equals.
        for (Edit* e : {&w.Estart, &w.Eend, &w.Ytauc1, &w.Ytauc2}) e->SetText("0");
        w.ws->EgEStart = w.ws->EgEEnd = w.ws->EgYStart = w.ws->EgYEnd = 0.0;
    }
};

TEST_F(TypingTest, TypedEnergyPicksTheFirstPointOfItsHundredth) {
    w.Type(w.Estart, "2.25");  // searched from the low-energy end
    EXPECT_EQ(w.Ytauc1.Text(), "1.5");
    EXPECT_EQ(w.ws->EgYStart, 1.5);
    EXPECT_EQ(w.ws->EgEStart, 2.25);
    EXPECT_EQ(w.Estart.Text(), "2.25");
    w.Type(w.Estart, "2.3");
    EXPECT_EQ(w.Ytauc1.Text(), "4.5");
    w.Type(w.Eend, "2.35");
    EXPECT_EQ(w.Ytauc2.Text(), "7.5");
    EXPECT_EQ(w.ws->EgYEnd, 7.5);

    w.ws->SpecAscending = 0;  // searched from index 1: 2.2589 comes first
    w.Type(w.Estart, "2.25");
    EXPECT_EQ(w.Ytauc1.Text(), "2.5");
}

TEST_F(TypingTest, TypedOrdinateSetsTheEnergyBound) {
    w.Type(w.Ytauc2, "3");  // every ordinate lies in the first ten
    EXPECT_EQ(w.Eend.Text(), "2.2531");
    EXPECT_EQ(w.ws->EgEEnd, 2.2531);
    EXPECT_EQ(w.ws->EgYEnd, 3.0);
    w.Type(w.Ytauc1, "12");  // no point matches: Estart keeps its bound and text
    EXPECT_EQ(w.Estart.Text(), "0");
    EXPECT_EQ(w.ws->EgEStart, 0.0);
    EXPECT_EQ(w.ws->EgYStart, 12.0);
}

TEST_F(TypingTest, ChangesClearTheGapAndOnlyTypingSearches) {
    w.SetBounds("2.25", "2.36");
    w.ClickGap();
    ASSERT_FALSE(w.EgOutput.Text().empty());
    w.Eend.SetText("2.3");  // from code: nothing searched
    EXPECT_EQ(w.EgOutput.Text(), "");
    EXPECT_TRUE(AllZero(w.ws->TaucLine));
    EXPECT_EQ(w.Ytauc2.Text(), "0");
    EXPECT_EQ(w.ws->EgEEnd, 2.36);

    w.Type(w.Estart, "-");
    EXPECT_EQ(w.platform.errors, std::vector<std::string>{"'-' is not a valid floating point value"});
    w.Type(w.Estart, "");
    EXPECT_EQ(w.platform.errors.size(), 1u);

    SetDecimalSeparator(',');
    w.Type(w.Estart, "2,29");
    EXPECT_EQ(w.Ytauc1.Text(), "4,5");
    SetDecimalSeparator('.');
}

TEST(TaucBulkTyping, OrdinateBandsPickTheirPoints) {
    FakeWindow w(TaucRules::Bulk());
    const std::vector<double> e{2.01, 2.02, 2.03, 2.04, 2.05, 2.06, 2.07, 2.08, 2.09};
    w.Load(e, {5.61, 5.53, 58.1, 57.9, 581, 575, 10.5, 10.05, 9.99});
    w.ClickTauc();
    const struct {
        const char* typed;
        int point;
    } ytauc1[] = {{"5.57", 2}, {"57.3", 4}, {"573", 6}, {"10", 8}};
    for (auto c : ytauc1) {
        w.Type(w.Ytauc1, c.typed);
        EXPECT_EQ(w.ws->EgEStart, e[c.point - 1]) << c.typed;
    }
    w.Type(w.Ytauc2, "10");  // the tens band: 10.5 is the first from 10 to 20
    EXPECT_EQ(w.ws->EgEEnd, 2.07);
    EXPECT_EQ(w.Eend.Text(), "2.07");
}

TEST(TaucDirect, ToggleEmptiesTheChartAndTheNextViewShowsTheOtherOrdinate) {
    FakeWindow w(TaucRules::ThinFilm());
    w.Load(kEnergy, EdgeOrdinates());
    w.ClickTauc();
    w.SetBounds("2.45", "3.05");
    w.ClickGap();
    w.Run([&] { w.Direct.Click(); });
    EXPECT_FALSE(w.RadioButton3.Checked());
    EXPECT_TRUE(w.ChartEmpty());
    EXPECT_EQ(w.EgOutput.Text(), "");
    EXPECT_TRUE(AllZero(w.ws->TaucLine));
    EXPECT_EQ(w.ws->GraphMode, 0);

    w.ClickTauc();
    EXPECT_EQ(w.Chart1.LeftAxis().title, "(ahv)**2");
    EXPECT_EQ(w.ws->Tauc[11], w.ws->TaucDirect[11]);
    EXPECT_EQ(w.Chart1.Series(0).YValue(10), w.ws->TaucDirect[11]);
    w.Run([&] { w.Direct.Click(); });
    w.ClickTauc();
    EXPECT_EQ(w.Chart1.LeftAxis().title, "(ahv)**1/2");
    EXPECT_EQ(w.ws->Tauc[11], w.ws->TaucIndirect[11]);
}

TEST(TaucDoubleClick, RedrawsTheWholeCurveWithTheLine) {
    FakeWindow w(TaucRules::ThinFilm());
    w.Load(kEnergy, EdgeOrdinates());
    w.ClickTauc();
    w.SetBounds("2.45", "3.05");
    w.ClickGap();
    w.Chart1.ZoomTo(2.5, 2.6, 0, 1);
    w.DoubleClick();
    EXPECT_EQ(w.Points(0), 11);
    EXPECT_EQ(w.Chart1.Series(0).Points()[0].colour, clBlue);
    EXPECT_EQ(w.Points(1), 11);
    EXPECT_NEAR(w.Chart1.Series(1).YValue(0), 4.0 * (2.0 - 2.41234), 1e-9);
    EXPECT_FALSE(w.Chart1.LeftAxis().automaticMinimum);
    EXPECT_TRUE(w.Chart1.LeftAxis().automaticMaximum);
    EXPECT_TRUE(w.Chart1.BottomAxis().Automatic());
    EXPECT_EQ(w.Estart.Text(), "2.45");
    EXPECT_EQ(w.ws->GraphMode, 1);
}

TEST(TaucDoubleClick, WithoutALineOnlyTheBulkWindowDrawsTheZeroLine) {
    for (bool bulk : {false, true}) {
        FakeWindow w(bulk ? TaucRules::Bulk() : TaucRules::ThinFilm());
        w.Load(kEnergy, EdgeOrdinates());
        w.ClickTauc();
        w.DoubleClick();
        EXPECT_EQ(w.Points(0), 11);
        EXPECT_EQ(w.Points(1), bulk ? 11 : 0);
        if (bulk) {
            EXPECT_EQ(w.Chart1.Series(1).YValue(5), 0.0);
        }
        EXPECT_TRUE(w.Chart1.LeftAxis().Automatic());

        // On another graph it only restores automatic scaling.
        w.ClickOtherGraph();
        w.Chart1.Series(0).Clear();
        w.Chart1.ZoomTo(2.5, 2.6, 0, 1);
        w.DoubleClick();
        EXPECT_EQ(w.Points(0), 0);
        EXPECT_TRUE(w.Chart1.LeftAxis().Automatic());
        EXPECT_TRUE(w.Chart1.BottomAxis().Automatic());
    }
}

}  // namespace
}  // namespace optc
