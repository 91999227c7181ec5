#pragma once
// Waits until a chart's zoom animation has brought the axes to their new range.
#include <QTest>

#include "ui/qt/ChartWidget.h"

namespace optc::qt {

inline bool WaitForZoom(const ChartWidget& chart) {
    return QTest::qWaitFor([&chart] { return !chart.Animating(); }, 10000);
}

}  // namespace optc::qt
