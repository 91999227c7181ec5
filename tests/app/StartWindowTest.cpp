#include "app/main_2.h"

#include <gtest/gtest.h>

#include "ui/ScriptedPlatform.h"

namespace optc {
namespace {

class StartWindowTest : public ::testing::Test {
protected:
    ScriptedPlatform platform;
    Form bulk{platform, "Bulk"};
    Form thinFilm{platform, "Thin Films"};
    TForm2 form{platform, bulk, thinFilm};
};

TEST_F(StartWindowTest, UnitGroupsAreIndependent) {
    EXPECT_FALSE(form.Units().waveNumber);
    EXPECT_FALSE(form.Units().fraction);
    form.Dispatch([&] { form.RadioButton2.Click(); });
    EXPECT_TRUE(form.Units().waveNumber);
    EXPECT_FALSE(form.Units().fraction);
    EXPECT_FALSE(form.RadioButton1.Checked());
    EXPECT_TRUE(form.RadioButton3.Checked());  // the Y group keeps its choice
    form.Dispatch([&] { form.RadioButton4.Click(); });
    EXPECT_TRUE(form.Units().fraction);
    EXPECT_TRUE(form.RadioButton2.Checked());  // and the X group keeps its own
    form.Dispatch([&] { form.RadioButton1.Click(); });
    form.Dispatch([&] { form.RadioButton3.Click(); });
    EXPECT_FALSE(form.Units().waveNumber);
    EXPECT_FALSE(form.Units().fraction);
    EXPECT_FALSE(form.RadioButton2.Checked());
    EXPECT_FALSE(form.RadioButton4.Checked());
}

TEST_F(StartWindowTest, ButtonsOpenTheirWindowsModallyAndExitCloses) {
    bool bulkShown = false;
    platform.modalScripts.push_back([&](Form& f) { bulkShown = f.Shown(); });
    form.Dispatch([&] { form.Button1.Click(); });
    form.Dispatch([&] { form.Button2.Click(); });
    EXPECT_EQ(platform.modalForms, (std::vector<std::string>{"Bulk", "Thin Films"}));
    EXPECT_TRUE(bulkShown);
    EXPECT_FALSE(bulk.Shown());
    EXPECT_TRUE(platform.errors.empty());

    int closes = 0;
    form.ObserveClose([&] { ++closes; });
    EXPECT_TRUE(form.Shown());
    form.Dispatch([&] { form.BitBtn1.Click(); });
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(form.Shown());
}

}  // namespace
}  // namespace optc
