#pragma once
// Results files as tables: a fixed header line, then one row per point, its values
// joined by exactly two blanks with nothing before the first or after the last.
// Values are written with FloatToStr (the decimal separator in force); the Tauc
// files' Fit column uses the 23-character real form. Lines end in "\r\n".
#include <functional>
#include <string>
#include <string_view>

#include "numerics/Arrays.h"

namespace optc {

// One row of a results file, built value by value.
class ResultsRow {
public:
    // A value in FloatToStr's general form.
    ResultsRow& Value(double value);
    // A value already written as text (such as the 23-character real form).
    ResultsRow& Text(std::string_view text);
    const std::string& Line() const { return line_; }
    void Reset() { line_.clear(); }

private:
    std::string line_;
};

// Creates the file (an existing one is replaced), writes the header and rows
// k = 1..count in increasing k, each filled by fill(k, row), and closes it. No rows
// when count < 1. A failure raises the file layer's error; the file may then be
// partly written.
void WriteResultsFile(const std::string& path, std::string_view header, int count,
                      const std::function<void(int k, ResultsRow& row)>& fill);

// Two columns: x[k] and y[k] for k = 1..count.
void WritePairsFile(const std::string& path, std::string_view header, const SpectrumArray& x,
                    const SpectrumArray& y, int count);

// A Tauc file: energy[k], tauc[k] and the gap line (intercept line[0], slope line[1])
// at that energy in the 23-character form, for k = 1..count. The line's value is
// computed while writing; a value that overflows raises the floating-point error.
void WriteTaucFile(const std::string& path, std::string_view header, const SpectrumArray& energy,
                   const SpectrumArray& tauc, const CoefVector& line, int count);

}  // namespace optc
