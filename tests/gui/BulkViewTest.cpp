// The Bulk window on screen (offscreen platform): layout and captions, and a whole
// analysis clicked through the real widgets with scripted file dialogs.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "bulk/BulkData.h"
#include "bulk/Main_3.h"
#include "bulk/Main_3View.h"
#include "support/TempFolder.h"
#include "ui/ScriptedPlatform.h"
#include "ui/qt/ChartWidget.h"

namespace optc::qt {
namespace {

class BulkView : public ::testing::Test {
protected:
    BulkView() : data(BulkData::Create()), form(platform, *data, [] { return UnitChoices{}; }), view(form) {
        view.show();
    }

    template <typename W>
    W* Find(const char* name) {
        W* w = view.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Click(const char* name) {
        QAbstractButton* b = Find<QAbstractButton>(name);
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(b->isEnabled()) << name;
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    }
    std::string Write(const char* name, const char* text) { return temp.Write(name, text); }
    int DrawnPoints() {
        int n = 0;
        for (int i = 0; i < view.Chart().graphCount(); ++i) n += view.Chart().graph(i)->dataCount();
        return n;
    }

    ScriptedPlatform platform;
    std::unique_ptr<BulkData> data;
    TForm3 form;
    TForm3View view;
    testing::TempFolder temp{"bulk_view"};
};

TEST_F(BulkView, FixedWindowWithTheControlsInPlace) {
    EXPECT_EQ(view.windowTitle(), "Bulk");
    EXPECT_EQ(view.size(), QSize(944, 618));
    // Resizable around that size: ResizableWindowsTest.
    EXPECT_LT(view.minimumSize().width(), view.maximumSize().width());
    EXPECT_EQ(Find<QPushButton>("import1")->text(), "Import T Spectrum");
    EXPECT_EQ(Find<QPushButton>("import1")->geometry(), QRect(8, 7, 185, 25));
    EXPECT_EQ(Find<QPushButton>("Button2")->text(), "Import R spectrum");
    EXPECT_EQ(Find<QLabel>("Fileshow1")->text(), "File1");
    EXPECT_EQ(Find<QLabel>("Fileshow2")->pos(), QPoint(488, 64));
    EXPECT_EQ(Find<QLineEdit>("Refl")->geometry(), QRect(805, 104, 121, 21));
    EXPECT_EQ(Find<QLineEdit>("Refl")->text(), "18");
    EXPECT_FALSE(Find<QLineEdit>("Refl")->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>("Refrn633")->isEnabled());
    EXPECT_TRUE(Find<QCheckBox>("InpR")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("InpN")->isChecked());
    EXPECT_FALSE(Find<QLineEdit>("Estart")->isEnabled());
    EXPECT_EQ(Find<QPushButton>("CalculatEg")->text(), "Eg Calculation");
    EXPECT_EQ(Find<QGroupBox>("RadioGroup1")->title(), "Graph");
    EXPECT_EQ(Find<QRadioButton>("RadioButton2")->text(), "Absorption Coefficient");
    EXPECT_EQ(Find<QRadioButton>("RadioButton3")->geometry(), QRect(760, 512, 113, 17));
    EXPECT_EQ(Find<QCheckBox>("Direct")->text(), "Direct Gap Semiconductor");
    EXPECT_EQ(Find<QPushButton>("Button1")->text(), "Save Results");
    EXPECT_EQ(Find<QPushButton>("BitBtn1")->text(), "Exit");
    EXPECT_EQ(Find<QLabel>("StaticText1")->text(), "Enter Reflection R = const , %");
    EXPECT_EQ(Find<QLabel>("Label10")->text(), "n0 =");
    EXPECT_EQ(view.Chart().geometry(), QRect(240, 272, 473, 345));
    QLabel* px = Find<QLabel>("PositionX");
    EXPECT_EQ(px->parentWidget(), &view.Chart());
    EXPECT_EQ(px->text(), "X =");
    EXPECT_EQ(px->pos(), QPoint(8, 320));

    // Save Report... sits in free room of the top row: it covers no other control and
    // waits for a spectrum.
    QPushButton* report = Find<QPushButton>("SaveReport");
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->text(), "Save Report...");
    EXPECT_FALSE(report->isEnabled());
    const QRect place = report->geometry();
    EXPECT_TRUE(QRect(0, 0, 944, 618).contains(place));
    for (QObject* child : report->parentWidget()->children()) {
        auto* other = qobject_cast<QWidget*>(child);
        if (other && other != report && other->isVisible()) {
            EXPECT_FALSE(other->geometry().intersects(place)) << other->objectName().toStdString();
        }
    }
}

TEST_F(BulkView, ImportsBoxesCalculateAndTheThreeGraphs) {
    const std::string t = Write("t.txt", "800 10\r\n700 40\r\n600 20\r\n500 60\r\n400 50\r\n");
    const std::string r = Write("r.txt", "450 5\r\n550 25\r\n650 10\r\n750 30\r\n");
    platform.openAnswers = {t, r};
    Click("import1");
    EXPECT_EQ(Find<QLabel>("Fileshow1")->text().toStdString(), t);
    EXPECT_EQ(data->SpecCount, 5);
    Click("Button2");
    EXPECT_EQ(Find<QLabel>("Fileshow2")->text().toStdString(), r);
    EXPECT_EQ(data->ReflCount, 4);
    // The reflection import unchecked InpR: the reflection spectrum is the source.
    EXPECT_FALSE(Find<QCheckBox>("InpR")->isChecked());
    EXPECT_TRUE(Find<QLineEdit>("Refl")->isEnabled());

    // InpN: one click checks it (both were unchecked), the next unchecks it again.
    Click("InpN");
    EXPECT_TRUE(form.InpN.Checked());
    EXPECT_TRUE(Find<QCheckBox>("InpN")->isChecked());
    EXPECT_TRUE(Find<QLineEdit>("Refrn633")->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>("Refl")->isEnabled());
    Click("InpR");
    EXPECT_FALSE(Find<QCheckBox>("InpN")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("InpR")->isChecked());

    Click("Calculate");
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    EXPECT_EQ(data->AbsCount, 4);
    for (const char* e : {"Estart", "Eend", "Ytauc1", "Ytauc2"}) EXPECT_TRUE(Find<QLineEdit>(e)->isEnabled()) << e;

    Click("RadioButton4");
    EXPECT_TRUE(Find<QRadioButton>("RadioButton4")->isChecked());
    EXPECT_EQ(DrawnPoints(), 5 + 4);  // measured markers and the resampled line
    EXPECT_EQ(view.Chart().yAxis->label(), "T , %");
    Click("RadioButton1");
    EXPECT_FALSE(Find<QRadioButton>("RadioButton4")->isChecked());
    EXPECT_EQ(DrawnPoints(), 4 + 4);
    EXPECT_EQ(view.Chart().yAxis->label(), "R , %");
    Click("RadioButton2");
    EXPECT_EQ(DrawnPoints(), 4);
    EXPECT_EQ(view.Chart().xAxis->label(), "Photon Energy, eV");

    // A message of the calculation reaches the platform; the chart keeps its graph.
    QLineEdit* thickness = Find<QLineEdit>("Thickness");
    thickness->setFocus();
    thickness->selectAll();
    QTest::keyClicks(thickness, "0");
    ASSERT_EQ(form.Thickness.Text(), "0");
    Click("Calculate");
    EXPECT_EQ(platform.messages, (std::vector<std::string>{"Wrong thickness value!"}));
    EXPECT_EQ(DrawnPoints(), 4);

    if (qEnvironmentVariableIsSet("BULK_VIEW_SHOT")) view.grab().save(qEnvironmentVariable("BULK_VIEW_SHOT"));
    Click("BitBtn1");
    EXPECT_FALSE(view.isVisible());
}

}  // namespace
}  // namespace optc::qt
