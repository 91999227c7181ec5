// A redraw of a chart of n markers in two colours, offscreen, at the size of the
// analysis windows' charts: the Tauc plot and the measured spectra at 2000 points
// and at full capacity.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <cmath>

#include "ui/Form.h"
#include "ui/ScriptedPlatform.h"
#include "ui/qt/ChartWidget.h"

namespace {

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
