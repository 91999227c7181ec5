#include "ui/Form.h"

#include <exception>

#include "numerics/Errors.h"
#include "ui/ChartModel.h"

namespace optc {

void Form::Dispatch(const std::function<void()>& handler) {
    const bool outermost = eventDepth_ == 0;
    if (outermost) {
        eventError_.reset();
        EventBegins();
    }
    ++eventDepth_;
    try {
        handler();
    } catch (const EInOutError& e) {
        FlushCharts();
        if (!eventError_) eventError_ = EventError{e.what(), "", e.Detail()};
        platform_.ShowError(e.what(), e.Detail());
    } catch (const std::exception& e) {
        FlushCharts();
        if (!eventError_) {
            const auto* convert = dynamic_cast<const EConvertError*>(&e);
            eventError_ = EventError{e.what(), convert ? convert->Typed() : std::string(), ""};
        }
        platform_.ShowError(e.what());
    }
    --eventDepth_;
    FlushCharts();
    if (outermost) EventEnds();
}

void Form::Close() {
    shown_ = false;
    for (auto& observer : closeObservers_) observer();
}

void Form::FlushCharts() {
    for (ChartModel* chart : charts_) chart->Flush();
}

}  // namespace optc
