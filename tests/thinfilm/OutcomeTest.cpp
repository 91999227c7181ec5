// The Thin Films window's outcome: every stop of every handler with its id and the
// very text the box showed, the results a complete Calculate and Eg Calculation leave,
// and the results gone where the window's own results go.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ThinFilmFixture.h"
#include "numerics/FloatText.h"
#include "numerics/TaucGap.h"
#include "ui/GapSpreadText.h"
#include "thinfilm/window/Main_4.h"

namespace optc::testing {
namespace {

// The small film of the calculation tests: four extrema (first a maximum) over a
// 13-point spectrum from 400 to 1000 nm, the n range 550..950 nm.
class ThinFilmOutcomeTest : public ThinFilmWindowTest {
protected:
    ThinFilmOutcomeTest() { form.SetMinimaForm(minima); }

    static Points Spectrum(bool zeroWavelength = false) {
        Points spectrum;
        const double trans[] = {0, 20, 40, 60, 70, 75, 80, 85, 82, 80, 85, 88, 90};
        for (int i = 0; i < 13; ++i) spectrum.push_back({zeroWavelength && i == 6 ? 0.0 : 400.0 + 50 * i, trans[i]});
        return spectrum;
    }
    // Also puts back what an earlier case typed or checked.
    void SetUpFilm(const Points& spectrum = Spectrum()) {
        if (form.FixThickness.Checked()) Click(form.FixThickness);
        Type(form.Order, "2");
        Type(form.natx, "633");
        Type(form.Const1, "1");
        ImportSpectrum(spectrum);
        ImportFringes({{600, 56}, {700, 88}, {800, 60}, {900, 90}});
        Type(form.Const2, "1.5");
        Type(form.Tolerance, "3");
        Type(form.Wstart, "550");
        Type(form.Wend, "950");
        Type(form.envelope, "2");
    }
    void Click(Button& button) { User([&] { button.Click(); }); }
    void Click(CheckBox& box) { User([&] { box.Click(); }); }
    void Click(RadioButton& button) { User([&] { button.Click(); }); }
    void ImportWords(Button& import) {
        platform.openAnswers.push_back(WriteFile("words.txt", "Sample 7, measured on Monday\r\n"));
        Click(import);
    }
    void EgBetween(const char* start, const char* end) {
        Click(form.RadioButton3);
        Type(form.Estart, start);
        Type(form.Eend, end);
        Click(form.CalculatEg);
    }

    TForm4 minima{platform, d};
    const ThinFilmOutcome& outcome = form.Outcome();
};

TEST_F(ThinFilmOutcomeTest, EveryStopCarriesItsIdAndTheTextTheBoxShowed) {
    using M = ThinFilmMessage;
    struct Case {
        M id;
        std::function<void()> steps;  // after the film is set up; the last event stops
    };
    const std::vector<Case> cases = {
        {M::InvalidConstants, [&] { Type(form.Const2, "-1.5"), Calculate(); }},
        {M::ExtremaOutsideSpectrum,
         [&] {
             ImportFringes({{600, 56}, {700, 88}, {800, 60}, {1000.5, 90}});
             Type(form.Wstart, "550"), Calculate();
         }},
        {M::OrderRange, [&] { Type(form.Order, "11"), Calculate(); }},
        {M::EnvelopeOrderRange, [&] { Type(form.envelope, "6"), Calculate(); }},
        {M::TooFewFringes, [&] { ImportFringes({{900, 90}, {800, 60}, {700, 88}}), Calculate(); }},
        {M::ImpossibleExtrema,
         [&] { ImportFringes({{900, 90}, {800, 60}, {800, 88}, {700, 58}, {650, 87}, {600, 56}}), Calculate(); }},
        {M::TooFewInRange, [&] { Type(form.Wstart, "850"), Type(form.natx, "900"), Calculate(); }},
        {M::RangeTooWide, [&] { Type(form.Wstart, "1"), Type(form.Wend, "150000"), Calculate(); }},
        {M::InvalidThickness, [&] { Click(form.FixThickness), Type(form.thickness, "0"), Calculate(); }},
        {M::InvalidIndex, [&] { Click(form.nu633), Type(form.ninp, "-2.2"), Calculate(); }},
        {M::NegativeLambda, [&] { SetUpFilm(Spectrum(true)), Calculate(); }},
        {M::EgReversedBounds, [&] { Calculate(), EgBetween("3", "2"); }},
        {M::EgTooFewPoints, [&] { Calculate(), EgBetween("1.31", "1.32"); }},
        // The Tauc ordinates at 1.907 and 2.066 eV, 43.3 and 46.4: a line that meets the
        // energy axis at -0.34 eV.
        {M::EgNoPositiveGap, [&] { Calculate(), EgBetween("1.85", "2.1"); }},
        {M::SpectrumRefused, [&] { ImportWords(form.import1); }},
        {M::FringesRefused, [&] { ImportWords(form.Import2); }},
        {M::ExtremaNotFound,
         [&] {
             Points flat;
             for (int w = 400; w <= 1000; ++w) flat.push_back({w, 91.83});
             ImportSpectrum(flat);
             platform.modalScripts.push_back([&](Form&) {
                 minima.Dispatch([&] { minima.FindExtrema.Click(); });
                 minima.Dispatch([&] { minima.BitBtn1.Click(); });
             });
             Click(form.Button2);
         }},
        {M::NothingToSave, [&] { ImportSpectrum(Spectrum()), Click(form.Button1); }},
        {M::Error, [&] { Type(form.Const1, "1,0"), Calculate(); }},
    };
    std::set<M> covered;
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.id));
        SetUpFilm();
        Calculate();
        ASSERT_FALSE(outcome.stop) << outcome.stop->text;
        ASSERT_TRUE(outcome.thicknessCm);
        platform.shown.clear();
        c.steps();
        ASSERT_TRUE(outcome.stop);
        EXPECT_EQ(outcome.stop->id, c.id);
        ASSERT_FALSE(platform.shown.empty());
        EXPECT_EQ(outcome.stop->text, platform.shown.back());
        if (const char* text = ThinFilmMessageText(c.id)) {
            EXPECT_EQ(outcome.stop->text, text);
        }
        // Calculate's stops, imports and new extrema leave no results behind.
        if (c.id < M::EgReversedBounds || c.id == M::ExtremaNotFound || c.id == M::ImpossibleExtrema ||
            c.id == M::Error) {
            EXPECT_FALSE(outcome.thicknessCm);
            EXPECT_FALSE(outcome.nAtNat);
        }
        EXPECT_FALSE(outcome.egEv);
        covered.insert(c.id);
        // The next event begins without a stop.
        Type(form.Const1, "1");
        EXPECT_FALSE(outcome.stop);
    }
    // Every id but the note, TooManyExtrema (Calculate takes seconds over the 100000
    // extrema it needs) and the two that the check of the extrema now forestalls.
    for (const M unreached : {M::NotAtGivenWavelength, M::TooManyExtrema, M::ExtremaOutOfOrder,
                              M::NoPositiveThickness})
        EXPECT_FALSE(covered.count(unreached));
    EXPECT_EQ(covered.size(), static_cast<std::size_t>(M::Error) + 1 - 4);
    // The error of a text that is not a number keeps that text as typed.
    Type(form.Const1, "1,0");
    Calculate();
    ASSERT_TRUE(outcome.stop);
    EXPECT_EQ(outcome.stop->typed, "1,0");
}

TEST_F(ThinFilmOutcomeTest, ResultsAreTheNumbersTheWindowShowsUnroundedAndGoWithThem) {
    SetUpFilm();
    Type(form.natx, "700");
    Calculate();
    ASSERT_TRUE(outcome.thicknessCm && outcome.nAtNat);
    EXPECT_FALSE(outcome.thicknessTyped);
    // The texts are the numbers rounded to nine decimals of a cm and cut to four.
    EXPECT_EQ(FloatToStr(std::round(*outcome.thicknessCm * 1e9) / 1e9), form.thickness.Text());
    EXPECT_EQ(FloatToStr(std::trunc(*outcome.nAtNat * 1e4) / 1e4), form.n633show.Text());
    EXPECT_EQ(outcome.natNm, 700);
    EXPECT_EQ(outcome.specCount, 13);
    EXPECT_EQ(outcome.extCount, 4);
    EXPECT_EQ(outcome.dispCount, d.DispCount);
    EXPECT_FALSE(outcome.egEv);

    Click(form.RadioButton3);
    Type(form.Estart, "1.3");
    Type(form.Eend, "3.2");
    Click(form.CalculatEg);
    ASSERT_TRUE(outcome.egEv) << platform.shown.back();
    EXPECT_EQ(FloatToStr(TruncatedGap(*outcome.egEv)), form.EgOutput.Text());
    ASSERT_TRUE(outcome.egSdEv && outcome.egR2);
    EXPECT_EQ(form.EgSpread.Text(), GapSpreadText({outcome.egSdEv, outcome.egR2}, 0));
    EXPECT_NE(form.EgSpread.Text().find(" eV, R"), std::string::npos) << form.EgSpread.Text();
    Click(form.Direct);  // the shown gap goes, and its spread with it
    EXPECT_FALSE(outcome.egEv);
    EXPECT_FALSE(outcome.egSdEv || outcome.egR2);
    EXPECT_EQ(form.EgSpread.Text(), "");

    // A typed thickness, and an estimate outside the n range: the note is no stop.
    Click(form.FixThickness);
    Type(form.thickness, "0.0002");
    Type(form.natx, "1100");
    Calculate();
    EXPECT_FALSE(outcome.stop);
    EXPECT_EQ(platform.messages.back(), ThinFilmMessageText(ThinFilmMessage::NotAtGivenWavelength));
    EXPECT_EQ(outcome.thicknessCm, 0.0002);
    EXPECT_TRUE(outcome.thicknessTyped);
    EXPECT_FALSE(outcome.nAtNat);

    // The fringe orders the dialog showed, until new extrema come in.
    platform.modalScripts.push_back([&](Form&) { form.Orders.Dispatch([&] { form.Orders.CloseButton.Click(); }); });
    Click(form.FringeOrders);
    ASSERT_TRUE(outcome.fringeOrders);
    EXPECT_EQ(outcome.fringeOrders->reason, form.Orders.Outcome().reason);
    ImportFringes({{600, 56}, {700, 88}, {800, 60}, {900, 90}});
    EXPECT_FALSE(outcome.thicknessCm);
    EXPECT_FALSE(outcome.fringeOrders);
}

}  // namespace
}  // namespace optc::testing
