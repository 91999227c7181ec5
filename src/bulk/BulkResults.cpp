#include "bulk/BulkResults.h"

#include "bulk/Main_3.h"
#include "numerics/FloatText.h"
#include "datafiles/TextFileWriter.h"

namespace optc {

void WriteBulkAbsorptionFile(const BulkData& d, const std::string& path) {
    TextFileWriter file;
    file.Create(path);
    file.WriteLine("Energy                        Absorption");
    for (int i = 1; i <= d.AbsCount; ++i)
        file.WriteLine(FloatToStr(d.AbsEnergy[i]) + "  " + FloatToStr(d.Absorption[i]));
    file.Close();
}

void WriteBulkTaucFile(const BulkData& d, const std::string& path) {
    TextFileWriter file;
    file.Create(path);
    file.WriteLine("Energy                         Tauc                          Fit");
    for (int i = 1; i <= d.AbsCount; ++i) {
        double fit = d.TaucLine[0] + d.TaucLine[1] * d.TaucEnergy[i];
        file.WriteLine(FloatToStr(d.TaucEnergy[i]) + "  " + FloatToStr(d.Tauc[i]) + "  " + RealToText23(fit));
    }
    file.Close();
}

void TForm3::Button1Click() {
    auto name = GetPlatform().SaveFileDialog("*.txt");
    if (!name) return;
    // The chosen name is used unchanged as the stem of both files. The absorption
    // file is complete and closed before the Tauc file is created.
    const std::string absName = *name + "Abs.txt";
    const std::string taucName = *name + "tauc.txt";
    WriteBulkAbsorptionFile(data_, absName);
    WriteBulkTaucFile(data_, taucName);
}

}  // namespace optc
