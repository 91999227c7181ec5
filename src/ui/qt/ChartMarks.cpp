#include "ui/qt/ChartMarks.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "ui/LabelThinning.h"

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

MarkLabel::MarkLabel(QCustomPlot* plot, double gap, std::shared_ptr<MarkLabelRow> row, int rank)
    : QCPItemText(plot), gap_(gap), row_(std::move(row)), rank_(rank) {
    if (row_) row_->Add(this);
}

int MarkLabelRow::Step() {
    if (labels_.empty()) return 1;
    const QCPItemPosition& at = *labels_.front()->position;
    const QCPRange x = at.keyAxis()->range(), y = at.valueAxis()->range();
    const QRect plot = at.keyAxis()->axisRect()->rect();
    if (step_ > 0 && x == x_ && y == y_ && plot == plot_) return step_;
    std::vector<LabelBox> boxes;
    for (const MarkLabel* label : labels_)
        if (label->InView()) {
            const QRectF box = label->Box();
            boxes.push_back({label->Rank(), box.left(), box.top(), box.right(), box.bottom()});
        }
    // A space's width between two labels.
    const double gap = QFontMetricsF(labels_.front()->font()).horizontalAdvance(' ');
    x_ = x;
    y_ = y;
    plot_ = plot;
    step_ = LabelStep(boxes, gap);
    return step_;
}

bool MarkLabel::InView() const {
    // The same pixel of slack as the markers: the ends of an axis range map onto the
    // pixel just outside the plot area on one side.
    return QRectF(clipRect()).adjusted(-1.0, -1.0, 1.0, 1.0).contains(position->pixelPosition());
}

bool MarkLabel::Drawn() const { return InView() && (!row_ || LabelShown(rank_, row_->Step())); }

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
    if (!Drawn()) return;
    painter->setFont(mainFont());
    painter->setPen(QPen(mainColor()));
    painter->drawText(Box(), Qt::AlignCenter | Qt::TextDontClip, text());
}

}  // namespace optc::qt
