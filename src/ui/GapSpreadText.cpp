#include "ui/GapSpreadText.h"

#include <cmath>

#include "numerics/FloatText.h"

namespace optc {

namespace {

double TwoSignificantDigits(double v) {
    if (v == 0.0 || !std::isfinite(v)) return v;
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(v))) - 1.0);
    return std::round(v / unit) * unit;
}

}  // namespace

std::string GapSpreadText(const GapSpread& spread, int points) {
    std::string r2;
    if (spread.r2) r2 = "R\u00b2 = " + FloatToStr(std::trunc(*spread.r2 * 1e4) / 1e4);
    if (spread.sdEv) {
        const std::string sd = "\u00b1 " + FloatToStr(TwoSignificantDigits(*spread.sdEv)) + " eV";
        return r2.empty() ? sd : sd + ", " + r2;
    }
    if (points == 2) return (r2.empty() ? std::string() : r2 + ", ") + "no spread from 2 points";
    return r2;
}

}  // namespace optc
