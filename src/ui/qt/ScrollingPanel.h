#pragma once
// The panel of a resizable window whose controls sit at fixed places. The panel fills
// a scroll area that fills the window: at the window's defined size every control is at
// its place; a larger window gives its extra room to the chart (wider and taller), and
// the controls right of the chart follow the window's right edge; a smaller window
// scrolls instead of cutting controls off.
#include <QObject>
#include <QPoint>
#include <QSize>
#include <vector>

class QFrame;
class QWidget;

namespace optc::qt {

// A new panel of the defined size inside a scroll area that fills the window. The
// panel's children keep their places relative to the panel.
QFrame* ScrollingPanel(QWidget& window, QSize defined);

// Lets the chart take the room the panel gains beyond its defined size. Call once every
// control is on the panel: the controls right of the chart (left edge at or beyond the
// chart's right edge, reaching below the chart's top) move right with the extra width;
// the labels on the chart's lower half keep their distance from its bottom.
class ChartRoom : public QObject {
public:
    ChartRoom(QWidget& panel, QWidget& chart, QSize definedPanel);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Place {
        QWidget* widget;
        QPoint defined;
    };
    void Arrange();

    QWidget& panel_;
    QWidget& chart_;
    QSize definedPanel_;
    QSize definedChart_;
    std::vector<Place> rightOfChart_;
    // y is the distance of the label's top from the chart's bottom.
    std::vector<Place> nearChartBottom_;
};

// The size a window of the given size takes on a screen whose free room is `room`
// (its frame of `frame` included): no larger than the room, never below `smallest`.
QSize SizeInRoom(QSize size, QSize room, QSize frame, QSize smallest);

// Shrinks a window that would not fit its screen's free room to fit it (before it is
// first shown; its frame is estimated from the style's title bar and frame widths).
void FitOnScreen(QWidget& window);

}  // namespace optc::qt
