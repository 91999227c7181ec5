// The charts of the Thin Films and Bulk windows on an offscreen display: the pointer
// readout against the widget's own pixel mapping, zoom by dragging undone by a double
// click, and the axis click on the absorption graph.
#include <QCursor>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QRubberBand>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "bulk/BulkData.h"
#include "bulk/Main_3.h"
#include "bulk/Main_3View.h"
#include "numerics/FloatText.h"
#include "support/SourceTree.h"
#include "support/TempFolder.h"
#include "thinfilm/window/Main_1.h"
#include "thinfilm/window/Main_1View.h"
#include "ui/qt/ChartWidget.h"
#include "ui/ScriptedPlatform.h"
#include "ZoomAnimation.h"

namespace optc::qt {
namespace {

using optc::testing::kExamples;

// The readout's text for a pixel, from the axes' own conversion.
std::string Expected(const char* prefix, const QCPAxis* axis, int pixel, long double scale) {
    const long double rounded =
        static_cast<long double>(Round(static_cast<long double>(axis->pixelToCoord(pixel)) * scale)) / scale;
    return prefix + FloatToStr(rounded);
}

// Moves the pointer as the window system does: to the dialog, which hands the move to
// the widget under the pointer (the readout labels let it through to the chart).
void CheckReadout(QDialog& view, ChartWidget& chart) {
    auto* px = chart.findChild<QLabel*>("PositionX");
    auto* py = chart.findChild<QLabel*>("PositionY");
    ASSERT_TRUE(px && py);
    const QRect plot = chart.axisRect()->rect();
    for (const QPoint at : {plot.center(), QPoint(plot.left() + 3, plot.top() + 7), py->geometry().center(),
                            px->geometry().center() + QPoint(30, 0), plot.bottomRight() - QPoint(2, 2)}) {
        QTest::mouseMove(view.windowHandle(), chart.mapTo(&view, at));
        EXPECT_EQ(px->text().toStdString(), Expected("X = ", chart.xAxis, at.x(), 1000.0L));
        EXPECT_EQ(py->text().toStdString(), Expected("Y = ", chart.yAxis, at.y(), 100.0L));
    }
}

// Drags a rectangle towards the upper left, then double clicks the zoom away. The
// first double click puts both axes on automatic scaling.
void CheckZoomAndDoubleClick(ChartWidget& chart) {
    const QRect plot = chart.axisRect()->rect();
    QTest::mouseDClick(&chart, Qt::LeftButton, {}, plot.center());
    ASSERT_TRUE(WaitForZoom(chart));
    const QCPRange x0 = chart.xAxis->range(), y0 = chart.yAxis->range();
    const QPoint from = plot.center() + QPoint(plot.width() / 4, plot.height() / 4);
    const QPoint to = plot.center() - QPoint(plot.width() / 5, plot.height() / 5);
    // Values compared where the axis is linear: on a logarithmic one, as exponents.
    const bool log = chart.yAxis->scaleType() == QCPAxis::stLogarithmic;
    auto scaled = [log](double y) { return log ? std::log10(y) : y; };
    const double left = chart.xAxis->pixelToCoord(to.x()), right = chart.xAxis->pixelToCoord(from.x());
    const double top = scaled(chart.yAxis->pixelToCoord(to.y())), bottom = scaled(chart.yAxis->pixelToCoord(from.y()));
    const double xPixel = x0.size() / plot.width();
    const double yPixel = (scaled(y0.upper) - scaled(y0.lower)) / plot.height();

    QTest::mousePress(&chart, Qt::LeftButton, {}, from);
    QTest::mouseMove(&chart, (from + to) / 2);
    QTest::mouseMove(&chart, to);
    // While dragging, the rectangle is a black frame two pixels wide.
    const auto* band = chart.findChild<QRubberBand*>();
    ASSERT_TRUE(band && band->isVisible());
    const QRect frame = band->geometry();
    const QImage dragging = chart.grab().toImage();
    for (const int x : {frame.left(), frame.left() + 1, frame.right() - 1, frame.right()})
        EXPECT_EQ(dragging.pixel(x, frame.center().y()), QColor(Qt::black).rgb()) << x;
    EXPECT_NE(dragging.pixel(frame.left() + 2, frame.top() + 2), QColor(Qt::black).rgb());
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, to);
    ASSERT_TRUE(WaitForZoom(chart));
    EXPECT_NEAR(chart.xAxis->range().lower, left, 1.5 * xPixel);
    EXPECT_NEAR(chart.xAxis->range().upper, right, 1.5 * xPixel);
    EXPECT_NEAR(scaled(chart.yAxis->range().lower), bottom, 1.5 * yPixel);
    EXPECT_NEAR(scaled(chart.yAxis->range().upper), top, 1.5 * yPixel);

    QTest::mouseDClick(&chart, Qt::LeftButton, {}, plot.center());
    ASSERT_TRUE(WaitForZoom(chart));
    EXPECT_DOUBLE_EQ(chart.xAxis->range().lower, x0.lower);
    EXPECT_DOUBLE_EQ(chart.xAxis->range().upper, x0.upper);
    EXPECT_DOUBLE_EQ(chart.yAxis->range().lower, y0.lower);
    EXPECT_DOUBLE_EQ(chart.yAxis->range().upper, y0.upper);
}

void ClickBottomAxis(ChartWidget& chart) {
    const QRect plot = chart.axisRect()->rect();
    QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(plot.center().x(), plot.bottom() + 12));
}
void ClickLeftAxis(ChartWidget& chart) {
    const QRect plot = chart.axisRect()->rect();
    QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(plot.left() - 12, plot.center().y()));
}

// Two axis clicks on the absorption graph: logarithmic from the window's minimum,
// then linear keeping it. The chart must draw on either scale.
void CheckAxisClicks(ChartWidget& chart, double logMinimum) {
    ASSERT_EQ(chart.yAxis->scaleType(), QCPAxis::stLinear);
    ClickBottomAxis(chart);
    EXPECT_EQ(chart.yAxis->scaleType(), QCPAxis::stLogarithmic);
    EXPECT_DOUBLE_EQ(chart.yAxis->range().lower, logMinimum);
    EXPECT_FALSE(chart.grab().toImage().isNull());
    // Every value drawn on the logarithmic axis lies above zero.
    for (int g = 0; g < chart.graphCount(); ++g)
        for (auto it = chart.graph(g)->data()->constBegin(); it != chart.graph(g)->data()->constEnd(); ++it) {
            if (!std::isnan(it->value)) {
                EXPECT_GT(it->value, 0.0);
            }
        }
    ClickLeftAxis(chart);
    EXPECT_EQ(chart.yAxis->scaleType(), QCPAxis::stLinear);
    EXPECT_DOUBLE_EQ(chart.yAxis->range().lower, logMinimum);
    EXPECT_FALSE(chart.grab().toImage().isNull());
}

// An axis click on any other graph leaves scale and ranges alone.
void CheckAxisClickIgnored(ChartWidget& chart) {
    const QCPRange x0 = chart.xAxis->range(), y0 = chart.yAxis->range();
    ClickBottomAxis(chart);
    ClickLeftAxis(chart);
    EXPECT_EQ(chart.yAxis->scaleType(), QCPAxis::stLinear);
    EXPECT_EQ(chart.xAxis->range(), x0);
    EXPECT_EQ(chart.yAxis->range(), y0);
}

// The chart sits in a lowered bevel: shadowed top and left edges, lit bottom and right;
// inside it, where the window asks for one, a second lowered bevel in the deeper shades
// of a sunken edge; white inside both.
void CheckBevels(ChartWidget& chart, int outer, int inner) {
    // The axes of the result graphs.
    EXPECT_EQ(chart.xAxis->tickLabelFont().pixelSize(), ChartWidget::kTickLabelPixels);
    EXPECT_EQ(chart.yAxis->labelFont().pixelSize(), ChartWidget::kAxisTitlePixels);
    EXPECT_EQ(chart.LoweredBevel(), outer);
    EXPECT_EQ(chart.InnerLoweredBevel(), inner);
    const QImage image = chart.grab().toImage();
    const int w = image.width(), h = image.height();
    const QPalette& palette = chart.palette();
    auto ring = [&](int i, QPalette::ColorRole topLeft, QPalette::ColorRole bottomRight) {
        EXPECT_EQ(image.pixel(i, h / 2), palette.color(topLeft).rgb()) << i;
        EXPECT_EQ(image.pixel(w / 2, i), palette.color(topLeft).rgb()) << i;
        EXPECT_EQ(image.pixel(w - 1 - i, h / 2), palette.color(bottomRight).rgb()) << i;
        EXPECT_EQ(image.pixel(w / 2, h - 1 - i), palette.color(bottomRight).rgb()) << i;
    };
    for (int i = 0; i < outer; ++i) ring(i, QPalette::Dark, QPalette::Light);
    for (int i = outer; i < outer + inner; ++i) ring(i, QPalette::Shadow, QPalette::Midlight);
    EXPECT_NE(palette.color(QPalette::Dark), palette.color(QPalette::Shadow));
    EXPECT_EQ(image.pixel(outer + inner, h / 2), QColor(Qt::white).rgb());
}

void ClickRadio(QDialog& view, const char* name) {
    auto* radio = view.findChild<QRadioButton*>(name);
    ASSERT_NE(radio, nullptr) << name;
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    ASSERT_TRUE(radio->isChecked()) << name;
}

class ThinFilmChartView : public ::testing::Test {
protected:
    ThinFilmChartView() : data(ThinFilmData::Create()), form(platform, *data, [] { return UnitChoices{}; }) {
        SetDecimalSeparator('.');
        view = std::make_unique<TForm1View>(form);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        platform.openAnswers = {(kExamples / "thinfilm-transmission.txt").string(),
                                (kExamples / "thinfilm-fringes.txt").string()};
        form.Dispatch([&] {
            form.import1.Click();
            form.Import2.Click();
            form.Const2.SetText("1.52");
            form.Wstart.SetText("740");
            form.Wend.SetText("900");
            form.natx.SetText("800");
            form.Calculate.Click();
        });
        EXPECT_TRUE(platform.log.empty()) << platform.log.front();
    }

    ScriptedPlatform platform;
    std::unique_ptr<ThinFilmData> data;
    TForm1 form;
    std::unique_ptr<TForm1View> view;
};

TEST_F(ThinFilmChartView, ReadoutZoomAndDoubleClickOnTheTransmissionGraph) {
    ClickRadio(*view, "RadioButton4");
    CheckReadout(*view, view->Chart());
    CheckZoomAndDoubleClick(view->Chart());
    CheckAxisClickIgnored(view->Chart());
    CheckBevels(view->Chart(), 1, 1);
}

// Moves the screen's pointer, as the user does: the window under it gets the move.
void PointTo(QWidget& widget, QPoint at) {
    QCursor::setPos(widget.mapToGlobal(at));
    QCoreApplication::processEvents();
}

// After a graph change the readout shows nothing stale: the values under the pointer on
// the new graph's axes while the pointer rests on the chart, and nothing once the
// pointer has gone to a graph button, until it comes back.
TEST_F(ThinFilmChartView, ReadoutAfterAGraphChange) {
    ClickRadio(*view, "RadioButton4");
    ChartWidget& chart = view->Chart();
    auto* px = chart.findChild<QLabel*>("PositionX");
    auto* py = chart.findChild<QLabel*>("PositionY");
    const QPoint at = chart.axisRect()->rect().center();
    PointTo(chart, at);
    const QString onTransmission = px->text();
    ASSERT_EQ(onTransmission.toStdString(), Expected("X = ", chart.xAxis, at.x(), 1000.0L));

    form.Dispatch([&] { form.RadioButton2.Click(); });
    EXPECT_NE(px->text(), onTransmission);
    EXPECT_EQ(px->text().toStdString(), Expected("X = ", chart.xAxis, at.x(), 1000.0L));
    EXPECT_EQ(py->text().toStdString(), Expected("Y = ", chart.yAxis, at.y(), 100.0L));

    auto* radio = view->findChild<QRadioButton*>("RadioButton1");
    PointTo(*radio, QPoint(8, radio->height() / 2));
    ClickRadio(*view, "RadioButton1");
    EXPECT_EQ(px->text(), "X = ");
    EXPECT_EQ(py->text(), "Y = ");
    PointTo(chart, at);
    EXPECT_EQ(px->text().toStdString(), Expected("X = ", chart.xAxis, at.x(), 1000.0L));
}

TEST_F(ThinFilmChartView, AxisClicksOnTheAbsorptionGraphAndReadoutOnItsLogarithmicScale) {
    ClickRadio(*view, "RadioButton2");
    CheckAxisClicks(view->Chart(), 0.001);
    ClickBottomAxis(view->Chart());
    ASSERT_EQ(view->Chart().yAxis->scaleType(), QCPAxis::stLogarithmic);
    CheckReadout(*view, view->Chart());
    // The zoom and its undoing keep the logarithmic scale.
    CheckZoomAndDoubleClick(view->Chart());
    EXPECT_EQ(view->Chart().yAxis->scaleType(), QCPAxis::stLogarithmic);
    // The Tauc plot ignores axis clicks and is drawn on a linear axis.
    ClickRadio(*view, "RadioButton3");
    CheckAxisClickIgnored(view->Chart());
}

class BulkChartView : public ::testing::Test {
protected:
    BulkChartView() : data(BulkData::Create()), form(platform, *data, [] { return UnitChoices{}; }), view(form) {
        SetDecimalSeparator('.');
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        // The first two points transmit more than the reflection losses allow: their
        // absorption comes out below zero.
        platform.openAnswers = {temp.Write("spectrum.txt", "800 80\r\n700 75\r\n600 60\r\n550 50\r\n500 40\r\n"
                                                          "450 25\r\n420 12\r\n400 5\r\n")};
        form.Dispatch([&] {
            form.import1.Click();
            form.Calculate.Click();
        });
        EXPECT_TRUE(platform.log.empty()) << platform.log.front();
    }

    ScriptedPlatform platform;
    std::unique_ptr<BulkData> data;
    TForm3 form;
    TForm3View view;
    testing::TempFolder temp{"chart_view"};
};

TEST_F(BulkChartView, ReadoutZoomDoubleClickAndAxisClicks) {
    ClickRadio(view, "RadioButton4");
    CheckReadout(view, view.Chart());
    CheckZoomAndDoubleClick(view.Chart());
    CheckAxisClickIgnored(view.Chart());
    CheckBevels(view.Chart(), 2, 0);

    ClickRadio(view, "RadioButton2");
    int atOrBelowZero = 0;
    for (int i = 1; i <= data->AbsCount; ++i) atOrBelowZero += data->Absorption[i] <= 0.0;
    ASSERT_GT(atOrBelowZero, 0);
    CheckAxisClicks(view.Chart(), 0.1);
    // On a logarithmic axis with points it cannot show, the readout still follows.
    ClickBottomAxis(view.Chart());
    CheckReadout(view, view.Chart());
    CheckZoomAndDoubleClick(view.Chart());
}

}  // namespace
}  // namespace optc::qt
