#pragma once
// Draws a ChartModel with QCustomPlot and turns mouse input into the model's chart
// events, in axis units, through Form::Dispatch of the window's form. The widget
// redraws when the model's observers are told of a change (once per dispatched
// event), never per added point.
#include <QElapsedTimer>
#include <QPointF>
#include <QRect>
#include <QTimer>
#include <algorithm>
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
    // How long the axes take to move from the old range to the new one after a zoom
    // or its undoing by a double click.
    static constexpr int kZoomAnimationMs = 250;
    // The axes of the result graphs: tick labels and axis titles in these pixel sizes,
    // the bottom axis's labels in a band of fixed height between the axis line and its
    // title (room for labels of two lines), one short minor tick between the major
    // ticks of the left axis.
    static constexpr int kTickLabelPixels = 16;
    static constexpr int kAxisTitlePixels = 21;
    static constexpr int kBottomLabelBand = 50;
    static constexpr int kLeftMinorTicks = 1;
    static constexpr int kMinorTickLength = 1;

    ChartWidget(ChartModel& model, Form& form, QWidget* parent = nullptr);
    ~ChartWidget() override;

    ChartModel& Model() { return model_; }

    // A lowered bevel of the given width in pixels drawn along the widget's edges, over
    // the white background (0: none). It lies outside the plot area.
    void SetLoweredBevel(int width);
    int LoweredBevel() const { return bevel_; }
    // A second lowered bevel inside the first, in the darker shades of a sunken edge.
    void SetInnerLoweredBevel(int width);
    int InnerLoweredBevel() const { return innerBevel_; }

    // Gives the axes the look of the result graphs (the constants above).
    void UseResultGraphAxes();

    // Length of the zoom animation in milliseconds (0: the new range at once).
    void SetZoomAnimation(int milliseconds) { zoomAnimationMs_ = std::max(0, milliseconds); }
    bool Animating() const { return zoomTimer_.isActive(); }

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
    // The value range each axis shows.
    struct Ranges {
        QCPRange x, y;
        bool operator==(const Ranges& o) const { return x == o.x && y == o.y; }
    };
    // What turns a pixel into axis values: the ranges, the scales and the plot area.
    struct Mapping {
        Ranges ranges;
        bool logX = false, logY = false;
        QRect plot;
        bool operator==(const Mapping& o) const {
            return ranges == o.ranges && logX == o.logX && logY == o.logY && plot == o.plot;
        }
    };
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
    // Sets the scales and the ranges the model asks for; returns those ranges.
    Ranges ApplyRanges(bool hasData, double xLo, double xHi, double yLo, double yHi);
    void ShowRanges(const Ranges& ranges);
    void AnimationStep();
    void FinishAnimation();
    // Runs a zoom gesture's handler: the redraw it causes moves the axes gradually.
    void RunAnimated(const std::function<void()>& handler);
    void FitBottomLabelBand();
    Mapping CurrentMapping() const;
    // After the axes changed: the readout shows the values under the pointer again, or,
    // with the pointer away from the chart, it is emptied.
    void RefreshReadout();
    void ReportPointer();

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
    // Whether the last right press was where a right click does nothing else, so that
    // the context menu may open: not on an axis or a clickable series.
    bool menuAtPress_ = true;
    bool dragging_ = false;
    QRubberBand* band_ = nullptr;
    int bevel_ = 0;
    int innerBevel_ = 0;
    int leftMinorTicks_ = -1;
    bool fixedBottomBand_ = false;

    // The zoom animation.
    int zoomAnimationMs_ = kZoomAnimationMs;
    bool animateNextRedraw_ = false;
    QTimer zoomTimer_;
    QElapsedTimer zoomClock_;
    Ranges zoomFrom_, zoomTo_;

    // The readout shows values, measured with this mapping.
    bool readoutShown_ = false;
    Mapping readoutMapping_;
};

}  // namespace qt
}  // namespace optc
