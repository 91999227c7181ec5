#pragma once
// What a window's chart holds: series by position, two axes and a title. Handlers
// change only this model; the chart widget draws it and turns mouse input into the
// chart events below, in axis units.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "numerics/Index.h"

namespace optc {

struct ChartPoint {
    double x = 0.0;
    double y = 0.0;
    Color colour;
};

enum class SeriesStyle {
    Markers,  // circle markers, no connecting line
    Line,     // connected line, no markers
};

// A series keeps its points in ascending X; a point added out of order takes its place
// after the points of equal X already there. Points are appended and the order is
// restored once, when the points are next read, so long descending runs stay cheap.
class ChartSeries {
public:
    ChartSeries(SeriesStyle style, bool clickable, bool labelled = false)
        : style_(style), clickable_(clickable), labelled_(labelled) {}

    SeriesStyle Style() const { return style_; }
    // Whether a click on the series is reported (its line, or its markers).
    bool Clickable() const { return clickable_; }
    // Whether each point is labelled with its X value.
    bool Labelled() const { return labelled_; }

    void Clear();
    void AddXY(double x, double y, Color colour);
    void Delete(int index);
    int Count() const { return optc::Count(points_); }
    double XValue(int index) const;
    double YValue(int index) const;
    const std::vector<ChartPoint>& Points() const;
    // Grows with every change of the points, so a view can tell whether to redraw.
    std::uint64_t Revision() const { return revision_; }

private:
    void Sort() const;
    SeriesStyle style_;
    bool clickable_;
    bool labelled_;
    mutable std::vector<ChartPoint> points_;
    mutable std::size_t sortedPrefix_ = 0;  // points_[0, sortedPrefix_) is in order
    std::uint64_t revision_ = 0;
};

struct ChartAxis {
    bool automaticMinimum = true;
    bool automaticMaximum = true;
    double minimum = 0.0;
    double maximum = 0.0;
    bool logarithmic = false;
    std::string title;

    bool Automatic() const { return automaticMinimum && automaticMaximum; }
    // Minimum and maximum follow the data again (undoes a zoom or a fixed minimum).
    void SetAutomatic() { automaticMinimum = automaticMaximum = true; }
    // The axis starts at the given value; the maximum keeps its scaling.
    void SetFixedMinimum(double value) {
        automaticMinimum = false;
        minimum = value;
    }
};

enum class MouseButton { Left, Right, Middle };

class ChartModel {
public:
    using Observer = std::function<void()>;

    explicit ChartModel(std::string title) : title_(std::move(title)) {}
    ChartModel(const ChartModel&) = delete;
    ChartModel& operator=(const ChartModel&) = delete;

    const std::string& Title() const { return title_; }
    ChartSeries& AddSeries(SeriesStyle style, bool clickable, bool labelled = false);
    int SeriesCount() const { return Count(series_); }
    ChartSeries& Series(int index) { return series_.at(static_cast<std::size_t>(index)); }
    const ChartSeries& Series(int index) const { return series_.at(static_cast<std::size_t>(index)); }
    void ClearAll();

    // Axes. Changing them through these references counts as a change of the model.
    ChartAxis& LeftAxis() { return left_; }
    ChartAxis& BottomAxis() { return bottom_; }
    const ChartAxis& LeftAxis() const { return left_; }
    const ChartAxis& BottomAxis() const { return bottom_; }

    // Zoom by dragging a rectangle: both axes take these fixed bounds.
    void ZoomTo(double xMin, double xMax, double yMin, double yMax);

    // Chart events, set by the form logic and run (through Form::Dispatch) by the view.
    std::function<void(double x, double y)> OnMouseMove;
    std::function<void()> OnDblClick;
    std::function<void()> OnClickAxis;
    // A button pressed over a clickable series: the series' index, the button and the
    // pointer position in axis units. GetCursorValueIndex tells which point of any
    // series lies under the pointer.
    std::function<void(int seriesIndex, MouseButton button, double x, double y)> OnClickSeries;
    // The axes changed while the pointer was away from the chart: the values the
    // pointer readout shows belong to no point of the chart any more.
    std::function<void()> OnReadoutStale;

    // Index of the point of the given series under the mouse pointer, or -1. The chart
    // widget answers it through cursorIndexHook; without a widget there is no pointer.
    int GetCursorValueIndex(int seriesIndex) const {
        return cursorIndexHook ? cursorIndexHook(seriesIndex) : -1;
    }
    std::function<int(int seriesIndex)> cursorIndexHook;

    // Observers learn of changes once per dispatched event (Form::FlushCharts).
    void Observe(Observer observer) { observers_.push_back(std::move(observer)); }
    void Flush() {
        for (auto& observer : observers_) observer();
    }

private:
    std::string title_;
    std::deque<ChartSeries> series_;  // deque: references stay valid
    ChartAxis left_;
    ChartAxis bottom_;
    std::vector<Observer> observers_;
};

}  // namespace optc
