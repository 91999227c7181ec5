#include "ui/ChartInteraction.h"

#include "numerics/FloatText.h"

namespace optc {

namespace {
long double RoundTo(double value, long double scale) {
    return static_cast<long double>(Round(static_cast<long double>(value) * scale)) / scale;
}
}  // namespace

void ShowPointerReadout(double x, double y, StaticText& PositionX, StaticText& PositionY) {
    PositionX.SetText("X = " + FloatToStr(RoundTo(x, 1000.0L)));
    PositionY.SetText("Y = " + FloatToStr(RoundTo(y, 100.0L)));
}

void ClearPointerReadout(StaticText& PositionX, StaticText& PositionY) {
    PositionX.SetText("X = ");
    PositionY.SetText("Y = ");
}

void ToggleLogarithmicLeftAxis(ChartModel& chart, double logMinimum) {
    ChartAxis& left = chart.LeftAxis();
    if (left.logarithmic) {
        left.logarithmic = false;
        return;
    }
    left.SetFixedMinimum(logMinimum);
    left.logarithmic = true;
}

}  // namespace optc
