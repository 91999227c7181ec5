#include "ui/qt/Bindings.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ScriptedPlatform.h"

namespace optc::qt {
namespace {

class BindingsTest : public ::testing::Test {
protected:
    BindingsTest() {
        window.resize(300, 200);
        edit = new QLineEdit(&window);
        other = new QLineEdit(&window);
        other->move(0, 40);
        box = new QCheckBox(&window);
        box->move(0, 80);
        button = new QPushButton("Calculate", &window);
        button->move(0, 120);
        label = new QLabel(&window);
        label->move(150, 0);
        Bind(*edit, Wstart, form);
        Bind(*other, Wend, form);
        Bind(*box, Direct, form);
        Bind(*button, Calculate, form);
        Bind(*label, EgOutput);
        window.show();
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window);
    }

    ScriptedPlatform platform;
    Form form{platform, "Window"};
    Edit Wstart{"Wstart", "400"};
    Edit Wend{"Wend", "800"};
    CheckBox Direct{"Direct", "Direct", true};
    Button Calculate{"Calculate", "Calculate"};
    StaticText EgOutput{"EgOutput", "Eg ="};
    QWidget window;
    QLineEdit* edit;
    QLineEdit* other;
    QCheckBox* box;
    QPushButton* button;
    QLabel* label;
};

TEST_F(BindingsTest, TypingRunsTheChangeHandlerWhileFocusedAndCodeChangesShow) {
    EXPECT_EQ(edit->text(), "400");
    std::vector<std::string> seen;
    Wstart.OnChange = [&] {
        seen.push_back(Wstart.Text() + (Wstart.Focused() ? "*" : ""));
        // A handler that sets another edit from code.
        Wend.SetText("from " + Wstart.Text());
    };
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "52");
    EXPECT_EQ(seen, (std::vector<std::string>{"5*", "52*"}));
    EXPECT_EQ(Wstart.Text(), "52");
    EXPECT_EQ(other->text(), "from 52");

    // Text set from code appears and runs the handler once, not again from the widget.
    seen.clear();
    Wstart.SetText("600");
    EXPECT_EQ(edit->text(), "600");
    EXPECT_EQ(seen.size(), 1u);

    // Focus leaving the edit reaches the model.
    other->setFocus();
    EXPECT_FALSE(Wstart.Focused());
    EXPECT_TRUE(Wend.Focused());
}

TEST_F(BindingsTest, EditColourEnabledAndVisibleFollowTheModel) {
    Wstart.SetColour(clBtnFace);
    EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(240, 240, 240));
    Wstart.SetEnabled(false);
    EXPECT_FALSE(edit->isEnabled());
    Wstart.SetVisible(false);
    EXPECT_TRUE(edit->isHidden());
    Wstart.SetVisible(true);
    EXPECT_TRUE(edit->isVisible());
    EgOutput.SetText("Eg = 2.5");
    EXPECT_EQ(label->text(), "Eg = 2.5");
}

TEST_F(BindingsTest, CheckBoxClickGoesThroughTheModelAndItsNestedHandlers) {
    EXPECT_TRUE(box->isChecked());
    int clicks = 0;
    bool undo = true;
    // A handler that undoes the click: the widget must show the model's final state.
    Direct.OnClick = [&] {
        ++clicks;
        if (undo && !Direct.Checked()) {
            undo = false;
            Direct.SetChecked(true);
        }
    };
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(Direct.Checked());
    EXPECT_TRUE(box->isChecked());
    // Set from code: the widget follows and the handler runs once.
    Direct.SetChecked(false);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(clicks, 3);
}

TEST_F(BindingsTest, ButtonErrorsGoToTheErrorBoxAndDisabledButtonsDoNothing) {
    int runs = 0;
    Calculate.OnClick = [&] {
        ++runs;
        throw std::runtime_error("'abc' is not a valid floating point value");
    };
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"'abc' is not a valid floating point value"}));
    Calculate.SetEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace optc::qt
