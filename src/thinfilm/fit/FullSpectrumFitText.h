#pragma once
// Fit Spectrum as text: the result line of the dialog, and the table of the fitted
// points as Copy and Save Table write it (tab-separated, every digit, the program's
// decimal separator).
#include <string>
#include <vector>

#include "thinfilm/fit/FullSpectrumFit.h"

namespace optc {

// v rounded to so many decimals, in the program's number format.
std::string RoundedText(double v, int decimals);
// A transmission in %T to three decimals, or more for a smaller one so that two digits
// show (a spectrum written to four decimals has a noise of 0.0003 %T, not 0).
std::string PercentTText(double v);

// A value and its standard deviation, both to the deviation's second significant digit
// ("1000.040", "0.094"); a value held (deviation 0) as it is.
struct ValueAndSd {
    std::string value, sd;
};
ValueAndSd ValueAndSdText(double value, double sd);

// "d = 1000.040 ± 0.094 nm, Δd = 15.02 ± 0.21 nm, n(633 nm) = 2.27487 ± 0.00012,
// residual 0.101 %T (noise 0.00017 %T)", or the reason.
std::string FitResultLine(const SpectrumFitOutcome& outcome);

// The heading and one line per point: wavelength, T measured, T fitted, residual, n,
// alpha (empty where it has none) and the photon energy.
std::vector<std::string> FitTableLines(const SpectrumFitResult& result);

// Writes the table to a text file with CR LF line ends. File errors raise.
void WriteFitTable(const SpectrumFitResult& result, const std::string& path);

}  // namespace optc
