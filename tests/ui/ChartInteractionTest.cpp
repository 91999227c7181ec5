#include "ui/ChartInteraction.h"

#include <gtest/gtest.h>

#include "numerics/FloatText.h"

namespace optc {
namespace {

TEST(PointerReadout, RoundsToThreeAndTwoDecimalsHalvesToEven) {
    SetDecimalSeparator('.');
    StaticText px("PositionX", "X ="), py("PositionY", "Y =");
    ShowPointerReadout(412.34567, 55.5612, px, py);
    EXPECT_EQ(px.Text(), "X = 412.346");
    EXPECT_EQ(py.Text(), "Y = 55.56");
    // 0.0625 * 100 = 6.25 exactly: the half goes to the even neighbour.
    ShowPointerReadout(2.0005, 0.0625, px, py);
    EXPECT_EQ(py.Text(), "Y = 0.06");
    ShowPointerReadout(-1.25, 7, px, py);
    EXPECT_EQ(px.Text(), "X = -1.25");
    EXPECT_EQ(py.Text(), "Y = 7");
}

TEST(PointerReadout, UsesTheDecimalSeparator) {
    SetDecimalSeparator(',');
    StaticText px("PositionX", "X ="), py("PositionY", "Y =");
    ShowPointerReadout(412.34567, 55.5612, px, py);
    SetDecimalSeparator('.');
    EXPECT_EQ(px.Text(), "X = 412,346");
    EXPECT_EQ(py.Text(), "Y = 55,56");
}

TEST(LogarithmicToggle, TwoClicksReturnALinearAxisWithTheFixedMinimum) {
    ChartModel chart("c");
    ToggleLogarithmicLeftAxis(chart, 0.001);
    EXPECT_TRUE(chart.LeftAxis().logarithmic);
    EXPECT_FALSE(chart.LeftAxis().automaticMinimum);
    EXPECT_EQ(chart.LeftAxis().minimum, 0.001);
    ToggleLogarithmicLeftAxis(chart, 0.001);
    EXPECT_FALSE(chart.LeftAxis().logarithmic);
    EXPECT_FALSE(chart.LeftAxis().automaticMinimum);
    EXPECT_EQ(chart.LeftAxis().minimum, 0.001);
    chart.LeftAxis().SetAutomatic();
    EXPECT_TRUE(chart.LeftAxis().Automatic());
}

}  // namespace
}  // namespace optc
