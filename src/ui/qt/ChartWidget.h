#pragma once
// Draws a ChartModel with QCustomPlot and turns mouse input into the model's chart
// events, in axis units, through Form::Dispatch of the window's form. The widget
// redraws when the model's observers are told of a change (once per dispatched
// event), never per added point.
#include <QPointF>
#include <QRect>
#include <cstdint>
#include <string>
#include <vector>

#include "qcustomplot.h"
#include "ui/ChartModel.h"

class QRubberBand;

namespace optc {

class Form;

namespace qt {

class ChartWidget : public QCustomPlot {
    Q_OBJECT
public:
    // Pixels around a marker or a line within which the pointer is on it.
    static constexpr double kHitTolerance = 5.0;
    // Diameter of the circle markers in pixels.
    static constexpr double kMarkerSize = 7.0;
    // A drag shorter than this in either direction is a click, not a zoom.
    static constexpr int kMinimumZoomDrag = 4;

    ChartWidget(ChartModel& model, Form& form, QWidget* parent = nullptr);
    ~ChartWidget() override;

    ChartModel& Model() { return model_; }

    // A lowered bevel of the given width in pixels drawn along the widget's edges, over
    // the white background (0: none). It lies outside the plot area.
    void SetLoweredBevel(int width);
    int LoweredBevel() const { return bevel_; }

    // Rebuilds the plot from the model and repaints.
    void Redraw();
    // Redraws only when the model changed since the last drawing.
    void RedrawIfChanged();

    // Hit tests at a pixel of the widget: the index of the series' point whose marker
    // lies within kHitTolerance (the nearest one), or -1; and whether the pixel is on
    // the series (a marker of a marker series, the line of a line series).
    int PointAt(int seriesIndex, QPointF pixel) const;
    bool OnSeries(int seriesIndex, QPointF pixel) const;

    // The pointer position in axis units.
    double PixelToX(double px) const;
    double PixelToY(double py) const;

    // Caption of the context menu's one entry.
    static constexpr const char* kSaveAsCaption = "Save Chart As...";
    // Writes what the chart shows, with its titles, as a PNG picture or, for a name
    // ending in ".pdf" (any case), as a PDF document, at the widget's size. A name
    // without either ending gets ".png". Throws with a message when the file cannot be
    // written; returns the name written.
    std::string SaveAs(const std::string& path);
    // The menu entry: asks the platform's save dialog for a name, then SaveAs through
    // the form, so that a failure shows in the error box. Cancelling writes nothing.
    void SaveChartAs();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct AxisState {
        bool automaticMinimum, automaticMaximum;
        double minimum, maximum;
        bool logarithmic;
        std::string title;
        bool operator==(const AxisState&) const = default;
    };
    static AxisState StateOf(const ChartAxis& axis);
    bool Changed() const;
    void Remember();
    bool Drawable(const ChartPoint& p) const;
    // Runs a chart event through the form and redraws when the handler changed the chart.
    void Run(const std::function<void()>& handler);
    void ApplyRanges(bool hasData, double xLo, double xHi, double yLo, double yHi);

    ChartModel& model_;
    Form& form_;
    QCPTextElement* title_ = nullptr;

    // What was drawn last.
    std::vector<std::uint64_t> drawnRevisions_;
    AxisState drawnLeft_{}, drawnBottom_{};
    bool drawnOnce_ = false;
    // Scales in force for hit tests (those of the last drawing).
    bool logX_ = false, logY_ = false;

    QPointF cursor_;
    QPoint pressPos_;
    bool pressOnAxis_ = false;
    // The last press went to a series (the minima window deletes a mark with the
    // right button); its context menu is not shown then.
    bool pressOnSeries_ = false;
    bool dragging_ = false;
    QRubberBand* band_ = nullptr;
    int bevel_ = 0;
};

}  // namespace qt
}  // namespace optc
