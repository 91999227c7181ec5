#include "ui/ChartModel.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <vector>

namespace optc {
namespace {

std::vector<double> Xs(const ChartSeries& s) {
    std::vector<double> xs;
    for (const auto& p : s.Points()) xs.push_back(p.x);
    return xs;
}

std::vector<double> Ys(const ChartSeries& s) {
    std::vector<double> ys;
    for (const auto& p : s.Points()) ys.push_back(p.y);
    return ys;
}

TEST(ChartSeriesOrder, EqualXKeepTheirAddingOrderWhateverCameBefore) {
    ChartSeries s(SeriesStyle::Markers, true);
    s.AddXY(5.0, 1.0, clRed);
    s.AddXY(3.0, 2.0, clRed);
    s.AddXY(5.0, 3.0, clBlue);
    s.AddXY(5.0, 4.0, clGreen);
    EXPECT_EQ(Xs(s), (std::vector<double>{3, 5, 5, 5}));
    EXPECT_EQ(Ys(s), (std::vector<double>{2, 1, 3, 4}));
    // A later point of equal X goes after those already sorted in.
    s.AddXY(5.0, 5.0, clRed);
    s.AddXY(1.0, 6.0, clRed);
    EXPECT_EQ(Ys(s), (std::vector<double>{6, 2, 1, 3, 4, 5}));
    // Colours travel with their points.
    EXPECT_EQ(s.Points()[3].colour, clBlue);
    EXPECT_EQ(s.Points()[4].colour, clGreen);
}

TEST(ChartSeriesOrder, DescendingAndRandomAddingEndAscending) {
    ChartSeries s(SeriesStyle::Line, false);
    for (int i = 1000; i >= 1; --i) s.AddXY(i, -i, clBlue);
    ASSERT_EQ(s.Count(), 1000);
    EXPECT_EQ(s.XValue(0), 1.0);
    EXPECT_EQ(s.YValue(0), -1.0);
    EXPECT_EQ(s.XValue(999), 1000.0);

    // Descending runs with repeated X keep the adding order of the equal ones.
    ChartSeries d(SeriesStyle::Line, false);
    d.AddXY(3, 1, clRed);
    d.AddXY(2, 2, clRed);
    d.AddXY(2, 3, clRed);
    d.AddXY(1, 4, clRed);
    EXPECT_EQ(Ys(d), (std::vector<double>{4, 2, 3, 1}));

    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pick(0, 50);
    ChartSeries r(SeriesStyle::Markers, true);
    std::vector<std::pair<double, double>> added;
    for (int i = 0; i < 2000; ++i) {
        double x = pick(rng);
        r.AddXY(x, i, clRed);
        added.push_back({x, double(i)});
        if (i % 97 == 0) r.Points();  // reading in between sorts part of the points
    }
    std::stable_sort(added.begin(), added.end(), [](auto& a, auto& b) { return a.first < b.first; });
    ASSERT_EQ(r.Count(), 2000);
    for (int i = 0; i < 2000; ++i) {
        EXPECT_EQ(r.XValue(i), added[i].first);
        EXPECT_EQ(r.YValue(i), added[i].second) << i;
    }
}

TEST(ChartSeriesOrder, DeleteAndIndexAccessFollowTheSortedOrder) {
    ChartSeries s(SeriesStyle::Markers, true, true);
    s.AddXY(700.0, 70.0, clGreen);
    s.AddXY(500.0, 50.0, clGreen);
    s.AddXY(600.0, 60.0, clGreen);
    s.Delete(1);  // the point at 600, second in X order
    EXPECT_EQ(Xs(s), (std::vector<double>{500, 700}));
    s.AddXY(400.0, 40.0, clGreen);
    s.Delete(0);
    EXPECT_EQ(Xs(s), (std::vector<double>{500, 700}));
    EXPECT_EQ(s.YValue(1), 70.0);
    EXPECT_THROW(s.Delete(2), std::out_of_range);
    EXPECT_THROW(s.XValue(-1), std::out_of_range);
    s.Clear();
    EXPECT_EQ(s.Count(), 0);
    s.AddXY(1.0, 1.0, clRed);
    EXPECT_EQ(s.XValue(0), 1.0);
}

TEST(ChartSeriesOrder, EveryChangeOfThePointsIsSeenByAView) {
    ChartSeries s(SeriesStyle::Line, false);
    auto r0 = s.Revision();
    s.AddXY(1, 1, clRed);
    auto r1 = s.Revision();
    EXPECT_NE(r0, r1);
    s.Points();
    s.XValue(0);
    EXPECT_EQ(s.Revision(), r1);  // reading is no change
    s.Delete(0);
    EXPECT_NE(s.Revision(), r1);
    auto r2 = s.Revision();
    s.Clear();
    EXPECT_NE(s.Revision(), r2);
}

TEST(ChartAxes, AutomaticFixedMinimumAndZoom) {
    ChartModel chart("t");
    ChartAxis& left = chart.LeftAxis();
    EXPECT_TRUE(left.Automatic());
    left.SetFixedMinimum(0.001);
    EXPECT_FALSE(left.Automatic());
    EXPECT_FALSE(left.automaticMinimum);
    EXPECT_TRUE(left.automaticMaximum);  // the maximum keeps its scaling
    left.logarithmic = true;
    left.SetAutomatic();
    EXPECT_TRUE(left.Automatic());
    EXPECT_TRUE(left.logarithmic);  // undoing a zoom keeps the scale

    // A rectangle dragged towards the upper left arrives with its corners swapped.
    chart.ZoomTo(60.0, 20.0, 70.0, 30.0);
    EXPECT_EQ(chart.BottomAxis().minimum, 20.0);
    EXPECT_EQ(chart.BottomAxis().maximum, 60.0);
    EXPECT_EQ(chart.LeftAxis().minimum, 30.0);
    EXPECT_EQ(chart.LeftAxis().maximum, 70.0);
    EXPECT_FALSE(chart.BottomAxis().Automatic());
    chart.BottomAxis().SetAutomatic();
    EXPECT_TRUE(chart.BottomAxis().Automatic());
    EXPECT_FALSE(chart.LeftAxis().Automatic());
}

TEST(ChartModelSeries, SeriesByPositionKeepTheirReferences) {
    ChartModel chart("t");
    ChartSeries& first = chart.AddSeries(SeriesStyle::Line, true);
    for (int i = 0; i < 20; ++i) chart.AddSeries(SeriesStyle::Markers, false);
    first.AddXY(1, 2, clRed);
    EXPECT_EQ(chart.Series(0).Count(), 1);
    EXPECT_EQ(chart.SeriesCount(), 21);
    chart.Series(5).AddXY(3, 4, clBlue);
    chart.ClearAll();
    EXPECT_EQ(first.Count(), 0);
    EXPECT_EQ(chart.Series(5).Count(), 0);
    EXPECT_EQ(chart.GetCursorValueIndex(0), -1);  // no widget, no pointer
    chart.cursorIndexHook = [](int s) { return s * 10; };
    EXPECT_EQ(chart.GetCursorValueIndex(3), 30);
}

}  // namespace
}  // namespace optc
