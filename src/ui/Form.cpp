#include "ui/Form.h"

#include <exception>

#include "numerics/Errors.h"
#include "ui/ChartModel.h"

namespace optc {

void Form::Dispatch(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const EInOutError& e) {
        FlushCharts();
        platform_.ShowError(e.what(), e.Detail());
    } catch (const std::exception& e) {
        FlushCharts();
        platform_.ShowError(e.what());
    }
    FlushCharts();
}

void Form::Close() {
    shown_ = false;
    for (auto& observer : closeObservers_) observer();
}

void Form::FlushCharts() {
    for (ChartModel* chart : charts_) chart->Flush();
}

}  // namespace optc
