// The Thin Films window on an offscreen display: its widgets against the window's
// controls, and a user clicking through import, Calculate and the graphs.
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "numerics/FloatText.h"
#include "support/SourceTree.h"
#include "thinfilm/window/Main_1.h"
#include "thinfilm/window/Main_1View.h"
#include "ui/qt/ChartWidget.h"
#include "ui/ScriptedPlatform.h"

namespace optc::qt {
namespace {

using optc::testing::kExamples;

class ThinFilmViewTest : public ::testing::Test {
protected:
    ThinFilmViewTest() : data(ThinFilmData::Create()), form(platform, *data, [] { return UnitChoices{}; }) {
        SetDecimalSeparator('.');
        view = std::make_unique<TForm1View>(form);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    template <typename W>
    W* Find(const char* name) {
        W* w = view->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Click(const char* name) {
        QWidget* w = Find<QWidget>(name);
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(w->isEnabled()) << name;
        // Checkable widgets react to a click in their indicator; buttons anywhere.
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
    }
    void TypeInto(const char* name, const QString& text) {
        auto* edit = Find<QLineEdit>(name);
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void ImportExample() {
        platform.openAnswers.push_back((kExamples / "thinfilm-transmission.txt").string());
        Click("import1");
        platform.openAnswers.push_back((kExamples / "thinfilm-fringes.txt").string());
        Click("Import2");
        TypeInto("Const2", "1.52");
        TypeInto("Wstart", "740");
        TypeInto("Wend", "900");
        TypeInto("natx", "800");
    }

    ScriptedPlatform platform;
    std::unique_ptr<ThinFilmData> data;
    TForm1 form;
    std::unique_ptr<TForm1View> view;
};

TEST_F(ThinFilmViewTest, FixedWindowWithEveryControlAtItsPlace) {
    EXPECT_EQ(view->windowTitle(), "Thin Films");
    // Opens at its defined size (it can be resized: ResizableWindowsTest).
    EXPECT_EQ(view->size(), QSize(944, 618));
    EXPECT_FALSE(view->windowFlags() & Qt::WindowMaximizeButtonHint);

    struct Place {
        const char* name;
        int x, y;
    };
    for (const Place& p : {Place{"import1", 49, 9}, {"Import2", 550, 9}, {"Button2", 752, 9}, {"Fileshow1", 8, 64},
                           {"Fileshow2", 568, 64}, {"Const1", 458, 102}, {"Const2", 576, 102},
                           {"Tolerance", 848, 102}, {"Wstart", 520, 144}, {"Wend", 744, 144},
                           {"Estart", 520, 184}, {"Eend", 744, 184}, {"Ytauc1", 520, 224}, {"Ytauc2", 744, 224},
                           {"thickness", 8, 293}, {"FixThickness", 8, 320}, {"Calculate", 45, 494},
                           {"CalculatEg", 45, 562}, {"Chart1", 240, 272}, {"Order", 888, 293},
                           {"envelope", 888, 320}, {"RadioGroup1", 736, 378}, {"RadioButton1", 752, 399},
                           {"RadioButton4", 752, 437}, {"RadioButton2", 752, 480}, {"Direct", 752, 512},
                           {"RadioButton3", 752, 535}, {"Button1", 720, 584}, {"BitBtn1", 864, 584}}) {
        QWidget* w = Find<QWidget>(p.name);
        if (!w) continue;
        EXPECT_EQ(w->mapTo(view.get(), QPoint(0, 0)), QPoint(p.x, p.y)) << p.name;
        EXPECT_TRUE(view->rect().contains(w->geometry().translated(w->parentWidget()->mapTo(view.get(), QPoint()))))
            << p.name << " leaves the window";
    }
    QWidget* chart = Find<QWidget>("Chart1");
    EXPECT_EQ(chart->size(), QSize(473, 345));
    // The readout lies on the chart: X at its lower left, Y at its upper left.
    auto* px = Find<QLabel>("PositionX");
    auto* py = Find<QLabel>("PositionY");
    EXPECT_EQ(px->parentWidget(), chart);
    EXPECT_EQ(px->text(), "X =");
    EXPECT_EQ(py->text(), "Y =");
    EXPECT_GT(px->y(), chart->height() / 2);
    EXPECT_LT(py->y(), chart->height() / 2);
}

TEST_F(ThinFilmViewTest, CaptionsTextsAndStatesAtStart) {
    struct Caption {
        const char* name;
        const char* text;
        bool enabled;
    };
    for (const Caption& c : {Caption{"import1", "Import Spectrum", true}, {"Import2", "Import Fringes", true},
                             {"Button2", "Determine Fringes", false}, {"Calculate", "Calculate", true},
                             {"CalculatEg", "Eg Calculation", true}, {"Button1", "Save Results", true},
                             {"BitBtn1", "Exit", true}}) {
        auto* w = Find<QPushButton>(c.name);
        if (!w) continue;
        EXPECT_EQ(w->text(), c.text) << c.name;
        EXPECT_EQ(w->isEnabled(), c.enabled) << c.name;
        EXPECT_FALSE(w->autoDefault()) << c.name << " would be pressed by Enter in an edit";
    }
    for (const Caption& c : {Caption{"Const1", "1", true}, {"Const2", "2", true}, {"Tolerance", "1", true},
                             {"Wstart", "1", true}, {"Wend", "1", true}, {"Estart", "1", false},
                             {"Eend", "1", false}, {"Ytauc1", "1", false}, {"Ytauc2", "1", false},
                             {"thickness", "0", false}, {"natx", "633", true}, {"Order", "2", true},
                             {"envelope", "3", true}}) {
        auto* w = Find<QLineEdit>(c.name);
        if (!w) continue;
        EXPECT_EQ(w->text(), c.text) << c.name;
        EXPECT_EQ(w->isEnabled(), c.enabled) << c.name;
    }
    EXPECT_TRUE(Find<QLineEdit>("ninp")->isHidden());
    struct Check {
        const char* name;
        const char* text;
        bool checked;
    };
    for (const Check& c : {Check{"FixThickness", "Do not calculate d, use input value", false},
                           {"not633", "Do not show any estimated n value", false},
                           {"nu633", "Use constant n =", false}, {"FrFTr", "Use fringes-free Transmission", true},
                           {"Direct", "Direct Gap Semiconductor", false}}) {
        auto* w = Find<QCheckBox>(c.name);
        if (!w) continue;
        EXPECT_EQ(w->text(), c.text) << c.name;
        EXPECT_EQ(w->isChecked(), c.checked) << c.name;
    }
    for (const Check& c : {Check{"RadioButton1", "Refractive Index", false}, {"RadioButton4", "Transmission", false},
                           {"RadioButton2", "Absorption Coefficient", false}, {"RadioButton3", "Tauc Plot", false}}) {
        auto* w = Find<QRadioButton>(c.name);
        if (!w) continue;
        EXPECT_EQ(w->text(), c.text) << c.name;
        EXPECT_FALSE(w->isChecked()) << c.name;
    }
    EXPECT_EQ(Find<QGroupBox>("RadioGroup1")->title(), "Graph");
    EXPECT_EQ(Find<QLabel>("Fileshow1")->text(), "File1");
    EXPECT_EQ(Find<QLabel>("Fileshow2")->text(), "File2");
    EXPECT_EQ(Find<QLabel>("n633show")->text(), "0");
    EXPECT_EQ(Find<QLabel>("EgOutput")->text(), "0");

    // Every label of the window, exactly as written.
    QStringList labels;
    for (QLabel* l : view->findChildren<QLabel*>())
        if (l->objectName().isEmpty()) labels << l->text();
    for (const char* text : {"Transmission Spectrum", "Minima and Maxima of Fringes", "or",
                             "Refractive Index (n0-air, nS-substrate)", "n0  =", "nS =", "Ts-T tolerance , %",
                             "Wavelength Range for n calculations , nm", "From", "To",
                             "Energy range for Eg calculation , eV", "Y-axis range for Eg calculation",
                             "Film Thickness, cm:", "Polynom order", "n approximation", "T envelope", "n at ",
                             "nm:", "Results", "to calculate absorption and thickness", "Optical Gap, eV"})
        EXPECT_TRUE(labels.contains(text)) << text;
    EXPECT_EQ(labels.count("or"), 2);
    EXPECT_EQ(labels.count("From"), 3);
}

// Section captions: bold, in the active caption's colour, at 16 points where their room
// allows (always for the right column's) and never running into the control after them.
TEST_F(ThinFilmViewTest, SectionCaptionsBoldAt16PointsWithinTheirRoom) {
    const std::pair<const char*, int> captions[] = {  // text, x of the next control on its row
        {"Refractive Index (n0-air, nS-substrate)", 402}, {"Wavelength Range for n calculations , nm", 456},
        {"Energy range for Eg calculation , eV", 456},    {"Y-axis range for Eg calculation", 456},
        {"Film Thickness, cm:", 240},                     {"Optical Gap, eV", 146},
        {"Polynom order", 944},                           {"Results", 944}};
    QMap<QString, QLabel*> labels;
    for (QLabel* l : view->findChildren<QLabel*>()) labels[l->text()] = l;
    for (const auto& [text, next] : captions) {
        const QLabel* label = labels.value(text);
        ASSERT_NE(label, nullptr) << text;
        const QFont font = label->font();
        EXPECT_TRUE(font.bold()) << text;
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 128)) << text;
        EXPECT_TRUE(font.pointSize() == 16 || (next < 944 && font.pointSize() > 10)) << text << font.pointSize();
        EXPECT_LE(label->x() + QFontMetrics(font).horizontalAdvance(label->text()), next) << text;
    }
}

TEST_F(ThinFilmViewTest, NatxTakesDigitsOnly) {
    TypeInto("natx", "6x3.5a");
    EXPECT_EQ(Find<QLineEdit>("natx")->text(), "635");
    EXPECT_EQ(form.natx.Text(), "635");
}

TEST_F(ThinFilmViewTest, ThicknessFollowsTheFixThicknessBox) {
    auto* thickness = Find<QLineEdit>("thickness");
    EXPECT_EQ(thickness->palette().color(QPalette::Base), QColor(240, 240, 240));
    Click("FixThickness");
    EXPECT_TRUE(form.FixThickness.Checked());
    EXPECT_TRUE(thickness->isEnabled());
    EXPECT_EQ(thickness->palette().color(QPalette::Base), QColor(255, 255, 255));
    Click("FixThickness");
    EXPECT_FALSE(thickness->isEnabled());
    EXPECT_EQ(thickness->palette().color(QPalette::Base), QColor(240, 240, 240));
}

TEST_F(ThinFilmViewTest, ImportCalculateAndEachGraph) {
    ImportExample();
    EXPECT_TRUE(Find<QPushButton>("Button2")->isEnabled());
    EXPECT_TRUE(Find<QLabel>("Fileshow1")->text().endsWith("thinfilm-transmission.txt"));
    EXPECT_TRUE(Find<QLabel>("Fileshow2")->text().endsWith("thinfilm-fringes.txt"));
    EXPECT_EQ(form.Const2.Text(), "1.52");
    EXPECT_EQ(data->ExtCount, 18);

    Click("Calculate");
    ASSERT_TRUE(platform.messages.empty()) << platform.messages.front();
    ASSERT_TRUE(platform.errors.empty()) << platform.errors.front();
    for (const char* name : {"Estart", "Eend", "Ytauc1", "Ytauc2"}) EXPECT_TRUE(Find<QLineEdit>(name)->isEnabled());
    EXPECT_NE(Find<QLineEdit>("thickness")->text(), "0");
    EXPECT_EQ(Find<QLabel>("n633show")->text(), QString::fromStdString(form.n633show.Text()));

    ChartWidget& chart = view->Chart();
    auto pointsDrawn = [&chart] {
        int n = 0;
        for (int i = 0; i < chart.graphCount(); ++i) n += chart.graph(i)->data()->size();
        return n;
    };
    Click("RadioButton1");
    EXPECT_TRUE(Find<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_EQ(chart.xAxis->label(), "WaveLengths, nm");
    EXPECT_EQ(chart.yAxis->label(), "n");
    EXPECT_GE(pointsDrawn(), 18 + 4 + data->DispCount - 1);

    Click("RadioButton4");
    EXPECT_TRUE(Find<QRadioButton>("RadioButton4")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_EQ(chart.xAxis->label(), "Wavelengths, nm");
    EXPECT_EQ(chart.yAxis->label(), "T , %");
    EXPECT_GE(pointsDrawn(), 2 * 801 + 2 * 18);

    Click("RadioButton2");
    EXPECT_EQ(chart.xAxis->label(), "Photon Energy, eV");
    EXPECT_EQ(chart.yAxis->label(), "a, cm-1");
    EXPECT_GE(pointsDrawn(), 801);
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(ThinFilmViewTest, ExitHidesTheWindowAndShowingItAgainKeepsEverything) {
    ImportExample();
    Click("Calculate");
    Click("RadioButton4");
    const QString thickness = Find<QLineEdit>("thickness")->text();
    const int graphs = view->Chart().graphCount();

    Click("BitBtn1");
    EXPECT_FALSE(view->isVisible());
    EXPECT_FALSE(form.Shown());

    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    EXPECT_TRUE(form.Shown());
    EXPECT_EQ(Find<QLineEdit>("thickness")->text(), thickness);
    EXPECT_EQ(Find<QLineEdit>("Const2")->text(), "1.52");
    EXPECT_TRUE(Find<QRadioButton>("RadioButton4")->isChecked());
    EXPECT_EQ(view->Chart().graphCount(), graphs);
    EXPECT_EQ(view->Chart().xAxis->label(), "Wavelengths, nm");

    // The title bar's close button closes it the same way; Escape does not.
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_TRUE(view->isVisible());
    view->close();
    EXPECT_FALSE(view->isVisible());
    EXPECT_FALSE(form.Shown());
}

// With OPTC_SCREENSHOT set, the window after a calculation with the transmission
// graph is saved there as a picture.
TEST_F(ThinFilmViewTest, PictureOfTheTransmissionGraphAfterACalculation) {
    ImportExample();
    Click("Calculate");
    Click("RadioButton4");
    const QImage picture = view->grab().toImage();
    EXPECT_EQ(picture.size() / picture.devicePixelRatio(), QSize(944, 618));
    const QByteArray target = qgetenv("OPTC_SCREENSHOT");
    if (!target.isEmpty()) {
        EXPECT_TRUE(picture.save(QString::fromLocal8Bit(target)));
    }
}

}  // namespace
}  // namespace optc::qt
