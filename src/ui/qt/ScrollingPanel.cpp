#include "ui/qt/ScrollingPanel.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace optc::qt {

QFrame* ScrollingPanel(QWidget& window, QSize defined) {
    auto* area = new QScrollArea(&window);
    area->setObjectName("PanelScroll");
    // No frame of its own, so that the panel's top left is the window's.
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    auto* panel = new QFrame;
    panel->setMinimumSize(defined);
    panel->resize(defined);
    area->setWidget(panel);
    return panel;
}

ChartRoom::ChartRoom(QWidget& panel, QWidget& chart, QSize definedPanel)
    : QObject(&panel), panel_(panel), chart_(chart), definedPanel_(definedPanel), definedChart_(chart.size()) {
    const QRect chartPlace = chart.geometry();
    for (QObject* child : panel.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget == &chart) continue;
        const QRect place = widget->geometry();
        if (place.left() > chartPlace.right() && place.bottom() >= chartPlace.top())
            rightOfChart_.push_back({widget, place.topLeft()});
    }
    for (QObject* child : chart.children()) {
        auto* label = qobject_cast<QLabel*>(child);
        if (label && label->y() > chart.height() / 2)
            nearChartBottom_.push_back({label, QPoint(label->x(), chart.height() - label->y())});
    }
    panel.installEventFilter(this);
}

bool ChartRoom::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &panel_ && event->type() == QEvent::Resize) Arrange();
    return false;
}

void ChartRoom::Arrange() {
    const QSize extra = (panel_.size() - definedPanel_).expandedTo(QSize(0, 0));
    chart_.resize(definedChart_ + extra);
    for (const Place& p : rightOfChart_) p.widget->move(p.defined + QPoint(extra.width(), 0));
    for (const Place& p : nearChartBottom_) p.widget->move(p.defined.x(), chart_.height() - p.defined.y());
}

QSize SizeInRoom(QSize size, QSize room, QSize frame, QSize smallest) {
    return size.boundedTo(room - frame).expandedTo(smallest);
}

void FitOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) return;
    const QStyle* style = window.style();
    const int border = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &window);
    const QSize frame(2 * border, style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window) + 2 * border);
    const QSize size = SizeInRoom(window.size(), screen->availableGeometry().size(), frame, window.minimumSize());
    if (size != window.size()) {
        window.resize(size);
        window.move(screen->availableGeometry().topLeft());
    }
}

}  // namespace optc::qt
