// "Find Extrema" on the minima window (offscreen platform): the button in the gap
// between the readout and Ok, and a press of it that puts the marks on the real chart,
// where a right click still removes one.
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "numerics/FloatText.h"
#include "thinfilm/Main_4.h"
#include "thinfilm/Main_4View.h"
#include "thinfilm/SyntheticFilm.h"
#include "thinfilm/ThinFilmData.h"
#include "ui/ScriptedPlatform.h"
#include "ui/qt/ChartWidget.h"

namespace optc::qt {
namespace {

class FindExtremaViewTest : public ::testing::Test {
protected:
    // The spectrum in the workspace and on the chart, as Determine Fringes leaves them.
    void Show(const synthetic::Points& spectrum) {
        data->SpecCount = static_cast<int>(spectrum.size());
        for (int i = 1; i <= data->SpecCount; ++i) {
            data->SpecLambda[i] = spectrum[static_cast<std::size_t>(i - 1)].first;
            data->SpecTrans[i] = spectrum[static_cast<std::size_t>(i - 1)].second;
        }
        minima.Dispatch([&] {
            for (const auto& [x, y] : spectrum) minima.Series1.AddXY(x, y, clRed);
        });
        view.show();
        view.Chart().replot();
    }
    QPoint Pixel(double x, double y) {
        return QPoint(static_cast<int>(std::lround(view.Chart().xAxis->coordToPixel(x))),
                      static_cast<int>(std::lround(view.Chart().yAxis->coordToPixel(y))));
    }

    ScriptedPlatform platform;
    std::unique_ptr<ThinFilmData> data = ThinFilmData::Create();
    TForm4 minima{platform, *data};
    TForm4View view{minima};
};

TEST_F(FindExtremaViewTest, ButtonSitsBetweenReadoutAndOkAndMarksTheExtremaOnTheChart) {
    SetDecimalSeparator('.');
    Show(synthetic::Spectrum(synthetic::TwoAndAHalfMicronFilm(), 500, 1100, 601));
    QPushButton& button = view.FindExtrema();
    EXPECT_EQ(button.text(), "Find Extrema");
    EXPECT_EQ(button.geometry(), QRect(614, 557, 140, 27));
    EXPECT_TRUE(button.isVisible());
    EXPECT_LE(view.PositionY().geometry().right() + 1, button.x());
    EXPECT_LT(button.geometry().right(), view.Ok().x());
    EXPECT_EQ(view.Ok().geometry(), QRect(760, 562, 161, 45));

    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    const int marks = minima.Series2.Count();
    ASSERT_GE(marks, 4);
    EXPECT_EQ(data->ExtCount, marks);
    // Every mark is drawn where a click can take it: a right click on one removes it.
    for (int k = 0; k < marks; ++k)
        EXPECT_EQ(view.Chart().PointAt(1, Pixel(minima.Series2.XValue(k), minima.Series2.YValue(k))), k) << k;
    const double second = minima.Series2.XValue(1);
    const QPoint onFirst = Pixel(minima.Series2.XValue(0), minima.Series2.YValue(0));
    QTest::mousePress(&view.Chart(), Qt::RightButton, {}, onFirst);
    QTest::mouseRelease(&view.Chart(), Qt::RightButton, {}, onFirst);
    EXPECT_EQ(minima.Series2.Count(), marks - 1);
    EXPECT_EQ(minima.Series2.XValue(0), second);
}

TEST_F(FindExtremaViewTest, FlatSpectrumGivesTheMessageAndNoMark) {
    synthetic::Points flat;
    for (int w = 500; w <= 1100; ++w) flat.push_back({w, 91.83});
    Show(synthetic::WithNoise(flat, 0.1, 2));
    QTest::mouseClick(&view.FindExtrema(), Qt::LeftButton);
    EXPECT_EQ(platform.messages, std::vector<std::string>{"No interference fringes were found in the spectrum."});
    EXPECT_EQ(minima.Series2.Count(), 0);
}

}  // namespace
}  // namespace optc::qt
