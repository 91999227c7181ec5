// Charts as pictures: "Save Chart As..." from the context menu writes PNG or PDF, and
// the Bulk window after a whole analysis of the example plate (the guide's picture).
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

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "bulk/BulkData.h"
#include "bulk/Main_3.h"
#include "bulk/Main_3View.h"
#include "numerics/FloatText.h"
#include "support/TempFolder.h"
#include "ui/Form.h"
#include "ui/ScriptedPlatform.h"
#include "ui/qt/ChartWidget.h"

namespace optc::qt {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(__FILE__).parent_path().parent_path().parent_path() / "examples";

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
}

TEST_F(ChartSaveTest, RightClickOpensTheMenuExceptOnAClickableSeries) {
    const QRect plot = widget.axisRect()->rect();
    EXPECT_EQ(ContextMenuAt(widget, QPoint(plot.left() + 10, plot.top() + 10)), QStringList{"Save Chart As..."});
    // Outside the plot area as well (titles, axes).
    EXPECT_EQ(ContextMenuAt(widget, QPoint(widget.width() / 2, 3)), QStringList{"Save Chart As..."});
    EXPECT_EQ(seriesClicks, 0);

    // A right press on a mark goes to the series (the minima window deletes marks so).
    const QPoint mark(static_cast<int>(widget.xAxis->coordToPixel(500.0)),
                      static_cast<int>(widget.yAxis->coordToPixel(50.0)));
    EXPECT_TRUE(ContextMenuAt(widget, mark).isEmpty());
    EXPECT_EQ(seriesClicks, 1);
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

}  // namespace
}  // namespace optc::qt
