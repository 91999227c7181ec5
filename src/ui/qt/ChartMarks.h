#pragma once
// Circle markers and mark labels that are drawn whole at the edges of the plot area.
// Automatic scaling puts the lowest and the highest point of a graph on the edge, where
// clipping at the plot area would cut their markers and labels in half.
#include "qcustomplot.h"
#include "ui/qt/MarkerCopies.h"

namespace optc::qt {

// A marker graph: every marker whose centre lies in the plot area is drawn whole, also
// where it reaches over the edge; a marker whose centre lies outside is not drawn. On
// screen the markers are copies of one drawn beforehand.
class MarkerGraph : public QCPGraph {
public:
    MarkerGraph(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis) {}

protected:
    QRect clipRect() const override;
    void drawScatterPlot(QCPPainter* painter, const QVector<QPointF>& scatters,
                         const QCPScatterStyle& style) const override;

private:
    void DrawMarkers(QCPPainter* painter, const QVector<QPointF>& scatters, const QCPScatterStyle& style) const;
    mutable MarkerCopies copies_;
};

// The label of a mark: centred above its marker, below it where the plot area has no
// room above, and moved sideways to stay inside the plot area near its left and right
// edges.
class MarkLabel : public QCPItemText {
public:
    // gap: pixels between the mark's centre and the near edge of its label.
    MarkLabel(QCustomPlot* plot, double gap) : QCPItemText(plot), gap_(gap) {}

    // Where the label is drawn, in the widget's pixels.
    QRectF Box() const;

protected:
    void draw(QCPPainter* painter) override;

private:
    double gap_;
};

}  // namespace optc::qt
