// Charts as pictures: "Save Chart As..." from the context menu writes PNG or PDF; the
// Bulk window after a whole analysis of the example plate and the minima window with
// marks on the example film (the guide's pictures).
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/Application.h"
#include "bulk/BulkData.h"
#include "bulk/Main_3.h"
#include "bulk/Main_3View.h"
#include "numerics/FloatText.h"
#include "support/SourceTree.h"
#include "support/TempFolder.h"
#include "thinfilm/window/Main_4View.h"
#include "ui/Form.h"
#include "ui/qt/ChartMarks.h"
#include "ui/qt/ChartWidget.h"
#include "ui/ScriptedPlatform.h"
#include "ZoomAnimation.h"

namespace optc::qt {
namespace {

using optc::testing::kExamples;

namespace fs = std::filesystem;

std::string Head(const fs::path& file, std::size_t n) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes(n, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(n));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

// The captions of the context menu a right press at `at` opens, or nothing when none opens.
QStringList ContextMenuAt(QWidget& widget, QPoint at) {
    QStringList captions;
    QTimer::singleShot(0, [&captions] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* action : menu->actions()) captions << action->text();
            menu->close();
        }
    });
    QTest::mousePress(&widget, Qt::RightButton, {}, at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget.mapToGlobal(at));
    QApplication::sendEvent(&widget, &event);
    QTest::mouseRelease(&widget, Qt::RightButton, {}, at);
    QApplication::processEvents();
    return captions;
}

class ChartSaveTest : public ::testing::Test {
protected:
    ChartSaveTest() {
        form.AddChart(model);
        model.AddSeries(SeriesStyle::Markers, true);  // clickable, as the minima window's marks
        model.AddSeries(SeriesStyle::Line, false);
        model.OnClickSeries = [this](int, MouseButton, double, double) { ++seriesClicks; };
        form.Dispatch([this] {
            model.BottomAxis().title = "Wavelengths, nm";
            model.LeftAxis().title = "T , %";
            model.Series(0).AddXY(500.0, 50.0, kRed);
            for (int i = 0; i <= 100; ++i) model.Series(1).AddXY(400.0 + 4.0 * i, 20.0 + 0.5 * i, kBlue);
        });
        widget.resize(473, 345);
        widget.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
    }

    static constexpr Color kRed{255, 0, 0};
    static constexpr Color kBlue{0, 0, 255};

    ScriptedPlatform platform;
    Form form{platform, "Chart"};
    ChartModel model{"Optical Characteristics"};
    ChartWidget widget{model, form};
    testing::TempFolder temp{"chart_save"};
    fs::path dir = temp.Path();
    int seriesClicks = 0;
};

TEST_F(ChartSaveTest, WritesPngOrPdfByTheChosenEnding) {
    const fs::path png = dir / "chart.png";
    EXPECT_EQ(widget.SaveAs(png.string()), png.string());
    ASSERT_TRUE(fs::exists(png));
    EXPECT_GT(fs::file_size(png), 1000u);
    EXPECT_EQ(Head(png, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    // What the chart shows, at its size: the red marker and the blue line are in it.
    const QImage image(QString::fromStdString(png.string()));
    ASSERT_EQ(image.size(), widget.size());
    bool red = false, blue = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red = red || (c.red() > 200 && c.green() < 60 && c.blue() < 60);
            blue = blue || (c.blue() > 200 && c.red() < 60 && c.green() < 60);
        }
    EXPECT_TRUE(red);
    EXPECT_TRUE(blue);

    const fs::path pdf = dir / "chart.PDF";
    EXPECT_EQ(widget.SaveAs(pdf.string()), pdf.string());
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_GT(fs::file_size(pdf), 500u);
    EXPECT_EQ(Head(pdf, 5), "%PDF-");
    // The marker is a shape in the document, not a copied picture as on screen.
    EXPECT_EQ(Head(pdf, fs::file_size(pdf)).find("/Subtype /Image"), std::string::npos);

    // Any other ending is kept and a PNG is written after it.
    EXPECT_EQ(widget.SaveAs((dir / "chart.v2").string()), (dir / "chart.v2.png").string());
    EXPECT_EQ(Head(dir / "chart.v2.png", 4), "\x89PNG");
}

TEST_F(ChartSaveTest, MenuEntryAsksForANameAndReportsAFailure) {
    platform.saveAnswers = {(dir / "graph.pdf").string(), std::nullopt, (dir / "missing" / "graph.png").string()};
    widget.SaveChartAs();
    EXPECT_EQ(Head(dir / "graph.pdf", 4), "%PDF");
    ASSERT_EQ(platform.dialogFilters.size(), 1u);
    EXPECT_EQ(platform.dialogFilters[0], "PNG picture (*.png);;PDF document (*.pdf)");

    widget.SaveChartAs();  // cancelled: nothing written, nothing said
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    EXPECT_TRUE(platform.log.empty());

    widget.SaveChartAs();
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0], "Unable to save the chart to " + (dir / "missing" / "graph.png").string());

    // A picture saved over an earlier one replaces it whole, with no temporary left.
    platform.saveAnswers = {(dir / "graph.pdf").string()};
    widget.SaveChartAs();
    EXPECT_EQ(Head(dir / "graph.pdf", 4), "%PDF");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

// The menu opens only where a right click does nothing else: never on an axis or on a
// clickable series, and on a chart whose series take clicks (the minima window's) only
// on the empty plot area. Elsewhere the press does its own work.
TEST_F(ChartSaveTest, RightClickOpensTheMenuOnlyWhereItDoesNothingElse) {
    ChartModel plain("Optical Characteristics");
    form.AddChart(plain);
    plain.AddSeries(SeriesStyle::Line, false);
    int axisClicks = 0;
    plain.OnClickAxis = [&axisClicks] { ++axisClicks; };
    ChartWidget plainWidget(plain, form);
    plainWidget.resize(473, 345);
    plainWidget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plainWidget));

    struct Case {
        const char* where;
        ChartWidget* chart;
        QPoint at;
        bool menu;
    };
    auto inPlot = [](ChartWidget& w) { return w.axisRect()->rect().topLeft() + QPoint(10, 10); };
    auto onTitle = [](ChartWidget& w) { return QPoint(w.width() / 2, 3); };
    auto onLeftAxis = [](ChartWidget& w) {
        return QPoint(w.axisRect()->rect().left() - 12, w.axisRect()->rect().center().y());
    };
    const QPoint mark(static_cast<int>(widget.xAxis->coordToPixel(500.0)),
                      static_cast<int>(widget.yAxis->coordToPixel(50.0)));
    const Case cases[] = {
        {"empty plot, clickable series", &widget, inPlot(widget), true},
        {"title, clickable series", &widget, onTitle(widget), false},
        {"axis, clickable series", &widget, onLeftAxis(widget), false},
        {"mark", &widget, mark, false},
        {"empty plot", &plainWidget, inPlot(plainWidget), true},
        {"title", &plainWidget, onTitle(plainWidget), true},
        {"axis", &plainWidget, onLeftAxis(plainWidget), false},
    };
    for (const Case& c : cases) {
        const QStringList expected = c.menu ? QStringList{"Save Chart As..."} : QStringList{};
        EXPECT_EQ(ContextMenuAt(*c.chart, c.at), expected) << c.where;
    }
    // The right press on the mark went to the series (the minima window deletes marks
    // so), the one on the plain chart's axis clicked the axis.
    EXPECT_EQ(seriesClicks, 1);
    EXPECT_EQ(axisClicks, 1);
}

// The Bulk window after the example plate's analysis with its reflection spectrum: the
// Tauc plot with the fitted line across the whole range. With OPTC_BULK_SCREENSHOT set,
// the picture is saved there.
TEST(BulkPicture, TaucPlotOfTheExamplePlate) {
    SetDecimalSeparator('.');
    ScriptedPlatform platform;
    auto data = BulkData::Create();
    TForm3 form(platform, *data, [] { return UnitChoices{}; });
    TForm3View view(form);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    auto click = [&](const char* name) {
        auto* w = view.findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name;
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
    };
    auto type = [&](const char* name, const QString& text) {
        auto* edit = view.findChild<QLineEdit*>(name);
        ASSERT_NE(edit, nullptr) << name;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    };
    platform.openAnswers = {(kExamples / "bulk-transmission.txt").string(), (kExamples / "bulk-reflection.txt").string()};
    click("import1");
    click("Button2");
    type("Thickness", "0.1");
    click("Calculate");
    click("RadioButton3");
    type("Estart", "3.55");
    type("Eend", "3.8");
    click("CalculatEg");
    QTest::mouseDClick(&view.Chart(), Qt::LeftButton, {}, view.Chart().axisRect()->rect().center());
    ASSERT_TRUE(WaitForZoom(view.Chart()));
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    EXPECT_EQ(view.findChild<QLabel*>("EgOutput")->text(), "3.5003");
    EXPECT_EQ(view.Chart().yAxis->label(), "(ahv)**1/2");

    const QImage picture = view.grab().toImage();
    EXPECT_EQ(picture.size() / picture.devicePixelRatio(), QSize(944, 618));
    const QByteArray target = qgetenv("OPTC_BULK_SCREENSHOT");
    if (!target.isEmpty()) {
        EXPECT_TRUE(picture.save(QString::fromLocal8Bit(target)));
    }
}

// Determine Fringes on the example film: the minima window with marks set by clicks at
// both ends of the spectrum, which lie on the plot's left and right edges, and on the
// fringe extrema above 700 nm. Every mark and its label is drawn whole inside the chart.
// With OPTC_MINIMA_SCREENSHOT set, the window is saved there as a picture.
TEST(MinimaPicture, MarksAtBothEndsOfTheExampleSpectrum) {
    SetDecimalSeparator('.');
    ScriptedPlatform platform;
    Application app(platform);
    TForm4View view(app.Form4);
    platform.openAnswers = {(kExamples / "thinfilm-transmission.txt").string()};
    app.Form1.Dispatch([&] {
        app.Form1.import1.Click();
        app.Form1.Const2.SetText("1.52");
    });
    QImage picture;
    int marked = 0;
    platform.modalScripts.push_back([&](Form&) {
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        ChartWidget& chart = view.Chart();
        const ChartSeries& curve = app.Form4.Series1;
        auto click = [&](int i) {
            const QPoint at(static_cast<int>(std::lround(chart.xAxis->coordToPixel(curve.XValue(i)))),
                            static_cast<int>(std::lround(chart.yAxis->coordToPixel(curve.YValue(i)))));
            QTest::mouseClick(&chart, Qt::LeftButton, {}, at);
            ++marked;
        };
        click(0);
        for (int i = 1; i + 1 < curve.Count(); ++i) {
            const double y = curve.YValue(i);
            if (curve.XValue(i) > 700.0 && (y > curve.YValue(i - 1)) == (y > curve.YValue(i + 1))) click(i);
        }
        click(curve.Count() - 1);
        ASSERT_EQ(app.Form4.Series2.Count(), marked);
        // Both end marks sit on the plot's edges.
        const QRect plot = chart.axisRect()->rect();
        EXPECT_NEAR(chart.xAxis->coordToPixel(app.Form4.Series2.XValue(0)), plot.left(), 1.5);
        EXPECT_NEAR(chart.xAxis->coordToPixel(app.Form4.Series2.XValue(marked - 1)), plot.right(), 1.5);
        for (int i = 0; i < chart.itemCount(); ++i) {
            const auto* label = dynamic_cast<MarkLabel*>(chart.item(i));
            ASSERT_NE(label, nullptr);
            EXPECT_TRUE(QRectF(plot).contains(label->Box())) << label->text().toStdString();
        }
        picture = view.grab().toImage();
    });
    app.Form1.Dispatch([&] { app.Form1.Button2.Click(); });
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    EXPECT_GT(marked, 6);
    EXPECT_EQ(picture.size() / picture.devicePixelRatio(), QSize(944, 618));
    const QByteArray target = qgetenv("OPTC_MINIMA_SCREENSHOT");
    if (!target.isEmpty()) {
        EXPECT_TRUE(picture.save(QString::fromLocal8Bit(target)));
    }
}

}  // namespace
}  // namespace optc::qt
