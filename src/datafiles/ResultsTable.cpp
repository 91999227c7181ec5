#include "datafiles/ResultsTable.h"

#include "numerics/FloatChecks.h"
#include "numerics/FloatText.h"
#include "datafiles/TextFileWriter.h"

namespace optc {

namespace {
constexpr std::string_view kSeparator = "  ";
}  // namespace

ResultsRow& ResultsRow::Value(double value) {
    if (!line_.empty()) line_.append(kSeparator);
    AppendFloatToStr(line_, value);  // in place: no string per number
    return *this;
}

ResultsRow& ResultsRow::Text(std::string_view text) {
    if (!line_.empty()) line_.append(kSeparator);
    line_.append(text);
    return *this;
}

void WriteResultsFile(const std::string& path, std::string_view header, int count,
                      const std::function<void(int k, ResultsRow& row)>& fill) {
    TextFileWriter file;
    file.Create(path);
    file.WriteLine(header);
    ResultsRow row;
    for (int k = 1; k <= count; ++k) {
        row.Reset();
        fill(k, row);
        file.WriteLine(row.Line());
    }
    file.Close();
}

void WritePairsFile(const std::string& path, std::string_view header, const SpectrumArray& x,
                    const SpectrumArray& y, int count) {
    WriteResultsFile(path, header, count, [&](int k, ResultsRow& row) { row.Value(x[k]).Value(y[k]); });
}

void WriteTaucFile(const std::string& path, std::string_view header, const SpectrumArray& energy,
                   const SpectrumArray& tauc, const CoefVector& line, int count) {
    WriteResultsFile(path, header, count, [&](int k, ResultsRow& row) {
        // slope * E + intercept; IEEE addition is commutative, so the intercept-first
        // order gives the same bits.
        const double fit = Add(Mul(line[1], energy[k]), line[0]);
        row.Value(energy[k]).Value(tauc[k]).Text(RealToText23(fit));
    });
}

}  // namespace optc
