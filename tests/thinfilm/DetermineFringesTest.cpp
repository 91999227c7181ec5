// Determine Fringes with the minima window shown by a scripted platform: the user's
// clicks are chart events at pointer positions in axis units, as the chart widget
// delivers them.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/SourceTree.h"
#include "thinfilm/window/Main_4.h"
#include "thinfilm/ThinFilmFixture.h"

namespace optc::testing {
namespace {

// A fringed transmission spectrum from 900 down to 400 nm, 1 nm apart.
Points FringedSpectrum() {
    Points points;
    for (int w = 900; w >= 400; --w) points.emplace_back(w, 70.0 + 15.0 * std::sin(w / 12.0));
    return points;
}

class DetermineFringesTest : public ThinFilmWindowTest {
protected:
    DetermineFringesTest() {
        form.SetMinimaForm(minima);
        // The mark under the pointer, as the chart widget would find it: within half a
        // nanometre and half a percent, the nearest one.
        minima.Chart1.cursorIndexHook = [this](int series) {
            const ChartSeries& s = minima.Chart1.Series(series);
            int best = -1;
            double bestDistance = 0.0;
            for (int i = 0; i < s.Count(); ++i) {
                const double dx = std::abs(s.XValue(i) - pointerX), dy = std::abs(s.YValue(i) - pointerY);
                if (dx > 0.5 || dy > 0.5) continue;
                if (best < 0 || dx + dy < bestDistance) {
                    best = i;
                    bestDistance = dx + dy;
                }
            }
            return best;
        };
    }

    // Presses a mouse button with the pointer at (x, y) on the curve or on a mark.
    void Press(MouseButton button, double x, double y) {
        pointerX = x;
        pointerY = y;
        const int series = minima.Chart1.GetCursorValueIndex(1) >= 0 ? 1 : 0;
        minima.Dispatch([&] { minima.Chart1.OnClickSeries(series, button, x, y); });
    }

    // Presses Determine Fringes; `marking` is what the user does in the minima window
    // before closing it with Ok.
    void Determine(const std::function<void()>& marking = [] {}) { DetermineClosingWith(minima.BitBtn1, marking); }
    void DetermineClosingWith(Button& close, const std::function<void()>& marking) {
        platform.modalScripts.push_back([this, marking, &close](Form& shown) {
            ASSERT_EQ(&shown, &minima);
            marking();
            minima.Dispatch([&] { close.Click(); });
        });
        User([&] { form.Button2.Click(); });
    }

    TForm4 minima{platform, d};
    double pointerX = 0.0;
    double pointerY = 0.0;
};

TEST_F(DetermineFringesTest, MarksComeBackLongestFirstWithTheProposedRange) {
    ImportSpectrum(FringedSpectrum());
    int countWhileOpen = -1;
    Determine([&] {
        Press(MouseButton::Left, 812.3456, 84.567);
        Press(MouseButton::Left, 640.2, 56.004);
        Press(MouseButton::Left, 701.05, 80.0);
        countWhileOpen = d.ExtCount;
        // Each mark is rounded to 0.001 nm and 0.01 % and held in ascending wavelength.
        ASSERT_EQ(minima.Series2.Count(), 3);
        EXPECT_EQ(minima.Series2.XValue(0), 640.2);
        EXPECT_EQ(minima.Series2.XValue(1), 701.05);
        EXPECT_EQ(minima.Series2.XValue(2), 812.346);
        EXPECT_EQ(minima.Series2.YValue(2), 84.57);
        EXPECT_EQ(minima.Series2.Points()[0].colour, clGreen);
        EXPECT_TRUE(minima.Series2.Labelled());
    });
    ASSERT_TRUE(platform.errors.empty()) << LastError();
    EXPECT_EQ(platform.modalForms, std::vector<std::string>{"Minima determination"});
    EXPECT_EQ(countWhileOpen, 3);
    ASSERT_EQ(d.ExtCount, 3);
    EXPECT_EQ(d.ExtLambda[1], 812.346);
    EXPECT_EQ(d.ExtLambda[2], 701.05);
    EXPECT_EQ(d.ExtLambda[3], 640.2);
    EXPECT_EQ(d.ExtTrans[1], 84.57);
    EXPECT_EQ(d.ExtTrans[2], 80.0);
    EXPECT_EQ(d.ExtTrans[3], 56.0);
    // The raw marks are in the chart's order, their wavelengths consumed by the sort.
    EXPECT_EQ(d.RawExtTrans[1], 56.0);
    EXPECT_EQ(d.RawExtTrans[3], 84.57);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(d.RawExtLambda[i], 0.0) << i;
    EXPECT_EQ(form.Wend.Text(), "812.346");
    EXPECT_EQ(form.Wstart.Text(), "600");
    EXPECT_EQ(form.Fileshow2.Text(), "determined by user");
}

TEST_F(DetermineFringesTest, RoundingOfTheMarksGoesHalfToEven) {
    ImportSpectrum(FringedSpectrum());
    Determine([&] {
        // Exact halves of the last kept digit.
        Press(MouseButton::Left, 500.0625, 40.125);
        Press(MouseButton::Left, 500.1875, 40.375);
        // A middle button marks as the left one does.
        Press(MouseButton::Middle, 450.0004, 30.004);
    });
    ASSERT_EQ(d.ExtCount, 3);
    EXPECT_EQ(d.ExtLambda[1], 500.188);
    EXPECT_EQ(d.ExtTrans[1], 40.38);
    EXPECT_EQ(d.ExtLambda[2], 500.062);
    EXPECT_EQ(d.ExtTrans[2], 40.12);
    EXPECT_EQ(d.ExtLambda[3], 450.0);
    EXPECT_EQ(d.ExtTrans[3], 30.0);
    // The shortest mark lies below 600 nm, so the range starts there.
    EXPECT_EQ(form.Wstart.Text(), "450");
    EXPECT_EQ(form.Wend.Text(), "500.188");
}

TEST_F(DetermineFringesTest, SingleMarkAndNoMark) {
    ImportSpectrum(FringedSpectrum());
    Determine([&] { Press(MouseButton::Left, 550.0, 60.0); });
    ASSERT_EQ(d.ExtCount, 1);
    EXPECT_EQ(d.ExtLambda[1], 550.0);
    EXPECT_EQ(form.Wend.Text(), "550");
    EXPECT_EQ(form.Wstart.Text(), "550");

    // A second determination starts without the old marks; closing at once leaves no
    // extrema, the range end 0 and the start as it was.
    int marksAtOpening = -1;
    Determine([&] { marksAtOpening = minima.Series2.Count(); });
    EXPECT_EQ(marksAtOpening, 0);
    EXPECT_EQ(d.ExtCount, 0);
    EXPECT_EQ(d.ExtLambda[1], 0.0);
    EXPECT_EQ(form.Wend.Text(), "0");
    EXPECT_EQ(form.Wstart.Text(), "550");
    EXPECT_TRUE(platform.errors.empty()) << LastError();
}

TEST_F(DetermineFringesTest, RightClickDeletesOnlyTheMarkUnderThePointer) {
    ImportSpectrum(FringedSpectrum());
    Determine([&] {
        Press(MouseButton::Left, 700.0, 60.0);
        Press(MouseButton::Left, 800.0, 70.0);
        // Beside the mark at 700 and on the curve far from any mark: nothing changes.
        Press(MouseButton::Right, 702.0, 60.0);
        Press(MouseButton::Right, 600.0, 70.0 + 15.0 * std::sin(50.0));
        EXPECT_EQ(minima.Series2.Count(), 2);
        EXPECT_EQ(d.ExtCount, 2);
        // A left click on a mark adds another one where the pointer is.
        Press(MouseButton::Left, 800.2, 70.3);
        EXPECT_EQ(minima.Series2.Count(), 3);
        // Right on the mark at 700, a little off its centre.
        Press(MouseButton::Right, 700.2, 59.8);
        EXPECT_EQ(d.ExtCount, 2);
    });
    ASSERT_EQ(d.ExtCount, 2);
    EXPECT_EQ(d.ExtLambda[1], 800.2);
    EXPECT_EQ(d.ExtTrans[1], 70.3);
    EXPECT_EQ(d.ExtLambda[2], 800.0);
    EXPECT_EQ(d.ExtTrans[2], 70.0);
}

TEST_F(DetermineFringesTest, MarksOnOneSpotAllStayInTheOrderFound) {
    ImportSpectrum(FringedSpectrum());
    Determine([&] {
        Press(MouseButton::Left, 650.0, 55.0);
        Press(MouseButton::Left, 650.0, 55.0);
        // Same wavelength, other transmissions: they keep the order of clicking.
        Press(MouseButton::Left, 720.0, 61.0);
        Press(MouseButton::Left, 720.0, 62.0);
        Press(MouseButton::Left, 720.0, 63.0);
        // One right click on the double mark takes one of the two away.
        Press(MouseButton::Left, 500.0, 45.0);
        Press(MouseButton::Left, 500.0, 45.0);
        Press(MouseButton::Right, 500.0, 45.0);
    });
    ASSERT_EQ(d.ExtCount, 6);
    const double lambda[] = {720.0, 720.0, 720.0, 650.0, 650.0, 500.0};
    const double trans[] = {61.0, 62.0, 63.0, 55.0, 55.0, 45.0};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(d.ExtLambda[i], lambda[i - 1]) << i;
        EXPECT_EQ(d.ExtTrans[i], trans[i - 1]) << i;
    }
}

TEST_F(DetermineFringesTest, MinimaChartShowsSpectrumAndSubstrateLevel) {
    ImportSpectrum(FringedSpectrum());
    Type(form.Const2, "1.5");
    // A zoom and a readout left from before.
    minima.Dispatch([&] { minima.Chart1.ZoomTo(600, 700, 10, 20); });
    Determine([&] {
        EXPECT_TRUE(minima.Chart1.BottomAxis().Automatic());
        EXPECT_TRUE(minima.Chart1.LeftAxis().Automatic());
        // The pointer readout and a double click that undoes a zoom.
        minima.Dispatch([&] { minima.Chart1.OnMouseMove(412.34567, 55.5612); });
        EXPECT_EQ(minima.PositionX.Text(), "X = 412.346");
        EXPECT_EQ(minima.PositionY.Text(), "Y = 55.56");
        minima.Dispatch([&] { minima.Chart1.ZoomTo(500, 550, 40, 50); });
        minima.Dispatch([&] { minima.Chart1.OnDblClick(); });
        EXPECT_TRUE(minima.Chart1.BottomAxis().Automatic());
        EXPECT_TRUE(minima.Chart1.LeftAxis().Automatic());
    });
    const ChartSeries& curve = minima.Series1;
    const ChartSeries& level = minima.Series3;
    ASSERT_EQ(curve.Count(), 501);
    ASSERT_EQ(level.Count(), 501);
    EXPECT_EQ(curve.XValue(0), 400.0);
    EXPECT_EQ(curve.YValue(0), 70.0 + 15.0 * std::sin(400 / 12.0));
    EXPECT_EQ(curve.Points()[0].colour, clRed);
    EXPECT_EQ(level.XValue(500), 900.0);
    EXPECT_NEAR(level.YValue(0), 92.31, 0.005);
    EXPECT_EQ(level.YValue(0), 300.0 / 3.25);
    EXPECT_EQ(level.YValue(250), level.YValue(0));
    EXPECT_EQ(level.Points()[0].colour, clGreen);
    // The curve and the marks take clicks; the substrate line does not.
    EXPECT_TRUE(curve.Clickable());
    EXPECT_TRUE(minima.Series2.Clickable());
    EXPECT_FALSE(level.Clickable());
    EXPECT_EQ(minima.Chart1.BottomAxis().title, "Wavelengths , nm");
    EXPECT_EQ(minima.Chart1.LeftAxis().title, "Transmission , %");
}

// The results go and so do their texts: Save Results then says there is nothing to
// save instead of writing files of zeros.
TEST_F(DetermineFringesTest, DeterminationClearsResultsAndTheirTexts) {
    platform.openAnswers.push_back((kExamples / "thinfilm-transmission.txt").string());
    User([&] { form.import1.Click(); });
    platform.openAnswers.push_back((kExamples / "thinfilm-fringes.txt").string());
    User([&] { form.Import2.Click(); });
    Type(form.Const2, "1.52");
    Type(form.Wstart, "500");
    Type(form.Wend, "900");
    Type(form.natx, "633");
    Calculate();
    User([&] { form.RadioButton1.Click(); });
    ASSERT_TRUE(platform.errors.empty()) << LastError();
    ASSERT_TRUE(platform.messages.empty()) << LastMessage();
    ASSERT_GT(d.DispCount, 1);
    ASSERT_NE(d.RefractionExp[1], 0.0);
    ASSERT_NE(d.Absorption[1], 0.0);
    ASSERT_NE(d.DispLambda[1], 0.0);
    // A gap line as an Eg calculation leaves it.
    d.TaucLine[0] = -5.0;
    d.TaucLine[1] = 2.0;
    form.EgOutput.SetText("2.5");
    ASSERT_NE(form.thickness.Text(), "");
    ASSERT_NE(form.n633show.Text(), "");
    const int specCount = d.SpecCount, dispCount = d.DispCount;
    const double firstLambda = d.SpecLambda[1], lastTrans = d.SpecTrans[specCount];
    const int shownPoints = form.Chart1.Series(0).Count();
    ASSERT_GT(shownPoints, 0);

    Determine([&] {
        // While the window is open the extrema are already gone.
        EXPECT_EQ(d.ExtCount, 0);
        Press(MouseButton::Left, 700.0, 80.0);
    });

    EXPECT_EQ(form.EgOutput.Text(), "");
    for (double c : d.TaucLine) EXPECT_EQ(c, 0.0);
    EXPECT_EQ(form.thickness.Text(), "");
    EXPECT_EQ(form.n633show.Text(), "");
    EXPECT_EQ(d.ExtCount, 1);
    EXPECT_EQ(d.ExtLambda[2], 0.0);  // the imported extrema are gone
    for (const SpectrumArray* a : {&d.LambdaExp, &d.RefractionExp, &d.AuxN, &d.DispLambda, &d.DispRefraction,
                                   &d.FreeLambda, &d.FreeTrans, &d.FreeExtLambda, &d.TaucEnergy, &d.AbsEnergy,
                                   &d.Absorption, &d.FitInvLambdaSq, &d.Tauc, &d.TransFraction}) {
        for (int i = 1; i <= specCount; ++i) ASSERT_EQ((*a)[i], 0.0) << i;
    }
    // The spectrum and the grid count stay; the window's chart keeps its old graph.
    EXPECT_EQ(d.SpecCount, specCount);
    EXPECT_EQ(d.DispCount, dispCount);
    EXPECT_EQ(d.SpecLambda[1], firstLambda);
    EXPECT_EQ(d.SpecTrans[specCount], lastTrans);
    EXPECT_EQ(form.Chart1.Series(0).Count(), shownPoints);

    platform.saveAnswers.push_back((dir / "res").string());
    User([&] { form.Button1.Click(); });
    EXPECT_EQ(LastMessage(), "Calculate first: there are no results to save.");
    EXPECT_EQ(platform.saveAnswers.size(), 1u);  // no dialog was shown
    EXPECT_FALSE(std::filesystem::exists((dir / "resRef.txt")));
}

// A thickness the user typed is an entry, not a result: it stays; a Calculate makes
// the results again and Save Results writes them.
TEST_F(DetermineFringesTest, TypedThicknessStaysAndCalculateMakesResultsToSave) {
    ImportSpectrum(FringedSpectrum());
    platform.saveAnswers.push_back((dir / "early").string());
    User([&] { form.Button1.Click(); });
    EXPECT_EQ(LastMessage(), "Calculate first: there are no results to save.");
    EXPECT_FALSE(std::filesystem::exists((dir / "earlyRef.txt")));
    platform.saveAnswers.clear();

    User([&] { form.FixThickness.Click(); });
    Type(form.thickness, "0.0002");
    Determine([&] {
        for (double w : {860.0, 835.0, 810.0, 785.0, 760.0})
            Press(MouseButton::Left, w, 70.0 + 15.0 * std::sin(w / 12.0));
    });
    EXPECT_EQ(form.thickness.Text(), "0.0002");
    Calculate();
    platform.messages.clear();
    platform.saveAnswers.push_back((dir / "res").string());
    User([&] { form.Button1.Click(); });
    EXPECT_TRUE(platform.messages.empty()) << LastMessage();
    EXPECT_TRUE(std::filesystem::exists((dir / "resRef.txt")));
}

// Cancel abandons the determination: the imported extrema, the texts, the gap line and
// every result are as before Determine Fringes. Ok, even without a mark, takes the marks.
TEST_F(DetermineFringesTest, CancelLeavesEverythingAsBeforeAndOkTakesTheMarks) {
    platform.openAnswers.push_back((kExamples / "thinfilm-transmission.txt").string());
    User([&] { form.import1.Click(); });
    platform.openAnswers.push_back((kExamples / "thinfilm-fringes.txt").string());
    User([&] { form.Import2.Click(); });
    Type(form.Const2, "1.52");
    Calculate();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    d.TaucLine[0] = -5.0;
    d.TaucLine[1] = 2.0;
    form.EgOutput.SetText("2.5");

    const auto snapshot = [&] {
        std::vector<std::string> texts = {form.Fileshow2.Text(), form.Wstart.Text(), form.Wend.Text(),
                                          form.EgOutput.Text(), form.thickness.Text()};
        std::vector<double> values = {static_cast<double>(d.ExtCount), d.TaucLine[0], d.TaucLine[1]};
        for (const SpectrumArray* a : {&d.ExtLambda, &d.ExtTrans, &d.RawExtLambda, &d.LambdaExp, &d.RefractionExp,
                                       &d.DispLambda, &d.FreeTrans, &d.AbsEnergy, &d.Absorption, &d.TaucEnergy})
            for (int i = 1; i <= d.SpecCount; ++i) values.push_back((*a)[i]);
        return std::make_pair(texts, values);
    };
    const auto before = snapshot();
    ASSERT_EQ(d.ExtCount, 18);

    DetermineClosingWith(minima.Cancel, [&] {
        Press(MouseButton::Left, 700.0, 80.0);
        Press(MouseButton::Left, 650.0, 60.0);
    });
    EXPECT_TRUE(minima.Cancelled());
    EXPECT_TRUE(snapshot() == before);
    EXPECT_TRUE(platform.log.empty());

    // Ok with no mark: the extrema are the (no) marks, as before this window had Cancel.
    Determine();
    EXPECT_FALSE(minima.Cancelled());
    EXPECT_EQ(d.ExtCount, 0);
    EXPECT_EQ(form.Fileshow2.Text(), "determined by user");
    EXPECT_EQ(form.EgOutput.Text(), "");
    EXPECT_EQ(d.LambdaExp[1], 0.0);
}

TEST_F(DetermineFringesTest, UnreadableSubstrateIndexStopsBeforeTheWindow) {
    ImportSpectrum(FringedSpectrum());
    ImportFringes({{850.0, 80.0}, {800.0, 60.0}, {750.0, 81.0}});
    Determine([&] { Press(MouseButton::Left, 700.0, 60.0); });
    ASSERT_EQ(d.ExtCount, 1);
    minima.Dispatch([&] { minima.Chart1.ZoomTo(600, 700, 10, 20); });
    form.EgOutput.SetText("2.5");
    d.TaucLine[1] = 3.0;
    platform.modalForms.clear();

    Type(form.Const2, "1.5x");
    Determine([&] { Press(MouseButton::Left, 650.0, 60.0); });
    EXPECT_EQ(LastError(), "'1.5x' is not a valid floating point value");
    EXPECT_TRUE(platform.modalForms.empty());
    platform.modalScripts.clear();
    // The minima chart was reset; the workspace and the window's texts were not.
    EXPECT_TRUE(minima.Chart1.BottomAxis().Automatic());
    EXPECT_EQ(minima.Series1.Count(), 0);
    EXPECT_EQ(minima.Series2.Count(), 0);
    EXPECT_EQ(d.ExtCount, 1);
    EXPECT_EQ(d.ExtLambda[1], 700.0);
    EXPECT_EQ(form.EgOutput.Text(), "2.5");
    EXPECT_EQ(d.TaucLine[1], 3.0);

    // An index whose substrate level overflows is refused the same way.
    Type(form.Const2, "1e200");
    Determine();
    EXPECT_EQ(LastError(), "Floating point overflow");
    EXPECT_TRUE(platform.modalForms.empty());
    platform.modalScripts.clear();
}

TEST_F(DetermineFringesTest, WithoutSpectrumTheWindowOpensEmpty) {
    form.Wstart.SetText("480");
    Determine([&] {
        EXPECT_EQ(minima.Series1.Count(), 0);
        EXPECT_EQ(minima.Series3.Count(), 0);
    });
    EXPECT_EQ(platform.modalForms.size(), 1u);
    EXPECT_EQ(d.ExtCount, 0);
    EXPECT_EQ(form.Wend.Text(), "0");
    EXPECT_EQ(form.Wstart.Text(), "480");
}

}  // namespace
}  // namespace optc::testing
