// "Save Results" of the Bulk window: the two results files under the chosen name.
#include "bulk/BulkResults.h"
#include "bulk/Main_3.h"
#include "datafiles/ResultsFileSet.h"

namespace optc {

void TForm3::Button1Click() {
    auto name = GetPlatform().SaveFileDialog("*.txt");
    if (!name) return;
    // The chosen name is used unchanged as the stem of both files, which are written
    // both or none.
    ResultsFileSet files;
    files.Write(*name + "Abs.txt", [this](const std::string& path) { WriteBulkAbsorptionFile(data_, path); });
    files.Write(*name + "tauc.txt", [this](const std::string& path) { WriteBulkTaucFile(data_, path); });
    files.Commit();
    GetPlatform().RememberFolder(*name);
}

}  // namespace optc
