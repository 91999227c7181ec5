#include "bulk/BulkResults.h"

#include <string>

#include "numerics/FloatText.h"
#include "datafiles/ResultsFileSet.h"
#include "datafiles/TextFileWriter.h"

namespace optc {

void WriteBulkAbsorptionFile(const BulkData& d, const std::string& path) {
    TextFileWriter file;
    file.Create(path);
    file.WriteLine("Energy                        Absorption");
    std::string row;  // reused: no string per number
    for (int i = 1; i <= d.AbsCount; ++i) {
        row.clear();
        AppendFloatToStr(row, d.AbsEnergy[i]);
        row += "  ";
        AppendFloatToStr(row, d.Absorption[i]);
        file.WriteLine(row);
    }
    file.Close();
}

void WriteBulkTaucFile(const BulkData& d, const std::string& path) {
    TextFileWriter file;
    file.Create(path);
    file.WriteLine("Energy                         Tauc                          Fit");
    std::string row;
    for (int i = 1; i <= d.AbsCount; ++i) {
        double fit = d.TaucLine[0] + d.TaucLine[1] * d.TaucEnergy[i];
        row.clear();
        AppendFloatToStr(row, d.TaucEnergy[i]);
        row += "  ";
        AppendFloatToStr(row, d.Tauc[i]);
        row += "  ";
        row += RealToText23(fit);
        file.WriteLine(row);
    }
    file.Close();
}

}  // namespace optc
