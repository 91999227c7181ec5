#include "ui/qt/MarkerCopies.h"

#include <cmath>

namespace optc::qt {

namespace {
// Room around the marker's size for its outline.
constexpr int kMargin = 2;
}  // namespace

const QPixmap& MarkerCopies::Stamp(const QCPScatterStyle& style, const QPen& graphPen, qreal pixelRatio,
                                   bool antialiased) {
    if (!stamp_.isNull() && stamp_.devicePixelRatio() == pixelRatio && antialiased_ == antialiased &&
        shape_ == style.shape() && size_ == style.size() && pen_ == style.pen() && brush_ == style.brush() &&
        graphPen_ == graphPen)
        return stamp_;
    // A square stamp with the marker drawn at a whole-pixel point of its middle, with
    // the same antialiasing (and its shift) as on the chart.
    const int centre = static_cast<int>(std::ceil(style.size())) / 2 + kMargin;
    QPixmap stamp(QSize(2 * centre + 1, 2 * centre + 1) * pixelRatio);
    stamp.setDevicePixelRatio(pixelRatio);
    stamp.fill(Qt::transparent);
    QCPPainter painter(&stamp);
    painter.setAntialiasing(antialiased);
    style.applyTo(&painter, graphPen);
    style.drawShape(&painter, centre, centre);
    markerAt_ = painter.transform().map(QPointF(centre, centre));
    painter.end();
    stamp_ = stamp;
    shape_ = style.shape();
    size_ = style.size();
    pen_ = style.pen();
    brush_ = style.brush();
    graphPen_ = graphPen;
    antialiased_ = antialiased;
    return stamp_;
}

bool MarkerCopies::Draw(QCPPainter* painter, const QVector<QPointF>& scatters, const QCPScatterStyle& style,
                        const QPen& graphPen) {
    if (painter->modes().testFlag(QCPPainter::pmVectorized)) return false;
    // Where the painter would draw each marker (its transform holds the half-pixel shift
    // of the antialiasing setting); each copy goes to the whole pixel that puts its
    // marker nearest to that place.
    const QTransform shift = painter->transform();
    const QPixmap& stamp = Stamp(style, graphPen, painter->device()->devicePixelRatioF(), painter->antialiasing());
    painter->save();
    painter->resetTransform();
    for (const QPointF& p : scatters) {
        const QPointF at = shift.map(p) - markerAt_;
        painter->drawPixmap(QPoint(static_cast<int>(std::lround(at.x())), static_cast<int>(std::lround(at.y()))),
                            stamp);
    }
    painter->restore();
    return true;
}

}  // namespace optc::qt
