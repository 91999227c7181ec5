// The Thin Films and Bulk windows resized on an offscreen display: at the defined size
// every control is at its place, a larger window gives its room to the chart without
// covering a control, a smaller one scrolls and every control can still be reached.
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "bulk/BulkData.h"
#include "bulk/Main_3.h"
#include "bulk/Main_3View.h"
#include "thinfilm/window/Main_1.h"
#include "thinfilm/window/Main_1View.h"
#include "ui/ScriptedPlatform.h"
#include "ui/qt/ChartWidget.h"
#include "ui/qt/ScrollingPanel.h"

namespace optc::qt {
namespace {

// One of the two windows with its form, shown.
struct Shown {
    std::shared_ptr<void> keep;
    QWidget* window = nullptr;
    ChartWidget* chart = nullptr;
};

Shown ThinFilms(ScriptedPlatform& platform) {
    struct All {
        std::unique_ptr<ThinFilmData> data = ThinFilmData::Create();
        TForm1 form;
        TForm1View view;
        explicit All(ScriptedPlatform& p) : form(p, *data, [] { return UnitChoices{}; }), view(form) {}
    };
    auto all = std::make_shared<All>(platform);
    return {all, &all->view, &all->view.Chart()};
}

Shown Bulk(ScriptedPlatform& platform) {
    struct All {
        std::unique_ptr<BulkData> data = BulkData::Create();
        TForm3 form;
        TForm3View view;
        explicit All(ScriptedPlatform& p) : form(p, *data, [] { return UnitChoices{}; }), view(form) {}
    };
    auto all = std::make_shared<All>(platform);
    return {all, &all->view, &all->view.Chart()};
}

// The named controls on the window's panel (the chart's own readouts aside), at their
// places in the window.
std::map<std::string, QRect> Places(QWidget& window, QWidget& chart) {
    std::map<std::string, QRect> places;
    QWidget* panel = chart.parentWidget();
    for (QObject* child : panel->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->objectName().isEmpty() || !w->isVisible()) continue;
        places[w->objectName().toStdString()] = QRect(w->mapTo(&window, QPoint(0, 0)), w->size());
    }
    return places;
}

void ResizeTo(QWidget& window, QSize size) {
    window.resize(size);
    QTest::qWait(0);
    QCoreApplication::processEvents();
}

struct WindowCase {
    const char* name;
    std::function<Shown(ScriptedPlatform&)> make;
    // The controls that sit right of the chart and follow the right edge.
    std::vector<std::string> rightOfChart;
};

TEST(ResizableWindows, LargerGivesTheChartTheRoomSmallerScrolls) {
    const WindowCase cases[] = {
        {"Thin Films", ThinFilms, {"RadioGroup1", "RadioButton1", "Order", "FringeOrders", "Button1", "BitBtn1"}},
        {"Bulk", Bulk, {"RadioGroup1", "RadioButton4", "Direct", "Label12", "Button1", "BitBtn1"}},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPlatform platform;
        Shown shown = c.make(platform);
        QWidget& window = *shown.window;
        ChartWidget& chart = *shown.chart;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_EQ(window.size(), QSize(944, 618));
        EXPECT_LT(window.minimumSize().width(), 944);
        EXPECT_LT(window.minimumSize().height(), 618);
        const std::map<std::string, QRect> defined = Places(window, chart);
        ASSERT_GT(defined.size(), 20u);
        const QSize definedChart = chart.size();
        auto* px = chart.findChild<QLabel*>("PositionX");
        ASSERT_NE(px, nullptr);
        const int pxFromBottom = chart.height() - px->y();

        // Larger: the chart grows by the extra room, the controls right of it move with
        // the right edge, every other control stays, none lies under the chart.
        const QSize extra(230, 140);
        ResizeTo(window, QSize(944, 618) + extra);
        EXPECT_EQ(chart.size(), definedChart + extra);
        EXPECT_EQ(chart.height() - px->y(), pxFromBottom) << "the X readout leaves the chart's bottom";
        const std::map<std::string, QRect> larger = Places(window, chart);
        const QRect chartPlace = larger.at("Chart1");
        const QRect chartDefined = defined.at("Chart1");
        for (const auto& [name, place] : defined) {
            if (name == "Chart1") continue;
            // Right of the chart and reaching down beside it: follows the right edge.
            const bool follows = place.left() > chartDefined.right() && place.bottom() >= chartDefined.top();
            const bool listed = std::find(c.rightOfChart.begin(), c.rightOfChart.end(), name) != c.rightOfChart.end();
            if (listed) {
                EXPECT_TRUE(follows) << name;
            }
            EXPECT_EQ(larger.at(name).topLeft() - place.topLeft(), QPoint(follows ? extra.width() : 0, 0)) << name;
            EXPECT_EQ(larger.at(name).size(), place.size()) << name;
            EXPECT_FALSE(larger.at(name).intersects(chartPlace)) << name << " lies under the chart";
            EXPECT_TRUE(window.rect().contains(larger.at(name))) << name << " leaves the window";
        }

        // Smaller than defined: both scroll bars, the chart back at its defined size,
        // and every control can be scrolled into full view.
        ResizeTo(window, QSize(600, 400));
        auto* area = window.findChild<QScrollArea*>("PanelScroll");
        ASSERT_NE(area, nullptr);
        EXPECT_TRUE(area->horizontalScrollBar()->isVisible());
        EXPECT_TRUE(area->verticalScrollBar()->isVisible());
        EXPECT_EQ(chart.size(), definedChart);
        for (const auto& [name, place] : defined) {
            QWidget* w = window.findChild<QWidget*>(QString::fromStdString(name));
            ASSERT_NE(w, nullptr) << name;
            // Scrolled so that the control's top left is the view's, as far as the bars go.
            const QPoint onPanel = w->mapTo(area->widget(), QPoint(0, 0));
            area->horizontalScrollBar()->setValue(onPanel.x());
            area->verticalScrollBar()->setValue(onPanel.y());
            QCoreApplication::processEvents();
            const QRect seen(w->mapTo(area->viewport(), QPoint(0, 0)), w->size());
            EXPECT_TRUE(area->viewport()->rect().contains(seen)) << name << " cannot be scrolled into view";
        }

        // Back at the defined size, unscrolled, every control is where it was.
        ResizeTo(window, QSize(944, 618));
        area->horizontalScrollBar()->setValue(0);
        area->verticalScrollBar()->setValue(0);
        EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
        EXPECT_FALSE(area->verticalScrollBar()->isVisible());
        EXPECT_EQ(Places(window, chart), defined);
        window.hide();
    }
}

TEST(ResizableWindows, SizeOnAScreenFitsItsFreeRoom) {
    const QSize smallest(320, 240);
    struct Case {
        QSize size, room, frame, expected;
    };
    for (const Case& c : {
             Case{{944, 618}, {1920, 1050}, {2, 30}, {944, 618}},   // room to spare
             Case{{944, 618}, {933, 570}, {2, 30}, {931, 540}},     // 1400 x 900 at 1.5
             Case{{944, 618}, {944, 648}, {0, 30}, {944, 618}},     // just fits with its frame
             Case{{944, 618}, {944, 647}, {0, 30}, {944, 617}},     // one pixel short
             Case{{944, 618}, {200, 100}, {2, 30}, smallest},       // never below the smallest
         }) {
        EXPECT_EQ(SizeInRoom(c.size, c.room, c.frame, smallest), c.expected)
            << c.room.width() << "x" << c.room.height();
    }
}

}  // namespace
}  // namespace optc::qt
