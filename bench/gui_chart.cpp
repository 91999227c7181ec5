// A full redraw of a chart with 100000 coloured markers and a 100000-point line,
// offscreen, as after a calculation of a long spectrum, and a frame of its zoom
// animation.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <cmath>

#include "ui/Form.h"
#include "ui/ScriptedPlatform.h"
#include "ui/qt/ChartWidget.h"

namespace {

void FullRedraw(benchmark::State& state) {
    optc::ScriptedPlatform platform;
    optc::Form form(platform, "Bench");
    optc::ChartModel model("Optical Characteristics");
    auto& markers = model.AddSeries(optc::SeriesStyle::Markers, false);
    auto& line = model.AddSeries(optc::SeriesStyle::Line, false);
    const int n = 100000;
    for (int i = n; i >= 1; --i) {
        const double x = 300.0 + i * 0.01;
        const double y = 50.0 + 40.0 * std::sin(x / 15.0);
        markers.AddXY(x, y, i % 3 == 0 ? optc::clBlue : optc::clRed);
        line.AddXY(x, y + 5.0 * std::cos(x / 3.0), optc::clGreen);
    }
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
    auto& markers = model.AddSeries(optc::SeriesStyle::Markers, false);
    auto& line = model.AddSeries(optc::SeriesStyle::Line, false);
    for (int i = 100000; i >= 1; --i) {
        const double x = 300.0 + i * 0.01;
        const double y = 50.0 + 40.0 * std::sin(x / 15.0);
        markers.AddXY(x, y, i % 3 == 0 ? optc::clBlue : optc::clRed);
        line.AddXY(x, y + 5.0 * std::cos(x / 3.0), optc::clGreen);
    }
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

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
