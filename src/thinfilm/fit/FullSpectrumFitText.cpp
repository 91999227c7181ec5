#include "thinfilm/fit/FullSpectrumFitText.h"

#include <algorithm>
#include <cmath>

#include "datafiles/TextFileWriter.h"
#include "numerics/FloatText.h"
#include "thinfilm/orders/FringeOrdersText.h"

namespace optc {

std::string RoundedText(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return FloatToStr(std::round(v * scale) / scale);
}

std::string PercentTText(double v) {
    int decimals = 3;
    if (std::isfinite(v) && v > 0.0 && v < 0.01) decimals = std::min(9, 1 - static_cast<int>(std::floor(std::log10(v))));
    return RoundedText(v, decimals);
}

ValueAndSd ValueAndSdText(double value, double sd) {
    if (!(sd > 0.0) || !std::isfinite(sd) || !std::isfinite(value)) return {FloatToStr(value), FloatToStr(sd)};
    constexpr int kMostDecimals = 15;
    const int decimals = std::clamp(1 - static_cast<int>(std::floor(std::log10(sd))), 0, kMostDecimals);
    return {FixedDecimalsText(value, decimals), FixedDecimalsText(sd, decimals)};
}

std::string FitResultLine(const SpectrumFitOutcome& outcome) {
    if (!outcome.result) return outcome.reason;
    const SpectrumFitResult& r = *outcome.result;
    const auto withSd = [](double value, double sd) {
        const ValueAndSd t = ValueAndSdText(value, sd);
        return t.value + " \u00B1 " + t.sd;
    };
    std::string line = "d = " + withSd(r.thicknessNm, r.thicknessSdNm) + " nm";
    for (const FitParameter& p : r.parameters)
        if (p.name == FitParameterName(kSpread, r.laws.dispersion))
            line += ", \u0394d = " + withSd(r.spreadNm, r.spreadSdNm) + " nm";
    line += ", n(" + RoundedText(r.natNm, 0) + " nm) = " + withSd(r.nAtNat, r.nAtNatSd);
    line += ", residual " + PercentTText(r.rmsResidual) + " %T (noise " + PercentTText(r.noise) + " %T)";
    line += r.trusted ? "" : ": not trusted";
    return line;
}

std::vector<std::string> FitTableLines(const SpectrumFitResult& result) {
    std::vector<std::string> lines = {
        "Wavelength, nm\tT measured, %\tT fitted, %\tResidual, %\tn\tAlpha, 1/cm\tPhoton energy, eV"};
    for (const FitPoint& p : result.points) {
        lines.push_back(FloatToStr(p.lambda) + "\t" + FloatToStr(p.measured) + "\t" + FloatToStr(p.fitted) + "\t" +
                        FloatToStr(p.measured - p.fitted) + "\t" + FloatToStr(p.n) + "\t" +
                        (p.alphaCm ? FloatToStr(*p.alphaCm) : "") + "\t" + FloatToStr(kFitPhotonFactor / p.lambda));
    }
    return lines;
}

void WriteFitTable(const SpectrumFitResult& result, const std::string& path) {
    TextFileWriter file;
    file.Create(path);
    for (const std::string& line : FitTableLines(result)) file.WriteLine(line);
    file.Close();
}

}  // namespace optc
