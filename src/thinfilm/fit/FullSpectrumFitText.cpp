#include "thinfilm/fit/FullSpectrumFitText.h"

#include <cmath>

#include "datafiles/TextFileWriter.h"
#include "numerics/FloatText.h"

namespace optc {

namespace {

std::string Rounded(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return FloatToStr(std::round(v * scale) / scale);
}

}  // namespace

std::string FitResultLine(const SpectrumFitOutcome& outcome) {
    if (!outcome.result) return outcome.reason;
    const SpectrumFitResult& r = *outcome.result;
    std::string line = "d = " + Rounded(r.thicknessNm, 1) + " \u00B1 " + Rounded(r.thicknessSdNm, 1) + " nm";
    for (const FitParameter& p : r.parameters)
        if (p.name == FitParameterName(kSpread, r.laws.dispersion))
            line += ", \u0394d = " + Rounded(r.spreadNm, 1) + " \u00B1 " + Rounded(r.spreadSdNm, 1) + " nm";
    line += ", n(" + Rounded(r.natNm, 0) + " nm) = " + Rounded(r.nAtNat, 4) + " \u00B1 " + Rounded(r.nAtNatSd, 4);
    line += ", residual " + Rounded(r.rmsResidual, 3) + " %T (noise " + Rounded(r.noise, 3) + " %T)";
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
