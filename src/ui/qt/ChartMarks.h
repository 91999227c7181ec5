#pragma once
// Circle markers and mark labels that are drawn whole at the edges of the plot area.
// Automatic scaling puts the lowest and the highest point of a graph on the edge, where
// clipping at the plot area would cut their markers and labels in half.
#include <memory>
#include <vector>

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

class MarkLabel;

// The labels of one series' marks: at the axes' present ranges only every k-th of them
// is drawn, the step LabelStep finds for the labels of the marks in view.
class MarkLabelRow {
public:
    void Add(MarkLabel* label) { labels_.push_back(label); }
    int Step();

private:
    std::vector<MarkLabel*> labels_;
    QCPRange x_, y_;
    QRect plot_;
    int step_ = 0;  // 0: not found for the present ranges
};

// The label of a mark: centred above its marker, below it where the plot area has no
// room above, and moved sideways to stay inside the plot area near its left and right
// edges. A mark outside the plot area has no label; among crowded marks only those of
// the row's step have one.
class MarkLabel : public QCPItemText {
public:
    // gap: pixels between the mark's centre and the near edge of its label; rank: the
    // mark's place in ascending x among the marks of its row.
    MarkLabel(QCustomPlot* plot, double gap, std::shared_ptr<MarkLabelRow> row = nullptr, int rank = 0);

    // Where the label is drawn, in the widget's pixels.
    QRectF Box() const;
    // Whether the mark lies in the plot area.
    bool InView() const;
    // Whether the label is drawn at the present ranges.
    bool Drawn() const;
    int Rank() const { return rank_; }

protected:
    void draw(QCPPainter* painter) override;

private:
    double gap_;
    std::shared_ptr<MarkLabelRow> row_;
    int rank_;
};

}  // namespace optc::qt
