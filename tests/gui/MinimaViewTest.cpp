// The minima window on screen (offscreen platform): marks set and removed with the
// mouse on the real chart widget, the readout under the chart, and closing with Ok.
#include "thinfilm/window/Main_4View.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <functional>
#include <memory>

#include "numerics/FloatText.h"
#include "thinfilm/window/Main_4.h"
#include "thinfilm/ThinFilmData.h"
#include "support/ModalRescue.h"
#include "ui/ScriptedPlatform.h"
#include "ui/qt/Bindings.h"
#include "ui/qt/ChartWidget.h"
#include "ZoomAnimation.h"

namespace optc::qt {
namespace {

double Transmission(double lambda) { return 70.0 + 15.0 * std::sin(lambda / 12.0); }

// The value a mark takes for a pointer at that axis value: to 1/scale, halves to even.
double Rounded(double value, long double scale) {
    return static_cast<double>(static_cast<long double>(Round(static_cast<long double>(value) * scale)) / scale);
}

class MinimaViewTest : public ::testing::Test {
protected:
    MinimaViewTest() {
        SetDecimalSeparator('.');
        // What Determine Fringes puts on the chart: the spectrum and the substrate level.
        minima.Dispatch([&] {
            for (int w = 900; w >= 400; --w) {
                minima.Series3.AddXY(w, 300.0 / 3.25, clGreen);
                minima.Series1.AddXY(w, Transmission(w), clRed);
            }
        });
        view.show();
        chart().replot();
    }

    ChartWidget& chart() { return view.Chart(); }
    QPoint Pixel(double x, double y) {
        return QPoint(static_cast<int>(std::lround(chart().xAxis->coordToPixel(x))),
                      static_cast<int>(std::lround(chart().yAxis->coordToPixel(y))));
    }
    void Click(Qt::MouseButton button, QPoint at) {
        QTest::mousePress(&chart(), button, {}, at);
        QTest::mouseRelease(&chart(), button, {}, at);
    }

    ScriptedPlatform platform;
    std::unique_ptr<ThinFilmData> data = ThinFilmData::Create();
    TForm4 minima{platform, *data};
    TForm4View view{minima};
};

TEST_F(MinimaViewTest, WindowLayout) {
    EXPECT_EQ(view.windowTitle(), "Minima determination");
    EXPECT_EQ(view.size(), QSize(944, 618));
    EXPECT_EQ(view.minimumSize(), view.maximumSize());
    EXPECT_EQ(chart().geometry(), QRect(0, 0, 945, 553));
    EXPECT_EQ(view.Ok().text(), "Ok");
    EXPECT_TRUE(view.Ok().font().bold());
    // Cancel sits between the readout and Ok, clear of both.
    EXPECT_EQ(view.Cancel().text(), "Cancel");
    EXPECT_EQ(view.Cancel().geometry(), QRect(614, 587, 140, 27));
    EXPECT_FALSE(view.Cancel().geometry().intersects(view.PositionY().geometry()));
    EXPECT_FALSE(view.Cancel().geometry().intersects(view.Ok().geometry()));
    EXPECT_GE(view.PositionX().y(), 553);
    EXPECT_GE(view.PositionY().y(), 553);
    EXPECT_EQ(view.PositionX().text(), "X = ");
    EXPECT_EQ(view.PositionY().text(), "Y = ");
    EXPECT_TRUE(view.PositionX().font().bold());
    EXPECT_EQ(view.PositionX().font().pixelSize(), 21);
}

TEST_F(MinimaViewTest, ClicksOnTheCurveSetMarksAtThePointerAndRightClickRemovesThem) {
    // On the curve at 700 nm, and a little below the curve at 812 nm, the lowest point
    // of the spectrum, which lies on the bottom axis line.
    // Between two measured points: the curve is their straight line.
    const QPoint first = Pixel(700.3, 0.7 * Transmission(700.0) + 0.3 * Transmission(701.0));
    const QPoint second = Pixel(812.0, Transmission(812.0)) + QPoint(0, 2);
    const double x1 = chart().PixelToX(first.x()), y1 = chart().PixelToY(first.y());
    const double x2 = chart().PixelToX(second.x()), y2 = chart().PixelToY(second.y());
    Click(Qt::LeftButton, first);
    Click(Qt::LeftButton, second);
    ASSERT_TRUE(platform.errors.empty());
    ASSERT_EQ(minima.Series2.Count(), 2);
    EXPECT_EQ(data->ExtCount, 2);
    EXPECT_EQ(minima.Series2.XValue(0), Rounded(x1, 1000.0L));
    EXPECT_EQ(minima.Series2.YValue(0), Rounded(y1, 100.0L));
    EXPECT_EQ(minima.Series2.XValue(1), Rounded(x2, 1000.0L));
    EXPECT_EQ(minima.Series2.YValue(1), Rounded(y2, 100.0L));
    // The pointer, not the nearest measured point: between the 1 nm grid points.
    ASSERT_NE(x1, std::round(x1));
    EXPECT_NEAR(minima.Series2.XValue(0), 700.3, 1.0);

    // Right clicks on the curve away from the marks, and on the substrate line, and in
    // empty space change nothing.
    Click(Qt::RightButton, Pixel(600.0, Transmission(600.0)));
    Click(Qt::RightButton, Pixel(650.0, 300.0 / 3.25));
    Click(Qt::LeftButton, Pixel(650.0, 300.0 / 3.25));
    Click(Qt::RightButton, first + QPoint(20, 0));
    EXPECT_EQ(minima.Series2.Count(), 2);
    EXPECT_EQ(data->ExtCount, 2);

    // A right click a few pixels off the mark at 812 nm removes that mark only.
    Click(Qt::RightButton, Pixel(minima.Series2.XValue(1), minima.Series2.YValue(1)) + QPoint(2, -2));
    ASSERT_EQ(minima.Series2.Count(), 1);
    EXPECT_EQ(data->ExtCount, 1);
    EXPECT_EQ(minima.Series2.XValue(0), Rounded(x1, 1000.0L));

    // A left click on a mark adds a second one; a right click there takes one away.
    const QPoint onMark = Pixel(minima.Series2.XValue(0), minima.Series2.YValue(0));
    Click(Qt::LeftButton, onMark);
    EXPECT_EQ(minima.Series2.Count(), 2);
    Click(Qt::RightButton, onMark);
    EXPECT_EQ(minima.Series2.Count(), 1);
    EXPECT_EQ(data->ExtCount, 1);
}

TEST_F(MinimaViewTest, ReadoutFollowsThePointerAndDoubleClickUndoesAZoom) {
    const QRect plot = chart().axisRect()->rect();
    const QPoint at(plot.left() + plot.width() / 3, plot.top() + plot.height() / 4);
    QTest::mouseMove(&chart(), at);
    const double x = chart().PixelToX(at.x()), y = chart().PixelToY(at.y());
    EXPECT_EQ(view.PositionX().text(), ToQString("X = " + FloatToStr(Rounded(x, 1000.0L))));
    EXPECT_EQ(view.PositionY().text(), ToQString("Y = " + FloatToStr(Rounded(y, 100.0L))));

    // Zoom by dragging from empty space (above the curve, below the substrate level)
    // towards the lower left, then double click.
    const QPoint from = Pixel(800.0, 88.0), to = Pixel(600.0, 60.0);
    QTest::mousePress(&chart(), Qt::LeftButton, {}, from);
    QTest::mouseMove(&chart(), (from + to) / 2);
    QTest::mouseMove(&chart(), to);
    QTest::mouseRelease(&chart(), Qt::LeftButton, {}, to);
    ASSERT_FALSE(minima.Chart1.BottomAxis().Automatic());
    ASSERT_TRUE(WaitForZoom(chart()));
    EXPECT_NEAR(chart().xAxis->range().lower, 600.0, 3.0);
    QTest::mouseDClick(&chart(), Qt::LeftButton, {}, plot.center());
    ASSERT_TRUE(WaitForZoom(chart()));
    EXPECT_TRUE(minima.Chart1.BottomAxis().Automatic());
    EXPECT_TRUE(minima.Chart1.LeftAxis().Automatic());
    EXPECT_DOUBLE_EQ(chart().xAxis->range().lower, 400.0);
    EXPECT_DOUBLE_EQ(chart().xAxis->range().upper, 900.0);
}

TEST_F(MinimaViewTest, OkTitleBarCancelAndEscapeEndTheModalShowing) {
    view.hide();
    testing::ModalRescue rescue(view);

    rescue.Arm(3000);
    QTimer::singleShot(0, &view, [&] { QTest::mouseClick(&view.Ok(), Qt::LeftButton); });
    view.exec();
    EXPECT_FALSE(rescue.Stuck());
    EXPECT_FALSE(view.isVisible());
    EXPECT_FALSE(minima.Shown());

    rescue.Arm(3000);
    QTimer::singleShot(0, &view, [&] { view.close(); });
    view.exec();
    EXPECT_FALSE(rescue.Stuck());
    EXPECT_FALSE(view.isVisible());
    EXPECT_FALSE(minima.Cancelled());  // the title bar keeps the marks, as Ok does

    // Cancel, and Escape wherever the focus is, abandon the determination.
    const std::function<void()> cancels[] = {
        [&] { QTest::mouseClick(&view.Cancel(), Qt::LeftButton); },
        [&] { QTest::keyClick(&view, Qt::Key_Escape); },
        [&] {
            chart().setFocus();
            QTest::keyClick(&chart(), Qt::Key_Escape);
        },
    };
    for (const auto& cancel : cancels) {
        minima.BeginMarking();
        rescue.Arm(3000);
        QTimer::singleShot(0, &view, cancel);
        view.exec();
        EXPECT_FALSE(rescue.Stuck());
        EXPECT_FALSE(view.isVisible());
        EXPECT_TRUE(minima.Cancelled());
    }
    rescue.Disarm();
}

}  // namespace
}  // namespace optc::qt
