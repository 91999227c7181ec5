// The Bulk window's outcome: every stop with its id and the very text the box showed,
// and the results of a complete Calculate and Eg Calculation.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "BulkFixture.h"
#include "numerics/TaucGap.h"
#include "ui/GapSpreadText.h"

namespace optc::testing {
namespace {

class BulkOutcomeTest : public BulkWindowTest {
protected:
    void Click(Button& button) { User([&] { button.Click(); }); }
    void Click(CheckBox& box) { User([&] { box.Click(); }); }
    void Click(RadioButton& button) { User([&] { button.Click(); }); }
    void Type(Edit& edit, const std::string& text) {
        User([&] {
            edit.SetFocused(true);
            edit.SetText(text);
            edit.SetFocused(false);
        });
    }
    // A plate 0.1 cm thick whose transmission falls towards the ultraviolet, with a
    // constant reflection; also puts back what an earlier case typed or checked.
    void SetUpPlate() {
        Type(form.Refrn633, "2");
        Type(form.Const1, "1");
        for (int click = 0; click < 3 && !(form.InpR.Checked() && form.Refl.Enabled()); ++click) Click(form.InpR);
        std::string spectrum;
        for (int w = 800; w >= 300; w -= 10) {
            const int percent = w > 400 ? 80 - (800 - w) / 20 : (w - 300) / 2;
            spectrum += std::to_string(w) + " " + std::to_string(percent) + "\r\n";
        }
        ImportT(WriteFile("plate.txt", spectrum));
        Type(form.Refl, "4");
        Type(form.Thickness, "0.1");
    }
    void ReflectionSpectrum(const std::string& pairs) {
        ImportR(WriteFile("reflection.txt", pairs));
    }
    void EgBetween(const char* start, const char* end) {
        Click(form.RadioButton3);
        Type(form.Estart, start);
        Type(form.Eend, end);
        Click(form.CalculatEg);
    }
    void ImportWords(Button& import) {
        platform.openAnswers.push_back(WriteFile("words.txt", "Sample 7, measured on Monday\r\n"));
        Click(import);
    }

    const BulkOutcome& outcome = form.Outcome();
};

TEST_F(BulkOutcomeTest, EveryStopCarriesItsIdAndTheTextTheBoxShowed) {
    using M = BulkMessage;
    struct Case {
        M id;
        std::function<void()> steps;
    };
    const std::vector<Case> cases = {
        {M::WrongThickness, [&] { Type(form.Thickness, "0"), Calculate(); }},
        {M::InvalidIndex, [&] { Click(form.InpN), Type(form.Refrn633, "-2"), Calculate(); }},
        {M::InvalidEnvironmentIndex, [&] { Type(form.Const1, "0"), Calculate(); }},
        {M::ReflectionRange, [&] { Type(form.Refl, "100"), Calculate(); }},
        {M::ResampleRefused, [&] { ReflectionSpectrum(Pairs({{750, 10}, {650, 10}})), Calculate(); }},
        {M::GridCapacity,
         [&] {
             ImportT(WriteFile("wide.txt", Pairs({{1e6, 50}, {5e5, 50}, {1, 50}})));
             ReflectionSpectrum(Pairs({{1e6, 10}, {2, 10}, {1, 10}, {1e6 - 0.004, 10}})), Calculate();
         }},
        {M::EgReversedBounds, [&] { Calculate(), EgBetween("4", "3"); }},
        {M::EgTooFewPoints, [&] { Calculate(), EgBetween("1.6", "1.61"); }},
        // Below the edge the ordinate rises from 2.97 to 3.53 between 2.53 and 3.02 eV: a
        // line that meets the energy axis below 0 eV.
        {M::EgNoPositiveGap, [&] { Calculate(), EgBetween("2.5", "3.05"); }},
        {M::SpectrumRefused, [&] { ImportWords(form.import1); }},
        {M::ReflectionRefused, [&] { ImportWords(form.Button2); }},
        {M::Error, [&] { Type(form.Thickness, "0,1"), Calculate(); }},
    };
    std::set<M> covered;
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.id));
        SetUpPlate();
        Calculate();
        ASSERT_FALSE(outcome.stop) << outcome.stop->text;
        ASSERT_EQ(outcome.thicknessCm, 0.1);
        platform.shown.clear();
        c.steps();
        ASSERT_TRUE(outcome.stop);
        EXPECT_EQ(outcome.stop->id, c.id);
        ASSERT_FALSE(platform.shown.empty());
        EXPECT_EQ(outcome.stop->text, platform.shown.back());
        if (const char* text = BulkMessageText(c.id)) {
            EXPECT_EQ(outcome.stop->text, text);
        }
        if (c.id < M::EgReversedBounds || c.id == M::Error) {
            EXPECT_FALSE(outcome.thicknessCm);
        }
        EXPECT_FALSE(outcome.egEv);
        covered.insert(c.id);
        Type(form.Const1, "1");
        EXPECT_FALSE(outcome.stop);
    }
    EXPECT_EQ(covered.size(), static_cast<std::size_t>(M::Error) + 1);

    // A complete Eg Calculation: the gap the window shows, unrounded.
    SetUpPlate();
    Calculate();
    EgBetween("3.2", "4");
    ASSERT_TRUE(outcome.egEv) << platform.shown.back();
    EXPECT_EQ(FloatToStr(TruncatedGap(*outcome.egEv)), form.EgOutput.Text());
    EXPECT_EQ(outcome.absCount, data->AbsCount);
    EXPECT_EQ(outcome.specCount, 51);
    ASSERT_TRUE(outcome.egSdEv && outcome.egR2);
    EXPECT_EQ(form.EgSpread.Text(), GapSpreadText({outcome.egSdEv, outcome.egR2}, 0));
    Calculate();
    EXPECT_FALSE(outcome.egEv);
    EXPECT_FALSE(outcome.egSdEv || outcome.egR2);
    EXPECT_EQ(form.EgSpread.Text(), "");
}

}  // namespace
}  // namespace optc::testing
