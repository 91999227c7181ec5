// A full redraw of a chart with 100000 coloured markers and a 100000-point line,
// offscreen, as after a calculation of a long spectrum.
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

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
