#include "ui/ChartModel.h"

#include <algorithm>
#include <stdexcept>

namespace optc {

void ChartSeries::Clear() {
    points_.clear();
    sortedPrefix_ = 0;
    ++revision_;
}

void ChartSeries::AddXY(double x, double y, Color colour) {
    points_.push_back({x, y, colour});
    ++revision_;
}

void ChartSeries::Sort() const {
    if (sortedPrefix_ == points_.size()) return;
    auto byX = [](const ChartPoint& a, const ChartPoint& b) { return a.x < b.x; };
    auto mid = points_.begin() + static_cast<std::ptrdiff_t>(sortedPrefix_);
    // A strictly descending tail (curves stored longest wavelength first) is reversed
    // in linear time; equal X values keep their adding order either way.
    bool descending = std::adjacent_find(mid, points_.end(), [](const ChartPoint& a, const ChartPoint& b) {
                          return !(b.x < a.x);
                      }) == points_.end();
    if (descending)
        std::reverse(mid, points_.end());
    else if (!std::is_sorted(mid, points_.end(), byX))
        std::stable_sort(mid, points_.end(), byX);
    std::inplace_merge(points_.begin(), mid, points_.end(), byX);
    sortedPrefix_ = points_.size();
}

const std::vector<ChartPoint>& ChartSeries::Points() const {
    Sort();
    return points_;
}

void ChartSeries::Delete(int index) {
    Sort();
    if (index < 0 || index >= Count()) throw std::out_of_range("ChartSeries::Delete");
    points_.erase(points_.begin() + index);
    sortedPrefix_ = points_.size();
    ++revision_;
}

double ChartSeries::XValue(int index) const { return Points().at(static_cast<std::size_t>(index)).x; }
double ChartSeries::YValue(int index) const { return Points().at(static_cast<std::size_t>(index)).y; }

ChartSeries& ChartModel::AddSeries(SeriesStyle style, bool clickable, bool labelled) {
    series_.emplace_back(style, clickable, labelled);
    return series_.back();
}

void ChartModel::ClearAll() {
    for (auto& s : series_) s.Clear();
}

void ChartModel::ZoomTo(double xMin, double xMax, double yMin, double yMax) {
    bottom_.automaticMinimum = bottom_.automaticMaximum = false;
    bottom_.minimum = std::min(xMin, xMax);
    bottom_.maximum = std::max(xMin, xMax);
    left_.automaticMinimum = left_.automaticMaximum = false;
    left_.minimum = std::min(yMin, yMax);
    left_.maximum = std::max(yMin, yMax);
}

}  // namespace optc
