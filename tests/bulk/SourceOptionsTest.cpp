// The two reflection-source boxes: one click from every reachable state, the initial
// window, and the import that unchecks both.
#include "BulkFixture.h"

namespace optc::testing {
namespace {

struct OptionRow {
    bool beforeN, beforeR;
    bool clickN;  // which box is clicked
    bool afterN, afterR;
    bool refrn633Enabled, reflEnabled;
};

class SourceOptions : public BulkWindowTest, public ::testing::WithParamInterface<OptionRow> {
protected:
    // Brings the boxes into a reachable state by user clicks from the initial window.
    void Reach(bool n, bool r) {
        if (!n && r) return;  // initial
        User([&] { form.InpR.Click(); });  // -> both unchecked
        if (n) User([&] { form.InpN.Click(); });
        ASSERT_EQ(form.InpN.Checked(), n);
        ASSERT_EQ(form.InpR.Checked(), r);
    }
};

TEST_P(SourceOptions, OneClickGivesTheOutcomeOfItsRow) {
    const OptionRow row = GetParam();
    Reach(row.beforeN, row.beforeR);
    // Put the edits in the opposite state of the expected outcome, so the row's
    // outcome must come from this click.
    form.Refrn633.SetEnabled(!row.refrn633Enabled);
    form.Refl.SetEnabled(!row.reflEnabled);
    if (row.clickN)
        User([&] { form.InpN.Click(); });
    else
        User([&] { form.InpR.Click(); });
    EXPECT_EQ(form.InpN.Checked(), row.afterN);
    EXPECT_EQ(form.InpR.Checked(), row.afterR);
    EXPECT_EQ(form.Refrn633.Enabled(), row.refrn633Enabled);
    EXPECT_EQ(form.Refl.Enabled(), row.reflEnabled);
    EXPECT_TRUE(platform.log.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryReachableState, SourceOptions,
                         ::testing::Values(OptionRow{false, true, true, false, false, true, false},
                                           OptionRow{false, true, false, false, false, false, true},
                                           OptionRow{false, false, true, true, false, true, false},
                                           OptionRow{false, false, false, false, true, false, true},
                                           OptionRow{true, false, true, false, false, true, false},
                                           OptionRow{true, false, false, false, false, false, true}));

TEST_F(BulkWindowTest, InitialWindowUsesConstantReflectionWithBothEditsDisabled) {
    EXPECT_EQ(form.Caption(), "Bulk");
    EXPECT_FALSE(form.InpN.Checked());
    EXPECT_TRUE(form.InpR.Checked());
    EXPECT_FALSE(form.Refrn633.Enabled());
    EXPECT_FALSE(form.Refl.Enabled());
    EXPECT_TRUE(form.Thickness.Enabled());
    EXPECT_TRUE(form.Const1.Enabled());
    for (Edit* e : {&form.Estart, &form.Eend, &form.Ytauc1, &form.Ytauc2}) {
        EXPECT_FALSE(e->Enabled()) << e->Name();
        EXPECT_EQ(e->Text(), "1");
    }
    EXPECT_EQ(form.Refl.Text(), "18");
    EXPECT_EQ(form.Refrn633.Text(), "2");
    EXPECT_EQ(form.EgOutput.Text(), "");
    EXPECT_EQ(form.Chart1.Title(), "Optical Characteristics");
    ASSERT_EQ(form.Chart1.SeriesCount(), 3);
    EXPECT_EQ(form.Chart1.Series(0).Style(), SeriesStyle::Markers);
    EXPECT_EQ(form.Chart1.Series(1).Style(), SeriesStyle::Line);
    EXPECT_EQ(form.Chart1.Series(2).Style(), SeriesStyle::Line);
    EXPECT_EQ(form.PositionX.Text(), "X =");
    EXPECT_EQ(form.PositionY.Text(), "Y =");
}

TEST_F(BulkWindowTest, SecondClickChecksTheBoxAndKeepsItsEdit) {
    User([&] { form.InpR.Click(); });
    User([&] { form.InpR.Click(); });
    EXPECT_TRUE(form.InpR.Checked());
    EXPECT_FALSE(form.InpN.Checked());
    EXPECT_TRUE(form.Refl.Enabled());
    EXPECT_FALSE(form.Refrn633.Enabled());
}

TEST_F(BulkWindowTest, ReflectionImportUnchecksBothBoxesButACancelKeepsThem) {
    const std::string refl = WriteFile("r.txt", Pairs({{800, 10}, {700, 11}}));
    // A cancelled dialog changes nothing: the constant R stays the source.
    CancelImportR();
    EXPECT_TRUE(form.InpR.Checked());
    EXPECT_FALSE(form.Refl.Enabled());

    ImportR(refl);
    EXPECT_FALSE(form.InpN.Checked());
    EXPECT_FALSE(form.InpR.Checked());
    // InpR was checked, so its handler ran.
    EXPECT_TRUE(form.Refl.Enabled());
    EXPECT_FALSE(form.Refrn633.Enabled());

    // With InpN checked, InpN's handler sets the edits.
    User([&] { form.InpN.Click(); });
    form.Refrn633.SetEnabled(false);
    CancelImportR();
    EXPECT_TRUE(form.InpN.Checked());
    ImportR(refl);
    EXPECT_FALSE(form.InpN.Checked());
    EXPECT_TRUE(form.Refrn633.Enabled());
    EXPECT_FALSE(form.Refl.Enabled());

    // Both already unchecked: no handler runs, the edits stay as they are.
    form.Refrn633.SetEnabled(false);
    form.Refl.SetEnabled(false);
    ImportR(refl);
    EXPECT_FALSE(form.Refrn633.Enabled());
    EXPECT_FALSE(form.Refl.Enabled());
    EXPECT_TRUE(platform.log.empty());
}

}  // namespace
}  // namespace optc::testing
