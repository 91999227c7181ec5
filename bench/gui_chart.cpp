// Redraws of charts offscreen: 100000 coloured markers with a 100000-point line, as
// after a calculation of a long spectrum, and a frame of its zoom animation; and n
// markers in two colours at the size of the analysis windows' charts.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <cmath>

#include "ui/Form.h"
#include "ui/ScriptedPlatform.h"
#include "ui/qt/ChartWidget.h"

namespace {

// 100000 markers in two colours and a 100000-point line, added longest first as the
// windows add their curves.
void FillMarkersAndLine(optc::ChartModel& model) {
    auto& markers = model.AddSeries(optc::SeriesStyle::Markers, false);
    auto& line = model.AddSeries(optc::SeriesStyle::Line, false);
    for (int i = 100000; i >= 1; --i) {
        const double x = 300.0 + i * 0.01;
        const double y = 50.0 + 40.0 * std::sin(x / 15.0);
        markers.AddXY(x, y, i % 3 == 0 ? optc::clBlue : optc::clRed);
        line.AddXY(x, y + 5.0 * std::cos(x / 3.0), optc::clGreen);
    }
}

void FullRedraw(benchmark::State& state) {
    optc::ScriptedPlatform platform;
    optc::Form form(platform, "Bench");
    optc::ChartModel model("Optical Characteristics");
    FillMarkersAndLine(model);
    optc::qt::ChartWidget widget(model, form);
    widget.resize(945, 553);
    widget.show();
    QCoreApplication::processEvents();
    for (auto _ : state) widget.Redraw();
}
BENCHMARK(FullRedraw)->Unit(benchmark::kMillisecond);

// One frame of the zoom animation on the same chart with the result graphs' axes: both
// ranges set part of the way between the old and the new ones, then drawn. The frames
// go back and forth between the whole range and a zoom on a fifth of it.
void ZoomAnimationFrame(benchmark::State& state) {
    optc::ScriptedPlatform platform;
    optc::Form form(platform, "Bench");
    optc::ChartModel model("Optical Characteristics");
    FillMarkersAndLine(model);
    optc::qt::ChartWidget widget(model, form);
    widget.resize(945, 553);
    widget.UseResultGraphAxes();
    widget.show();
    QCoreApplication::processEvents();
    const QCPRange x = widget.xAxis->range(), y = widget.yAxis->range();
    int frame = 0;
    for (auto _ : state) {
        const double t = 0.4 * (frame++ % 16) / 15.0;
        widget.xAxis->setRange(x.lower + t * x.size(), x.upper - t * x.size());
        widget.yAxis->setRange(y.lower + t * y.size(), y.upper - t * y.size());
        widget.replot();
    }
}
BENCHMARK(ZoomAnimationFrame)->Unit(benchmark::kMillisecond);

// A redraw of a chart of n markers in two colours, offscreen, at the size of the
// analysis windows' charts: the Tauc plot and the measured spectra at 2000 points
// and at full capacity.
void MarkersRedraw(benchmark::State& state) {
    optc::ScriptedPlatform platform;
    optc::Form form(platform, "Bench");
    optc::ChartModel model("Optical Characteristics");
    auto& markers = model.AddSeries(optc::SeriesStyle::Markers, false);
    const auto n = static_cast<int>(state.range(0));
    for (int i = n; i >= 1; --i) {
        const double x = 300.0 + i * 1000.0 / n;
        markers.AddXY(x, 50.0 + 40.0 * std::sin(x / 15.0), i % 3 == 0 ? optc::clBlue : optc::clRed);
    }
    optc::qt::ChartWidget widget(model, form);
    widget.resize(473, 345);
    widget.show();
    QCoreApplication::processEvents();
    for (auto _ : state) widget.Redraw();
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(MarkersRedraw)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
