#pragma once
// A graph of markers that draws each marker on screen as a copy of one marker drawn
// beforehand: rasterising a circle per point made a 2000-point marker series cost
// twenty times its line. Vector exports (PDF) still draw every marker as a shape.
#include <QPixmap>

#include "qcustomplot.h"

namespace optc::qt {

class MarkerGraph : public QCPGraph {
public:
    using QCPGraph::QCPGraph;

protected:
    void drawScatterPlot(QCPPainter* painter, const QVector<QPointF>& scatters,
                         const QCPScatterStyle& style) const override;

private:
    const QPixmap& Stamp(const QCPScatterStyle& style, qreal pixelRatio) const;

    mutable QPixmap stamp_;  // the marker, drawn once per graph and pixel ratio
};

}  // namespace optc::qt
