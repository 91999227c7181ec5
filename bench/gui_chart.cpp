// A full redraw of a chart with n coloured markers and an n-point line, offscreen, as
// after a calculation of a spectrum of 2000 points or of a long one.
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
    const auto n = static_cast<int>(state.range(0));
    for (int i = n; i >= 1; --i) {
        const double x = 300.0 + i * 1000.0 / n;
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
BENCHMARK(FullRedraw)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
