#include "ui/qt/MarkerGraph.h"

#include <cmath>

namespace optc::qt {

namespace {
// Room around the marker's size for its outline.
constexpr int kMargin = 2;

// The stamp is square; the marker is drawn centred on the pixel corner at (centre,
// centre), and each copy puts that corner on the corner nearest to the point.
int StampCentre(const QCPScatterStyle& style) { return static_cast<int>(std::ceil(style.size())) / 2 + kMargin; }
}  // namespace

const QPixmap& MarkerGraph::Stamp(const QCPScatterStyle& style, qreal pixelRatio) const {
    if (!stamp_.isNull() && stamp_.devicePixelRatio() == pixelRatio) return stamp_;
    const int centre = StampCentre(style);
    QPixmap stamp(QSize(2 * centre + 1, 2 * centre + 1) * pixelRatio);
    stamp.setDevicePixelRatio(pixelRatio);
    stamp.fill(Qt::transparent);
    QCPPainter painter(&stamp);
    applyScattersAntialiasingHint(&painter);
    style.applyTo(&painter, mPen);
    style.drawShape(&painter, centre, centre);
    painter.end();
    stamp_ = stamp;
    return stamp_;
}

void MarkerGraph::drawScatterPlot(QCPPainter* painter, const QVector<QPointF>& scatters,
                                  const QCPScatterStyle& style) const {
    if (painter->modes().testFlag(QCPPainter::pmVectorized)) {
        QCPGraph::drawScatterPlot(painter, scatters, style);
        return;
    }
    // The painter's half-pixel shift for the antialiasing setting moves the points as
    // it would move the shapes; the copies are then placed on whole pixels.
    applyScattersAntialiasingHint(painter);
    const QTransform shift = painter->transform();
    const QPixmap& stamp = Stamp(style, painter->device()->devicePixelRatioF());
    const int centre = StampCentre(style);
    painter->save();
    painter->resetTransform();
    for (const QPointF& p : scatters) {
        const QPointF at = shift.map(p);
        painter->drawPixmap(QPoint(static_cast<int>(std::lround(at.x())) - centre,
                                   static_cast<int>(std::lround(at.y())) - centre),
                            stamp);
    }
    painter->restore();
}

}  // namespace optc::qt
