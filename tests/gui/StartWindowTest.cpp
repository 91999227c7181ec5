#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

#include "app/ApplicationView.h"
#include "app/main_2View.h"
#include "bulk/Main_3View.h"
#include "thinfilm/window/Main_1View.h"
#include "thinfilm/window/Main_4View.h"

namespace optc::qt {
namespace {

// Runs `step` once the modal window is up; the test thread is inside exec() meanwhile.
void WhenModal(std::function<void(QWidget*)> step) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [step, poll] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            step(modal);
            *poll = nullptr;  // the stored poll captures its own pointer: break the cycle
        } else {
            QTimer::singleShot(5, *poll);
        }
    };
    QTimer::singleShot(0, *poll);
}

TEST(StartWindow, TextsAndFixedGeometry) {
    ApplicationView app;
    app.Show();
    main_2View& v = *app.View2;
    EXPECT_EQ(v.windowTitle(), "Optical Constants");
    EXPECT_EQ(v.size(), QSize(944, 618));
    EXPECT_EQ(v.minimumSize(), v.maximumSize());
    EXPECT_EQ(v.StaticText1->text(), "Program for calculation of optical constants, v.2.1");
    EXPECT_EQ(v.RadioGroup1->title(), "Select input X values in:");
    EXPECT_EQ(v.RadioGroup2->title(), "Select input Y values in:");
    EXPECT_EQ(v.RadioButton1->text(), "WaveLength (nm)");
    EXPECT_EQ(v.RadioButton2->text(), "WaveVector (1/cm)");
    EXPECT_EQ(v.RadioButton3->text(), "Transmission in %");
    EXPECT_EQ(v.RadioButton4->text(), "Transmission in a.u.");
    EXPECT_EQ(v.Button1->text(), "Bulk Sample");
    EXPECT_EQ(v.Button2->text(), "Thin Film");
    EXPECT_EQ(v.BitBtn1->text(), "Exit");
    EXPECT_EQ(v.StaticText3->text(),
              "Please, use files in 'txt' format with columns: WaveLength [separator: space, or Tab, or "
              "their sequence] Transmission");
    EXPECT_EQ(v.Button1->geometry(), QRect(24, 376, 329, 73));
    // Whatever serif font the system has, the long texts fit their places.
    EXPECT_LE(QFontMetrics(v.StaticText1->font()).horizontalAdvance(v.StaticText1->text()), 784);
    EXPECT_LE(QFontMetrics(v.StaticText3->font()).horizontalAdvance(v.StaticText3->text()), 933);
    EXPECT_TRUE(v.StaticText1->font().bold());
    EXPECT_EQ(v.RadioButton4->mapTo(&v, QPoint(0, 0)), QPoint(24 + 472, 216 + 32));
    // Only the start window is shown at start.
    EXPECT_TRUE(v.isVisible());
    EXPECT_FALSE(app.View3->isVisible());
    EXPECT_FALSE(app.View1->isVisible());
    EXPECT_FALSE(app.View4->isVisible());
    EXPECT_EQ(app.View4->windowTitle(), "Minima determination");
    EXPECT_EQ(app.View1->size(), QSize(944, 618));
}

TEST(StartWindow, UserClicksKeepTheTwoUnitGroupsApart) {
    ApplicationView app;
    app.Show();
    main_2View& v = *app.View2;
    EXPECT_TRUE(v.RadioButton1->isChecked());
    EXPECT_TRUE(v.RadioButton3->isChecked());
    QTest::mouseClick(v.RadioButton2, Qt::LeftButton);
    EXPECT_TRUE(v.RadioButton2->isChecked());
    EXPECT_FALSE(v.RadioButton1->isChecked());
    EXPECT_TRUE(v.RadioButton3->isChecked());
    EXPECT_TRUE(app.app.Form2.Units().waveNumber);
    EXPECT_FALSE(app.app.Form2.Units().fraction);
    // Clicking the checked button leaves it checked.
    QTest::mouseClick(v.RadioButton2, Qt::LeftButton);
    EXPECT_TRUE(v.RadioButton2->isChecked());
    EXPECT_TRUE(app.app.Form2.RadioButton2.Checked());
    QTest::mouseClick(v.RadioButton4, Qt::LeftButton);
    EXPECT_TRUE(v.RadioButton2->isChecked());
    EXPECT_FALSE(v.RadioButton3->isChecked());
    EXPECT_TRUE(app.app.Form2.Units().fraction);
    // A change made by the logic shows on screen.
    app.app.Form2.RadioButton1.SetChecked(true);
    EXPECT_TRUE(v.RadioButton1->isChecked());
    EXPECT_FALSE(v.RadioButton2->isChecked());
    EXPECT_TRUE(v.RadioButton4->isChecked());
}

TEST(StartWindow, AnalysisWindowsOpenModallyAndKeepTheirState) {
    ApplicationView app;
    app.Show();
    main_2View& v = *app.View2;
    TForm3View* bulk = app.View3;
    bool wasModal = false, startBlocked = false;
    WhenModal([&](QWidget* modal) {
        wasModal = modal == bulk && bulk->isVisible();
        startBlocked = !app.View2->isEnabled() || QApplication::activeModalWidget() != app.View2;
        app.app.Form3.Dispatch([&] { app.app.Form3.Thickness.SetText("0.25"); });
        bulk->close();  // the title-bar close button
    });
    QTest::mouseClick(v.Button1, Qt::LeftButton);
    EXPECT_TRUE(wasModal);
    EXPECT_TRUE(startBlocked);
    EXPECT_FALSE(bulk->isVisible());
    EXPECT_FALSE(app.app.Form3.Shown());

    // Shown again: the same window with the same chart; the form's own Close ends it.
    std::string thicknessSeen;
    TForm3View* shownAgain = nullptr;
    WhenModal([&](QWidget* modal) {
        shownAgain = qobject_cast<TForm3View*>(modal);
        thicknessSeen = app.app.Form3.Thickness.Text();
        app.app.Form3.Close();
    });
    QTest::mouseClick(v.Button1, Qt::LeftButton);
    EXPECT_EQ(shownAgain, bulk);
    EXPECT_EQ(thicknessSeen, "0.25");

    bool thinShown = false;
    WhenModal([&](QWidget* modal) {
        thinShown = modal == app.View1 && app.app.Form1.Shown();
        app.app.Form1.Close();
    });
    QTest::mouseClick(v.Button2, Qt::LeftButton);
    EXPECT_TRUE(thinShown);
    EXPECT_FALSE(app.View1->isVisible());
    EXPECT_TRUE(v.isVisible());

    // Exit closes the start window.
    QTest::mouseClick(v.BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(v.isVisible());
}

TEST(StartWindow, ErrorsOfAHandlerAppearInTheErrorBox) {
    ApplicationView app;
    app.Show();
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    WhenModal([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            text = box->text();
            icon = box->icon();
            buttons = static_cast<int>(box->buttons().size());
            box->button(QMessageBox::Ok)->click();
        }
    });
    app.app.Form2.Dispatch([] { throw std::runtime_error("Floating point division by zero"); });
    EXPECT_EQ(text, "Floating point division by zero");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, 1);

    WhenModal([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            text = box->text();
            icon = box->icon();
            box->button(QMessageBox::Ok)->click();
        }
    });
    app.platform.ShowMessage("Enter the thickness");
    EXPECT_EQ(text, "Enter the thickness");
    EXPECT_EQ(icon, QMessageBox::NoIcon);
}

TEST(StartWindow, DecimalSeparatorFromTheLocale) {
    EXPECT_EQ(LocaleDecimalSeparator(QLocale(QLocale::German, QLocale::Germany)), ',');
    EXPECT_EQ(LocaleDecimalSeparator(QLocale(QLocale::English, QLocale::UnitedStates)), '.');
}

}  // namespace
}  // namespace optc::qt
