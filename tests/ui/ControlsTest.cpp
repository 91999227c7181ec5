#include "ui/Controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace optc {
namespace {

TEST(CheckBoxRules, HandlerRunsOnlyWhenStateChanges) {
    CheckBox box("box", "caption");
    int clicks = 0;
    box.OnClick = [&] { ++clicks; };
    box.SetChecked(false);
    EXPECT_EQ(clicks, 0);
    box.SetChecked(true);
    box.SetChecked(true);
    EXPECT_EQ(clicks, 1);
    box.Click();
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(clicks, 2);
}

TEST(CheckBoxRules, NestedHandlersSeeTheStateAfterTheChange) {
    // A handler that checks another box whose handler unchecks the first.
    CheckBox a("a", ""), b("b", "");
    std::vector<std::string> trace;
    a.OnClick = [&] {
        trace.push_back(std::string("a:") + (a.Checked() ? "1" : "0"));
        b.SetChecked(true);
    };
    b.OnClick = [&] {
        trace.push_back(std::string("b:") + (b.Checked() ? "1" : "0"));
        a.SetChecked(false);
    };
    a.Click();
    EXPECT_EQ(trace, (std::vector<std::string>{"a:1", "b:1", "a:0"}));
    EXPECT_FALSE(a.Checked());
    EXPECT_TRUE(b.Checked());
}

TEST(RadioButtonRules, CheckingUnchecksSiblingsWithoutTheirHandlers) {
    RadioGroup group;
    RadioButton r1("r1", ""), r2("r2", "");
    group.Add(r1);
    group.Add(r2);
    int h1 = 0, h2 = 0;
    r1.OnClick = [&] { ++h1; };
    r2.OnClick = [&] { ++h2; };
    r1.Click();
    EXPECT_TRUE(r1.Checked());
    r1.Click();  // already checked: nothing runs
    EXPECT_EQ(h1, 1);
    r2.SetChecked(true);
    EXPECT_FALSE(r1.Checked());
    EXPECT_EQ(h1, 1);
    EXPECT_EQ(h2, 1);
    r2.SetChecked(false);  // unchecking runs nothing
    EXPECT_FALSE(r2.Checked());
    EXPECT_EQ(h2, 1);
}

TEST(EditRules, ChangeHandlerRunsOnlyOnARealChange) {
    Edit edit("e", "1");
    int changes = 0;
    edit.OnChange = [&] { ++changes; };
    edit.SetText("1");
    EXPECT_EQ(changes, 0);
    edit.SetText("2");
    EXPECT_EQ(changes, 1);
    edit.SetFocused(true);
    edit.SetText("3");
    EXPECT_EQ(changes, 2);
}

TEST(ControlObservers, NotifiedOncePerRealChange) {
    Edit edit("e", "");
    int notes = 0;
    edit.Observe([&] { ++notes; });
    edit.SetEnabled(false);
    edit.SetEnabled(false);
    edit.SetColour(clBtnFace);
    edit.SetText("x");
    edit.SetVisible(false);
    EXPECT_EQ(notes, 4);
}

}  // namespace
}  // namespace optc
