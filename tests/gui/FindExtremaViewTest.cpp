// "Find Extrema" on the minima window (offscreen platform): the button in the gap
// between the readout and Ok, and a press that puts the marks on the real chart, where
// a right click still removes one.
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "thinfilm/window/Main_4.h"
#include "thinfilm/window/Main_4View.h"
#include "thinfilm/SyntheticFilm.h"
#include "ui/ScriptedPlatform.h"
#include "ui/qt/ChartWidget.h"

namespace optc::qt {
namespace {

TEST(FindExtremaView, ButtonSitsBetweenReadoutAndOkAndMarksTheExtremaOnTheChart) {
    ScriptedPlatform platform;
    auto data = ThinFilmData::Create();
    TForm4 minima{platform, *data};
    TForm4View view{minima};
    // The spectrum in the workspace and on the chart, as Determine Fringes leaves them.
    const auto spectrum = synthetic::Spectrum(synthetic::TwoAndAHalfMicronFilm(), 500, 1100, 601);
    data->SpecCount = 601;
    for (int i = 1; i <= 601; ++i) {
        data->SpecLambda[i] = spectrum[static_cast<std::size_t>(i - 1)].first;
        data->SpecTrans[i] = spectrum[static_cast<std::size_t>(i - 1)].second;
    }
    minima.Dispatch([&] {
        for (const auto& [x, y] : spectrum) minima.Series1.AddXY(x, y, clRed);
    });
    view.show();

    QPushButton& button = view.FindExtrema();
    EXPECT_EQ(button.text(), "Find Extrema");
    EXPECT_EQ(button.geometry(), QRect(614, 557, 140, 27));
    EXPECT_LE(view.PositionY().geometry().right(), 608);
    EXPECT_EQ(view.Ok().geometry(), QRect(760, 562, 161, 45));

    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    const int marks = minima.Series2.Count();
    ASSERT_GE(marks, 4);
    EXPECT_EQ(data->ExtCount, marks);
    // Every mark is drawn where a click finds it; a right click on the first removes it.
    const auto pixel = [&](int k) {
        return QPoint(static_cast<int>(std::lround(view.Chart().xAxis->coordToPixel(minima.Series2.XValue(k)))),
                      static_cast<int>(std::lround(view.Chart().yAxis->coordToPixel(minima.Series2.YValue(k)))));
    };
    for (int k = 0; k < marks; ++k) EXPECT_EQ(view.Chart().PointAt(1, pixel(k)), k) << k;
    const QPoint first = pixel(0);
    QTest::mousePress(&view.Chart(), Qt::RightButton, {}, first);
    QTest::mouseRelease(&view.Chart(), Qt::RightButton, {}, first);
    EXPECT_EQ(minima.Series2.Count(), marks - 1);
}

}  // namespace
}  // namespace optc::qt
