#pragma once
// Markers drawn on screen as copies of one marker drawn beforehand: rasterising a
// circle per point made a 2000-point marker series cost about twenty times its line.
// Vector output (PDF) keeps true shapes.
#include <QPixmap>

#include "qcustomplot.h"

namespace optc::qt {

// The copies of one graph's marker.
class MarkerCopies {
public:
    // Draws the markers at the given pixel positions as the graph's drawScatterPlot
    // would, once the graph has applied its antialiasing hint to the painter. For a
    // vector painter it draws nothing and returns false: the graph draws the shapes.
    bool Draw(QCPPainter* painter, const QVector<QPointF>& scatters, const QCPScatterStyle& style,
              const QPen& graphPen);

private:
    const QPixmap& Stamp(const QCPScatterStyle& style, const QPen& graphPen, qreal pixelRatio, bool antialiased);

    // The marker, where in it the marker's point lies, and what it was drawn with.
    QPixmap stamp_;
    QPointF markerAt_;
    QCPScatterStyle::ScatterShape shape_ = QCPScatterStyle::ssNone;
    double size_ = 0.0;
    QPen pen_;
    QBrush brush_;
    QPen graphPen_;  // the style's pen when it has none of its own
    bool antialiased_ = false;
};

}  // namespace optc::qt
