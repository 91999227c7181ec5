#pragma once
// The Thin Films window on screen (offscreen platform) with the scripted platform's
// dialogs, for the tests of the dialogs it opens: buttons clicked as a user clicks
// them, files imported, nS typed, the example calculated.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "numerics/FloatText.h"
#include "support/SourceTree.h"
#include "thinfilm/ThinFilmData.h"
#include "thinfilm/window/Main_1.h"
#include "thinfilm/window/Main_1View.h"
#include "ui/ScriptedPlatform.h"

namespace optc::qt {

class ThinFilmWindowOnScreen : public ::testing::Test {
protected:
    ThinFilmWindowOnScreen() : data(ThinFilmData::Create()), form(platform, *data, [] { return UnitChoices{}; }) {
        SetDecimalSeparator('.');
        window = std::make_unique<TForm1View>(form);
    }
    // Shows the window, once the dialog's view is made as its child.
    void Show() {
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void Click(QWidget& parent, const char* name) {
        auto* w = parent.findChild<QPushButton*>(name);
        ASSERT_NE(w, nullptr) << name;
        ASSERT_TRUE(w->isEnabled()) << name;
        QTest::mouseClick(w, Qt::LeftButton);
    }
    void Import(const char* button, const std::string& path) {
        platform.openAnswers.push_back(path);
        Click(*window, button);
    }
    void TypeNs() {
        auto* nS = window->findChild<QLineEdit*>("Const2");
        nS->setFocus();
        nS->selectAll();
        QTest::keyClicks(nS, "1.52");
    }
    // The example film with its fringes file, nS 1.52, Calculate.
    void CalculateExample() {
        Import("import1", (testing::kExamples / "thinfilm-transmission.txt").string());
        Import("Import2", (testing::kExamples / "thinfilm-fringes.txt").string());
        TypeNs();
        Click(*window, "Calculate");
        ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    }

    ScriptedPlatform platform;
    std::unique_ptr<ThinFilmData> data;
    TForm1 form;
    std::unique_ptr<TForm1View> window;
};

}  // namespace optc::qt
