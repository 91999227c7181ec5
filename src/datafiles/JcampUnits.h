#pragma once
// The units a JCAMP-DX file declares for its data (##XUNITS, ##YUNITS), and the
// conversion of its points to the program's nm and %.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace optc {

enum class JcampXUnit { Nanometres, Micrometres, WaveNumbers };
enum class JcampYUnit { Transmittance, Reflectance, Absorbance };

// NANOMETERS, MICROMETERS or 1/CM, with their usual variants (NM, MICRONS, CM-1 ...),
// in any case and spacing; nothing for any other unit.
std::optional<JcampXUnit> JcampXUnitOf(std::string_view value);
// TRANSMITTANCE, REFLECTANCE or ABSORBANCE, in any case; nothing for any other.
std::optional<JcampYUnit> JcampYUnitOf(std::string_view value);

// Transmittance and reflectance are fractions when no value exceeds this, percent
// otherwise: a fraction above 1 is noise at most, a spectrum in percent that never
// rises above 1.5 % is too dark to analyse.
constexpr double kLargestFraction = 1.5;

// Converts the points in place to wavelengths in nm and transmission or reflection
// in %: micrometres x 1000, wave numbers 1e7 / x, fractions x 100, absorbance A to
// 100 * 10^-A. Returns how the file was read, for the file label ("1/cm,
// transmittance as fractions"). A fault raises the program's floating-point errors.
std::string ConvertJcampUnits(std::span<double> x, std::span<double> y, JcampXUnit xUnit, JcampYUnit yUnit);

}  // namespace optc
