#include "ui/qt/ChartWidget.h"

#include "ui/qt/ChartMarks.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ui/Form.h"
#include "ui/ScriptedPlatform.h"
#include "ZoomAnimation.h"

namespace optc::qt {
namespace {

// Pixels from a marker's centre to the edge of its circle.
constexpr double kMarkerHalf = ChartWidget::kMarkerSize / 2.0;

struct Click {
    int series;
    MouseButton button;
    double x, y;
    int markUnderPointer;
};

// A chart like the minima window's: a clickable line, clickable labelled marks, and a
// line that ignores clicks.
class ChartWidgetTest : public ::testing::Test {
protected:
    ChartWidgetTest() {
        form.AddChart(model);
        model.AddSeries(SeriesStyle::Line, true);
        model.AddSeries(SeriesStyle::Markers, true, true);
        model.AddSeries(SeriesStyle::Line, false);
        model.OnClickSeries = [this](int s, MouseButton b, double x, double y) {
            clicks.push_back({s, b, x, y, model.GetCursorValueIndex(1)});
        };
        model.OnClickAxis = [this] { ++axisClicks; };
        model.OnDblClick = [this] { ++doubleClicks; };
        model.OnMouseMove = [this](double x, double y) { moves.push_back({x, y}); };
        widget.resize(640, 480);
        widget.show();
        widget.replot();
    }

    // Fixes both axes so that pixels map to known values.
    void Fix(double x0, double x1, double y0, double y1) {
        form.Dispatch([&] { model.ZoomTo(x0, x1, y0, y1); });
    }
    QPoint Pixel(double x, double y) const {
        return QPoint(static_cast<int>(std::lround(widget.xAxis->coordToPixel(x))),
                      static_cast<int>(std::lround(widget.yAxis->coordToPixel(y))));
    }
    QRect Plot() const { return widget.axisRect()->rect(); }

    ScriptedPlatform platform;
    Form form{platform, "Chart"};
    ChartModel model{"To mark a point, click it"};
    ChartWidget widget{model, form};
    std::vector<Click> clicks;
    std::vector<std::pair<double, double>> moves;
    int axisClicks = 0;
    int doubleClicks = 0;
};

TEST_F(ChartWidgetTest, PointerMoveReportsAxisUnitsOfThePixel) {
    Fix(0.0, 100.0, 0.0, 50.0);
    const QRect plot = Plot();
    // A quarter across and half way down the plot area.
    QTest::mouseMove(&widget, QPoint(plot.left() + plot.width() / 4, plot.top() + plot.height() / 2));
    ASSERT_FALSE(moves.empty());
    const double xPerPixel = 100.0 / plot.width(), yPerPixel = 50.0 / plot.height();
    EXPECT_NEAR(moves.back().first, 25.0, 1.5 * xPerPixel);
    EXPECT_NEAR(moves.back().second, 25.0, 1.5 * yPerPixel);
    // Higher on the screen is a larger value.
    QTest::mouseMove(&widget, QPoint(plot.left() + plot.width() / 4, plot.top() + 1));
    EXPECT_NEAR(moves.back().second, 50.0, 2.5 * yPerPixel);

    // On a logarithmic axis the middle of 1..1000 is about 31.6.
    form.Dispatch([&] {
        model.LeftAxis().SetFixedMinimum(1.0);
        model.LeftAxis().automaticMaximum = false;
        model.LeftAxis().maximum = 1000.0;
        model.LeftAxis().logarithmic = true;
    });
    QTest::mouseMove(&widget, QPoint(plot.left() + 10, plot.center().y()));
    EXPECT_NEAR(std::log10(moves.back().second), 1.5, 3.0 / plot.height());
}

TEST_F(ChartWidgetTest, ClickOnAMarkFindsItsIndexAndBetweenMarksNone) {
    form.Dispatch([&] {
        for (int x = 0; x <= 100; x += 10) model.Series(0).AddXY(x, 50.0, clRed);
        // Added out of order: the indices follow ascending X.
        model.Series(1).AddXY(70.0, 50.0, clGreen);
        model.Series(1).AddXY(30.0, 50.0, clGreen);
        model.Series(1).AddXY(50.0, 50.0, clGreen);
    });
    Fix(0.0, 100.0, 0.0, 100.0);

    // A few pixels off the centre of the mark at 50 is still on it.
    QTest::mousePress(&widget, Qt::RightButton, {}, Pixel(50.0, 50.0) + QPoint(2, -2));
    QTest::mouseRelease(&widget, Qt::RightButton, {}, Pixel(50.0, 50.0) + QPoint(2, -2));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].series, 1);  // the marks lie above the curve
    EXPECT_EQ(clicks[0].button, MouseButton::Right);
    EXPECT_EQ(clicks[0].markUnderPointer, 1);

    // On the curve half way between two marks: the curve is clicked, no mark is there.
    QTest::mousePress(&widget, Qt::LeftButton, {}, Pixel(40.0, 50.0));
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, Pixel(40.0, 50.0));
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[1].series, 0);
    EXPECT_EQ(clicks[1].button, MouseButton::Left);
    EXPECT_EQ(clicks[1].markUnderPointer, -1);
    EXPECT_NEAR(clicks[1].x, 40.0, 100.0 / Plot().width());

    // Well beside the curve nothing is clicked; the pointer is still known.
    QTest::mousePress(&widget, Qt::LeftButton, {}, Pixel(50.0, 80.0));
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, Pixel(50.0, 80.0));
    EXPECT_EQ(clicks.size(), 2u);
    EXPECT_EQ(model.GetCursorValueIndex(1), -1);
    // Near the mark at 70 by moving only.
    QTest::mouseMove(&widget, Pixel(70.0, 50.0) + QPoint(-3, 0));
    EXPECT_EQ(model.GetCursorValueIndex(1), 2);
}

TEST_F(ChartWidgetTest, LinesThatIgnoreClicksAndOnlyTheNearestMarkCount) {
    form.Dispatch([&] {
        model.Series(2).AddXY(0.0, 20.0, clGreen);
        model.Series(2).AddXY(100.0, 20.0, clGreen);
        model.Series(1).AddXY(50.0, 60.0, clGreen);
        model.Series(1).AddXY(50.4, 60.0, clGreen);
    });
    Fix(0.0, 100.0, 0.0, 100.0);
    QTest::mousePress(&widget, Qt::LeftButton, {}, Pixel(30.0, 20.0));
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, Pixel(30.0, 20.0));
    EXPECT_TRUE(clicks.empty());
    // Two marks under the pointer: the nearer one is reported.
    QTest::mousePress(&widget, Qt::LeftButton, {}, Pixel(50.4, 60.0) + QPoint(1, 0));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].markUnderPointer, 1);
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, Pixel(50.4, 60.0) + QPoint(1, 0));
}

TEST_F(ChartWidgetTest, AxisClickAndDoubleClick) {
    Fix(0.0, 100.0, 0.0, 100.0);
    const QRect plot = Plot();
    const QPoint belowBottomAxis(plot.center().x(), plot.bottom() + 12);
    QTest::mouseClick(&widget, Qt::LeftButton, {}, belowBottomAxis);
    EXPECT_EQ(axisClicks, 1);
    const QPoint leftOfLeftAxis(plot.left() - 12, plot.center().y());
    QTest::mouseClick(&widget, Qt::RightButton, {}, leftOfLeftAxis);
    EXPECT_EQ(axisClicks, 2);
    // Inside the plot area is not an axis.
    QTest::mouseClick(&widget, Qt::LeftButton, {}, plot.center());
    EXPECT_EQ(axisClicks, 2);
    QTest::mouseDClick(&widget, Qt::LeftButton, {}, plot.center());
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(ChartWidgetTest, DragZoomsInEveryDirection) {
    form.Dispatch([&] {
        model.Series(2).AddXY(0.0, 0.0, clBlue);
        model.Series(2).AddXY(100.0, 100.0, clBlue);
    });
    const QRect plot = Plot();
    const double xs = 100.0 / plot.width(), ys = 100.0 / plot.height();
    const QPoint a = Pixel(20.0, 70.0), b = Pixel(60.0, 30.0);
    const std::vector<std::pair<QPoint, QPoint>> drags = {
        {a, b},                                            // down and right
        {b, a},                                            // up and left
        {QPoint(a.x(), b.y()), QPoint(b.x(), a.y())},      // up and right
        {QPoint(b.x(), a.y()), QPoint(a.x(), b.y())},      // down and left
    };
    for (const auto& [from, to] : drags) {
        form.Dispatch([&] {
            model.LeftAxis().SetAutomatic();
            model.BottomAxis().SetAutomatic();
        });
        ASSERT_NEAR(widget.xAxis->range().upper, 100.0, 1e-9);
        QTest::mousePress(&widget, Qt::LeftButton, {}, from);
        QTest::mouseMove(&widget, (from + to) / 2);
        QTest::mouseMove(&widget, to);
        QTest::mouseRelease(&widget, Qt::LeftButton, {}, to);
        EXPECT_NEAR(model.BottomAxis().minimum, 20.0, 2 * xs);
        EXPECT_NEAR(model.BottomAxis().maximum, 60.0, 2 * xs);
        EXPECT_NEAR(model.LeftAxis().minimum, 30.0, 2 * ys);
        EXPECT_NEAR(model.LeftAxis().maximum, 70.0, 2 * ys);
        EXPECT_FALSE(model.LeftAxis().Automatic());
        // The widget ends on the zoomed range.
        ASSERT_TRUE(WaitForZoom(widget));
        EXPECT_DOUBLE_EQ(widget.xAxis->range().lower, model.BottomAxis().minimum);
        EXPECT_DOUBLE_EQ(widget.yAxis->range().upper, model.LeftAxis().maximum);
    }
    // A drag of a pixel or two is a click, not a zoom.
    form.Dispatch([&] { model.BottomAxis().SetAutomatic(); });
    QTest::mousePress(&widget, Qt::LeftButton, {}, a);
    QTest::mouseMove(&widget, a + QPoint(2, 1));
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, a + QPoint(2, 1));
    EXPECT_TRUE(model.BottomAxis().Automatic());
}

TEST_F(ChartWidgetTest, EachPointShowsItsOwnColour) {
    form.Dispatch([&] {
        model.Series(1).AddXY(20.0, 50.0, clRed);
        model.Series(1).AddXY(50.0, 50.0, clBlue);
        model.Series(1).AddXY(80.0, 50.0, clGreen);
    });
    Fix(0.0, 100.0, 0.0, 100.0);
    const QImage image = widget.grab().toImage();
    EXPECT_EQ(image.pixelColor(Pixel(20.0, 50.0)), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(Pixel(50.0, 50.0)), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(Pixel(80.0, 50.0)), QColor(0, 128, 0));
    // Each mark carries its wavelength as a label.
    ASSERT_EQ(widget.itemCount(), 3);
    EXPECT_EQ(qobject_cast<QCPItemText*>(widget.item(1))->text(), "50");
}

TEST_F(ChartWidgetTest, AMarkerIsAWholeCircleAroundItsPoint) {
    form.Dispatch([&] { model.Series(1).AddXY(50.0, 50.0, clRed); });
    Fix(0.0, 100.0, 0.0, 100.0);
    const QImage image = widget.grab().toImage();
    const QPoint at = Pixel(50.0, 50.0);
    // The circle is kMarkerSize across: three pixels out it is still red, six out it is
    // the background. (Its label lies above it.)
    for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1)}) {
        EXPECT_EQ(image.pixelColor(at + 3 * step), QColor(255, 0, 0)) << step.x() << "," << step.y();
        EXPECT_EQ(image.pixelColor(at + 6 * step), QColor(Qt::white)) << step.x() << "," << step.y();
    }
}

TEST_F(ChartWidgetTest, LogarithmicAxisLeavesOutValuesAtOrBelowZero) {
    form.Dispatch([&] {
        const double ys[] = {-5.0, 0.0, 1.0, 10.0, 100.0};
        for (int i = 0; i < 5; ++i) {
            model.Series(1).AddXY(i, ys[i], clBlue);
            model.Series(0).AddXY(i, ys[i], clRed);
        }
        model.LeftAxis().logarithmic = true;
    });
    EXPECT_EQ(widget.yAxis->scaleType(), QCPAxis::stLogarithmic);
    EXPECT_DOUBLE_EQ(widget.yAxis->range().lower, 1.0);
    EXPECT_DOUBLE_EQ(widget.yAxis->range().upper, 100.0);
    const QImage image = widget.grab().toImage();
    EXPECT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(Pixel(3.0, 10.0)), QColor(0, 0, 255));
    // A fixed minimum of zero cannot be shown on a logarithmic axis either.
    form.Dispatch([&] { model.LeftAxis().SetFixedMinimum(0.0); });
    EXPECT_GT(widget.yAxis->range().lower, 0.0);
    EXPECT_FALSE(widget.grab().toImage().isNull());
    // Back to linear, everything is shown again.
    form.Dispatch([&] {
        model.LeftAxis().logarithmic = false;
        model.LeftAxis().SetAutomatic();
    });
    EXPECT_DOUBLE_EQ(widget.yAxis->range().lower, -5.0);
}

TEST_F(ChartWidgetTest, RedrawsOncePerEventAndOnlyWhenTheChartChanged) {
    int replots = 0;
    QCoreApplication::processEvents();  // the first showing's own repaint
    QObject::connect(&widget, &QCustomPlot::afterReplot, [&] { ++replots; });
    model.Series(1).AddXY(1.0, 1.0, clRed);
    model.Series(1).AddXY(2.0, 2.0, clRed);
    EXPECT_EQ(replots, 0);
    form.FlushCharts();
    EXPECT_EQ(replots, 1);
    // Pointer moves over an unchanged chart draw nothing.
    QTest::mouseMove(&widget, Plot().center());
    QTest::mouseMove(&widget, Plot().center() + QPoint(5, 5));
    EXPECT_EQ(replots, 1);
    // A handler that changes the chart many times is drawn once.
    form.Dispatch([&] {
        for (int i = 0; i < 100; ++i) model.Series(0).AddXY(i, i, clBlue);
        model.BottomAxis().title = "Wavelengths , nm";
    });
    EXPECT_EQ(replots, 2);
    EXPECT_EQ(widget.xAxis->label(), "Wavelengths , nm");
}

TEST_F(ChartWidgetTest, ZoomAndItsUndoMoveTheAxesGradually) {
    model.OnDblClick = [this] {
        model.LeftAxis().SetAutomatic();
        model.BottomAxis().SetAutomatic();
    };
    form.Dispatch([&] {
        model.Series(2).AddXY(0.0, 0.0, clBlue);
        model.Series(2).AddXY(100.0, 100.0, clBlue);
    });
    std::vector<QCPRange> frames;
    QObject::connect(&widget, &QCustomPlot::afterReplot, [&] { frames.push_back(widget.xAxis->range()); });

    // Each frame lies between the old and the new range, nearer the new one each time;
    // the last is the new range exactly.
    auto checkFrames = [&](QCPRange from, QCPRange to) {
        ASSERT_FALSE(frames.empty());
        EXPECT_EQ(frames.front(), from);
        for (std::size_t i = 1; i < frames.size(); ++i) {
            EXPECT_LE(std::abs(frames[i].lower - to.lower), std::abs(frames[i - 1].lower - to.lower));
            EXPECT_LE(std::abs(frames[i].upper - to.upper), std::abs(frames[i - 1].upper - to.upper));
        }
        EXPECT_EQ(frames.back(), to);
    };
    const QCPRange whole = widget.xAxis->range();
    const QPoint a = Pixel(20.0, 70.0), b = Pixel(60.0, 30.0);
    QTest::mousePress(&widget, Qt::LeftButton, {}, a);
    QTest::mouseMove(&widget, b);
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, b);
    EXPECT_TRUE(widget.Animating());
    ASSERT_TRUE(WaitForZoom(widget));
    const QCPRange zoomed(model.BottomAxis().minimum, model.BottomAxis().maximum);
    checkFrames(whole, zoomed);

    frames.clear();
    QTest::mouseDClick(&widget, Qt::LeftButton, {}, Plot().center());
    EXPECT_TRUE(widget.Animating());
    ASSERT_TRUE(WaitForZoom(widget));
    checkFrames(zoomed, whole);

    // Any other change of the chart shows its range at once.
    frames.clear();
    Fix(10.0, 30.0, 0.0, 100.0);
    EXPECT_FALSE(widget.Animating());
    EXPECT_EQ(widget.xAxis->range(), QCPRange(10.0, 30.0));
}

// Automatic scaling puts the extreme points on the edges of the plot: their markers are
// drawn whole all the same, and the labels of marks stay inside the plot area.
TEST_F(ChartWidgetTest, MarkersAndMarkLabelsAreWholeAtThePlotEdges) {
    form.Dispatch([&] {
        model.Series(1).AddXY(0.0, 0.0, clGreen);
        model.Series(1).AddXY(50.0, 40.0, clGreen);
        model.Series(1).AddXY(100.0, 100.0, clGreen);
    });
    const QImage image = widget.grab().toImage();
    const QRect plot = Plot();
    // Beyond the plot's corners, where a clipped marker would end.
    EXPECT_EQ(image.pixelColor(Pixel(0.0, 0.0) + QPoint(-2, 2)), QColor(0, 128, 0));
    EXPECT_EQ(image.pixelColor(Pixel(100.0, 100.0) + QPoint(2, -2)), QColor(0, 128, 0));
    ASSERT_EQ(widget.itemCount(), 3);
    for (int i = 0; i < widget.itemCount(); ++i) {
        const QRectF box = dynamic_cast<MarkLabel*>(widget.item(i))->Box();
        EXPECT_TRUE(QRectF(plot).contains(box)) << i;
        // Above its mark, or below it where there is no room above.
        const QPointF mark = widget.item(i)->positions().front()->pixelPosition();
        EXPECT_TRUE(box.bottom() <= mark.y() - kMarkerHalf || box.top() >= mark.y() + kMarkerHalf) << i;
    }
    // A marker whose centre lies outside the plot area is not drawn at all.
    Fix(0.0, 49.7, 0.0, 100.0);
    const QImage zoomed = widget.grab().toImage();
    EXPECT_NE(zoomed.pixelColor(Plot().right() - 1, Pixel(50.0, 40.0).y()), QColor(0, 128, 0));
}

// A hundred marks 3 nm apart, as the minima window shows a real spectrum's: only every
// k-th label is drawn and no two drawn labels meet; zoomed in, every mark in view has
// its label, and no mark outside the view has one (at the plot's edge).
TEST_F(ChartWidgetTest, CrowdedMarksThinTheirLabelsAndMarksOutOfViewHaveNone) {
    form.Dispatch([&] {
        // Added from the right: the ranks follow ascending X.
        for (int i = 99; i >= 0; --i) model.Series(1).AddXY(400.0 + 3.0 * i, 40.0 + i % 3, clGreen);
    });
    const auto labels = [this] {
        std::vector<MarkLabel*> all;
        for (int i = 0; i < widget.itemCount(); ++i) all.push_back(dynamic_cast<MarkLabel*>(widget.item(i)));
        return all;
    };
    Fix(400.0, 697.0, 0.0, 100.0);
    widget.replot();
    ASSERT_EQ(labels().size(), 100u);
    std::vector<MarkLabel*> drawn;
    for (MarkLabel* label : labels()) {
        ASSERT_NE(label, nullptr);
        if (label->Drawn()) drawn.push_back(label);
    }
    ASSERT_GE(drawn.size(), 3u);
    EXPECT_LT(drawn.size(), 50u);
    int step = 100;
    for (MarkLabel* a : drawn) {
        if (a->Rank() > 0) step = std::min(step, a->Rank());
        for (MarkLabel* b : drawn) {
            if (a != b) {
                EXPECT_FALSE(a->Box().intersects(b->Box())) << a->text().toStdString() << " " << b->text().toStdString();
            }
        }
    }
    // Every k-th mark from the first on, with no gap larger than k.
    EXPECT_EQ(drawn.size(), static_cast<std::size_t>((99 / step) + 1));
    for (MarkLabel* label : drawn) EXPECT_EQ(label->Rank() % step, 0) << label->text().toStdString();

    // Zoomed in on 430..460 nm: the eleven marks there all have their labels; those
    // outside, 400 nm among them, none.
    Fix(430.0, 460.0, 0.0, 100.0);
    widget.replot();
    int inView = 0;
    for (MarkLabel* label : labels()) {
        EXPECT_EQ(label->Drawn(), label->InView()) << label->text().toStdString();
        if (label->InView()) {
            ++inView;
            EXPECT_TRUE(QRectF(Plot()).contains(label->Box())) << label->text().toStdString();
        }
        if (label->text() == "400") {
            EXPECT_FALSE(label->Drawn());
        }
    }
    EXPECT_EQ(inView, 11);
}

// A flat series (a constant reflection, also one whose values differ only in the last
// digits of their arithmetic) gets a range around its value with tick labels that read
// differently; so does a deep zoom.
TEST_F(ChartWidgetTest, FlatSeriesAndDeepZoomsKeepTheirTickLabelsApart) {
    const double noisy = 9.6314;
    struct Case {
        const char* what;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"constant", {noisy, noisy, noisy}},
        {"constant up to rounding", {noisy, std::nextafter(noisy, 10.0), std::nextafter(noisy, 9.0)}},
        {"zero", {0.0, 0.0}},
        {"negative", {-250.0, -250.0}},
        {"large up to rounding", {1.5e5, std::nextafter(1.5e5, 2e5)}},
    };
    auto distinctLabels = [this](const char* what) {
        const QVector<QString> labels = widget.yAxis->tickVectorLabels();
        EXPECT_GE(labels.size(), 2) << what;
        for (qsizetype i = 1; i < labels.size(); ++i) EXPECT_NE(labels[i], labels[i - 1]) << what;
    };
    for (const Case& c : cases) {
        form.Dispatch([&] {
            model.Series(2).Clear();
            for (std::size_t i = 0; i < c.values.size(); ++i) model.Series(2).AddXY(double(i), c.values[i], clBlue);
        });
        const QCPRange range = widget.yAxis->range();
        EXPECT_LT(range.lower, c.values[0]) << c.what;
        EXPECT_GT(range.upper, c.values[0]) << c.what;
        EXPECT_NEAR(range.center(), c.values[0], 1e-9 * (1.0 + std::abs(c.values[0]))) << c.what;
        distinctLabels(c.what);
    }
    Fix(0.0, 1.0, 9.63140, 9.63145);
    distinctLabels("deep zoom");
}

// The result graphs' axes: labels 16 pixels high, titles 21, one minor tick of one
// pixel between the left axis's major ticks (on either scale), and the bottom title 50
// pixels below the axis line whether the labels take one line or two.
TEST_F(ChartWidgetTest, ResultGraphAxes) {
    form.Dispatch([&] {
        model.BottomAxis().title = "Wavelengths, nm";
        model.Series(2).AddXY(400.0, 0.5, clBlue);
        model.Series(2).AddXY(900.0, 80.0, clBlue);
    });
    widget.UseResultGraphAxes();
    for (const QCPAxis* axis : {widget.xAxis, widget.yAxis}) {
        EXPECT_EQ(axis->tickLabelFont().pixelSize(), 16);
        EXPECT_EQ(axis->labelFont().pixelSize(), 21);
    }
    EXPECT_EQ(widget.yAxis->subTickLengthIn(), 1);
    EXPECT_EQ(widget.yAxis->subTickLengthOut(), 0);
    auto minorTicksPerStep = [this] {
        QVector<double> ticks, minor;
        widget.yAxis->ticker()->generate(widget.yAxis->range(), widget.locale(), 'g', 6, ticks, &minor, nullptr);
        return static_cast<double>(minor.size()) / static_cast<double>(ticks.size() + 1);
    };
    EXPECT_NEAR(minorTicksPerStep(), 1.0, 0.35);
    form.Dispatch([&] { model.LeftAxis().logarithmic = true; });
    EXPECT_NEAR(minorTicksPerStep(), 1.0, 0.5);

    auto band = [this] {
        widget.replot();
        const QRect plot = Plot();
        // The axis's hit test finds its title from the row after the band's end.
        for (int y = plot.bottom(); y < widget.height(); ++y)
            if (widget.xAxis->getPartAt(QPointF(plot.center().x(), y)) == QCPAxis::spAxisLabel)
                return y - 1 - plot.bottom();
        return -1;
    };
    EXPECT_EQ(band(), 50);
    // Labels of two lines.
    struct TwoLines : QCPAxisTicker {
        QString getTickLabel(double tick, const QLocale& locale, QChar format, int precision) override {
            return QCPAxisTicker::getTickLabel(tick, locale, format, precision) + "\nnm";
        }
    };
    widget.xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new TwoLines));
    EXPECT_EQ(band(), 50);
    EXPECT_TRUE(widget.xAxis->tickVectorLabels().front().contains('\n'));
}

}  // namespace
}  // namespace optc::qt
