#include "datafiles/JcampUnits.h"

#include <algorithm>
#include <cctype>

#include "numerics/FloatChecks.h"

namespace optc {

namespace {

// Upper case without blanks: "1 / cm" and "1/CM" are one unit.
std::string Normalised(std::string_view value) {
    std::string s;
    for (char c : value)
        if (c != ' ' && c != '\t') s += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

template <class Unit>
std::optional<Unit> Find(std::string_view value, std::initializer_list<std::pair<const char*, Unit>> names) {
    const std::string s = Normalised(value);
    for (const auto& [name, unit] : names)
        if (s == name) return unit;
    return std::nullopt;
}

}  // namespace

std::optional<JcampXUnit> JcampXUnitOf(std::string_view value) {
    using U = JcampXUnit;
    return Find<U>(value, {{"NANOMETERS", U::Nanometres},
                           {"NANOMETRES", U::Nanometres},
                           {"NM", U::Nanometres},
                           {"MICROMETERS", U::Micrometres},
                           {"MICROMETRES", U::Micrometres},
                           {"MICRONS", U::Micrometres},
                           {"UM", U::Micrometres},
                           {"1/CM", U::WaveNumbers},
                           {"CM-1", U::WaveNumbers},
                           {"CM^-1", U::WaveNumbers}});
}

std::optional<JcampYUnit> JcampYUnitOf(std::string_view value) {
    using U = JcampYUnit;
    return Find<U>(
        value, {{"TRANSMITTANCE", U::Transmittance}, {"REFLECTANCE", U::Reflectance}, {"ABSORBANCE", U::Absorbance}});
}

std::string ConvertJcampUnits(std::span<double> x, std::span<double> y, JcampXUnit xUnit, JcampYUnit yUnit) {
    std::string words;
    switch (xUnit) {
        case JcampXUnit::Nanometres:
            words = "nm";
            break;
        case JcampXUnit::Micrometres:
            words = "\u00B5m";
            for (double& v : x) v = Mul(v, 1000.0);
            break;
        case JcampXUnit::WaveNumbers:
            words = "1/cm";
            for (double& v : x) v = Div(1e7, v);
            break;
    }
    if (yUnit == JcampYUnit::Absorbance) {
        for (double& v : y) v = Mul(100.0, Pow(10.0, -v));
        return words + ", absorbance";
    }
    const char* quantity = yUnit == JcampYUnit::Transmittance ? "transmittance" : "reflectance";
    const bool fractions = std::all_of(y.begin(), y.end(), [](double v) { return v <= kLargestFraction; });
    if (!fractions) return words + ", " + quantity + " in %";
    for (double& v : y) v = Mul(v, 100.0);
    return words + ", " + quantity + " as fractions";
}

}  // namespace optc
