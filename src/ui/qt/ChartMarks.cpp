#include "ui/qt/ChartMarks.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace optc::qt {

QRect MarkerGraph::clipRect() const {
    const int reach = static_cast<int>(std::ceil(scatterStyle().size() / 2.0 + scatterStyle().pen().widthF())) + 1;
    return QCPGraph::clipRect().adjusted(-reach, -reach, reach, reach);
}

void MarkerGraph::drawScatterPlot(QCPPainter* painter, const QVector<QPointF>& scatters,
                                  const QCPScatterStyle& style) const {
    // A pixel of slack: the ends of an axis range map onto the pixel just outside the
    // plot area on one side.
    const QRectF plot = QRectF(QCPGraph::clipRect()).adjusted(-1.0, -1.0, 1.0, 1.0);
    auto outside = [&plot](const QPointF& p) { return !plot.contains(p); };
    if (std::none_of(scatters.begin(), scatters.end(), outside)) {
        DrawMarkers(painter, scatters, style);
        return;
    }
    QVector<QPointF> inside;
    inside.reserve(scatters.size());
    std::copy_if(scatters.begin(), scatters.end(), std::back_inserter(inside),
                 [&outside](const QPointF& p) { return !outside(p); });
    DrawMarkers(painter, inside, style);
}

void MarkerGraph::DrawMarkers(QCPPainter* painter, const QVector<QPointF>& scatters,
                              const QCPScatterStyle& style) const {
    applyScattersAntialiasingHint(painter);
    if (!copies_.Draw(painter, scatters, style, mPen)) QCPGraph::drawScatterPlot(painter, scatters, style);
}

QRectF MarkLabel::Box() const {
    const QPointF at = position->pixelPosition();
    const QRectF plot = clipRect();
    const QSizeF size = QFontMetricsF(mainFont()).boundingRect(text()).size();
    QRectF box(QPointF(at.x() - size.width() / 2.0, at.y() - gap_ - size.height()), size);
    if (box.top() < plot.top()) box.moveTop(at.y() + gap_);
    if (box.left() < plot.left()) box.moveLeft(plot.left());
    if (box.right() > plot.right()) box.moveRight(plot.right());
    return box;
}

void MarkLabel::draw(QCPPainter* painter) {
    painter->setFont(mainFont());
    painter->setPen(QPen(mainColor()));
    painter->drawText(Box(), Qt::AlignCenter | Qt::TextDontClip, text());
}

}  // namespace optc::qt
