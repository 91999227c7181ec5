#include "ui/Form.h"

#include <exception>

#include "ui/ChartModel.h"

namespace optc {

void Form::Dispatch(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        FlushCharts();
        platform_.ShowError(e.what());
    }
    FlushCharts();
}

void Form::FlushCharts() {
    for (ChartModel* chart : charts_) chart->Flush();
}

}  // namespace optc
