#pragma once
// Chart interactions shared by the windows: the pointer readout under every chart and
// the axis click that switches the absorption graph's left axis to a logarithmic scale.
#include "ui/ChartModel.h"
#include "ui/Controls.h"

namespace optc {

// Shows the pointer's axis values: x rounded to three decimals and y to two, halves to
// even, in extended precision, as "X = <x>" and "Y = <y>".
void ShowPointerReadout(double x, double y, StaticText& PositionX, StaticText& PositionY);
// Empties the readout to "X = " and "Y = " until the pointer moves over the chart again.
void ClearPointerReadout(StaticText& PositionX, StaticText& PositionY);

// Switches the left axis between linear and logarithmic. Going logarithmic fixes its
// minimum at logMinimum first; going back to linear keeps that minimum.
void ToggleLogarithmicLeftAxis(ChartModel& chart, double logMinimum);

}  // namespace optc
