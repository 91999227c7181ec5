// The Thin Films and Bulk windows resized through the X server, as a window manager or
// a user dragging the frame does: xdotool asks the server for a new window size, and
// the window lays itself out from the server's answer.
#include <QCoreApplication>
#include <QProcess>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "bulk/BulkData.h"
#include "bulk/Main_3.h"
#include "bulk/Main_3View.h"
#include "thinfilm/window/Main_1.h"
#include "thinfilm/window/Main_1View.h"
#include "ui/ScriptedPlatform.h"
#include "ui/qt/ChartWidget.h"

namespace optc::qt {
namespace {

// Asks the X server to give `window` the size; true once the window has it.
bool ResizeOnServer(QWidget& window, QSize size) {
    QProcess xdotool;
    xdotool.start("xdotool", {"windowsize", QString::number(window.winId()), QString::number(size.width()),
                              QString::number(size.height())});
    EXPECT_TRUE(xdotool.waitForFinished(20000)) << "xdotool did not finish";
    EXPECT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().toStdString();
    return QTest::qWaitFor([&] { return window.size() == size; }, 10000);
}

void CheckResizing(QWidget& window, ChartWidget& chart) {
    window.move(0, 0);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* area = window.findChild<QScrollArea*>("PanelScroll");
    auto* exit = window.findChild<QWidget*>("BitBtn1");
    ASSERT_NE(area, nullptr);
    ASSERT_NE(exit, nullptr);
    const QSize definedChart = chart.size();

    const auto bars = [area](bool shown) {
        // The scroll area lays itself out from the events the new size posts.
        return QTest::qWaitFor(
            [&] {
                return area->horizontalScrollBar()->isVisible() == shown &&
                       area->verticalScrollBar()->isVisible() == shown;
            },
            5000);
    };
    ASSERT_TRUE(ResizeOnServer(window, QSize(640, 420))) << window.width() << "x" << window.height();
    EXPECT_TRUE(bars(true));
    // Scrolled to the far corner, Exit shows in full.
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
    EXPECT_TRUE(area->viewport()->rect().contains(QRect(exit->mapTo(area->viewport(), QPoint()), exit->size())));

    ASSERT_TRUE(ResizeOnServer(window, QSize(1200, 800)));
    EXPECT_TRUE(bars(false));
    EXPECT_EQ(chart.size(), definedChart + QSize(1200 - 944, 800 - 618));
    EXPECT_TRUE(window.rect().contains(QRect(exit->mapTo(&window, QPoint()), exit->size())));
    EXPECT_GT(exit->mapTo(&window, QPoint()).x(), 944 - exit->width());
    window.hide();
}

TEST(ResizeOnTheX11Server, TheWindowsScrollWhenSmallAndGiveTheChartTheRoomWhenLarge) {
    ScriptedPlatform platform;
    {
        SCOPED_TRACE("Thin Films");
        auto data = ThinFilmData::Create();
        TForm1 form(platform, *data, [] { return UnitChoices{}; });
        TForm1View view(form);
        CheckResizing(view, view.Chart());
    }
    {
        SCOPED_TRACE("Bulk");
        auto data = BulkData::Create();
        TForm3 form(platform, *data, [] { return UnitChoices{}; });
        TForm3View view(form);
        CheckResizing(view, view.Chart());
    }
}

}  // namespace
}  // namespace optc::qt
