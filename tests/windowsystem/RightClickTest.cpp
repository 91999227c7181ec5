// Right and middle clicks on the charts of the Bulk and minima windows, made by the
// X server itself. There a right button press asks for the context menu before the
// button comes up, which an offscreen test that hands its events straight to the
// widget never shows: the menu must not open where the click does its own work (an
// axis, a mark), so that the release reaches the chart.
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "bulk/BulkData.h"
#include "bulk/Main_3.h"
#include "bulk/Main_3View.h"
#include "numerics/FloatText.h"
#include "support/TempFolder.h"
#include "thinfilm/window/Main_4.h"
#include "thinfilm/window/Main_4View.h"
#include "thinfilm/ThinFilmData.h"
#include "ui/ScriptedPlatform.h"
#include "ui/qt/ChartWidget.h"

namespace optc::qt {
namespace {

constexpr int kLeft = 1, kMiddle = 2, kRight = 3;

// Counts the button releases that reach a widget.
class ReleaseCounter : public QObject {
public:
    explicit ReleaseCounter(QWidget& widget) { widget.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) ++count;
        return false;
    }
};

// Clicks with xdotool at a pixel of a widget and waits until the click has been dealt
// with: its release reached the chart, or a menu opened (which takes the release). A
// menu is noted with its entries and closed.
class XClick {
public:
    explicit XClick(ChartWidget& chart) : chart_(chart), releases_(chart) {
        watch_.setInterval(10);
        QObject::connect(&watch_, &QTimer::timeout, [this] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions()) menu_ << action->text();
                menu->close();
            }
        });
        watch_.start();
    }

    // The entries of the menu the click opened, joined by "|"; empty when none opened.
    std::string At(QPoint pixel, int button) {
        menu_.clear();
        const int before = releases_.count;
        const QPoint screen = chart_.mapToGlobal(pixel);
        QProcess xdotool;
        xdotool.start("xdotool", {"mousemove", "--sync", QString::number(screen.x()), QString::number(screen.y()),
                                  "click", QString::number(button)});
        EXPECT_TRUE(xdotool.waitForFinished(20000)) << "xdotool did not finish";
        EXPECT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return releases_.count > before || !menu_.isEmpty(); }, 20000))
            << "the click never arrived";
        // A menu asked for on the release would open right after it.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        return menu_.join('|').toStdString();
    }

private:
    ChartWidget& chart_;
    ReleaseCounter releases_;
    QTimer watch_;
    QStringList menu_;
};

void Show(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
}

QPoint OnLeftAxis(ChartWidget& chart) {
    const QRect plot = chart.axisRect()->rect();
    return QPoint(plot.left() - 12, plot.center().y());
}
QPoint OnBottomAxis(ChartWidget& chart) {
    const QRect plot = chart.axisRect()->rect();
    return QPoint(plot.center().x() + 30, plot.bottom() + 12);
}
QPoint OnTitle(ChartWidget& chart) { return QPoint(chart.width() / 2, 6); }

const std::string kMenu = "Save Chart As...";
const std::string kNoMenu;

TEST(RightClickOnTheX11Server, AxisClicksWithAnyButtonAndTheMenuElsewhereInTheBulkWindow) {
    SetDecimalSeparator('.');
    ScriptedPlatform platform;
    auto data = BulkData::Create();
    TForm3 form(platform, *data, [] { return UnitChoices{}; });
    TForm3View view(form);
    testing::TempFolder temp("windowsystem");
    platform.openAnswers = {temp.Write("spectrum.txt", "800 80\r\n700 75\r\n600 60\r\n500 40\r\n420 12\r\n400 5\r\n")};
    form.Dispatch([&] {
        form.import1.Click();
        form.Calculate.Click();
        form.RadioButton2.Click();
    });
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    Show(view);
    ChartWidget& chart = view.Chart();
    XClick click(chart);

    // On the absorption graph every button on either axis switches the left axis.
    EXPECT_EQ(click.At(OnLeftAxis(chart), kRight), kNoMenu);
    EXPECT_TRUE(form.Chart1.LeftAxis().logarithmic);
    EXPECT_EQ(click.At(OnBottomAxis(chart), kMiddle), kNoMenu);
    EXPECT_FALSE(form.Chart1.LeftAxis().logarithmic);
    EXPECT_EQ(click.At(OnBottomAxis(chart) + QPoint(40, 0), kRight), kNoMenu);
    EXPECT_TRUE(form.Chart1.LeftAxis().logarithmic);
    EXPECT_EQ(click.At(OnLeftAxis(chart) + QPoint(0, 30), kLeft), kNoMenu);
    EXPECT_FALSE(form.Chart1.LeftAxis().logarithmic);

    // Where a right click does nothing else, it opens the menu.
    EXPECT_EQ(click.At(chart.axisRect()->rect().center(), kRight), kMenu);
    EXPECT_EQ(click.At(OnTitle(chart), kRight), kMenu);
    EXPECT_FALSE(form.Chart1.LeftAxis().logarithmic);
    EXPECT_TRUE(platform.log.empty());
}

TEST(RightClickOnTheX11Server, MarksGoWithTheRightButtonAndTheMenuOpensOnEmptyPlotOnlyInTheMinimaWindow) {
    SetDecimalSeparator('.');
    ScriptedPlatform platform;
    auto data = ThinFilmData::Create();
    TForm4 minima(platform, *data);
    TForm4View view(minima);
    minima.Dispatch([&] {
        for (int w = 900; w >= 400; --w) {
            minima.Series3.AddXY(w, 300.0 / 3.25, clGreen);
            minima.Series1.AddXY(w, 70.0 + 15.0 * std::sin(w / 12.0), clRed);
        }
        minima.Series2.AddXY(700.0, 70.0 + 15.0 * std::sin(700.0 / 12.0), clGreen);
        data->ExtCount = 1;
    });
    Show(view);
    ChartWidget& chart = view.Chart();
    XClick click(chart);
    auto pixel = [&chart](double x, double y) {
        return QPoint(static_cast<int>(std::lround(chart.xAxis->coordToPixel(x))),
                      static_cast<int>(std::lround(chart.yAxis->coordToPixel(y))));
    };

    EXPECT_EQ(click.At(OnTitle(chart), kRight), kNoMenu);
    EXPECT_EQ(click.At(OnLeftAxis(chart), kRight), kNoMenu);
    EXPECT_EQ(click.At(pixel(minima.Series2.XValue(0), minima.Series2.YValue(0)), kRight), kNoMenu);
    EXPECT_EQ(minima.Series2.Count(), 0);
    EXPECT_EQ(data->ExtCount, 0);
    // Empty plot: between the curve's top and the substrate level.
    EXPECT_EQ(click.At(pixel(650.0, 88.5), kRight), kMenu);
    EXPECT_TRUE(platform.log.empty());
}

}  // namespace
}  // namespace optc::qt
