#include "ui/Report.h"

#include "numerics/FloatText.h"

namespace optc {

std::string ReportNumber(double value, const std::string& unit) {
    return FloatToStr(value) + (unit.empty() ? "" : " " + unit);
}

}  // namespace optc
