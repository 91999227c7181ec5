#pragma once
// Tick marks and tick labels of the chart axes.
#include "qcustomplot.h"

namespace optc::qt {

// A linear axis whose labels always read differently from tick to tick: on a narrow
// range (a nearly flat curve, a deep zoom) the axis's usual six digits would print the
// same number under every tick, so the labels get as many digits as that takes.
class DistinctLabelTicker : public QCPAxisTicker {
public:
    // minorTicks: the number of minor ticks between two major ones; below zero, as many
    // as suit the tick step.
    explicit DistinctLabelTicker(int minorTicks = -1) : minorTicks_(minorTicks) {}

protected:
    int getSubTickCount(double tickStep) override;
    QVector<QString> createLabelVector(const QVector<double>& ticks, const QLocale& locale, QChar formatChar,
                                       int precision) override;

private:
    int minorTicks_;
};

// The ticker of an axis on the given scale, with that many minor ticks (below zero: the
// usual number).
QSharedPointer<QCPAxisTicker> MakeTicker(bool logarithmic, int minorTicks);

}  // namespace optc::qt
