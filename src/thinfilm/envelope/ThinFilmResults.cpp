#include "thinfilm/envelope/ThinFilmResults.h"

#include "datafiles/ResultsFileSet.h"
#include "datafiles/ResultsTable.h"

namespace optc {

namespace {
// The column names are padded as the lab's other tools expect them; they do not line
// up with the values.
constexpr const char* kRefHeader = "Lambda     Refraction     LambdaExp     RefractionExp";
constexpr const char* kAbsHeader = "Energy                        Absorption";
constexpr const char* kTaucHeader = "Energy                         Tauc                            Fit";
constexpr const char* kFreeTransHeader = "Lambda                         Fringes-free transmission";
}  // namespace

void WriteRefractionFile(const ThinFilmData& d, const std::string& path) {
    WriteResultsFile(path, kRefHeader, d.DispCount - 1, [&d](int k, ResultsRow& row) {
        row.Value(d.DispLambda[k]).Value(d.DispRefraction[k]);
        if (k <= d.ExtCount) row.Value(d.LambdaExp[k]).Value(d.RefractionExp[k]);
    });
}

void WriteThinFilmAbsorptionFile(const ThinFilmData& d, const std::string& path) {
    WritePairsFile(path, kAbsHeader, d.AbsEnergy, d.Absorption, d.SpecCount);
}

void WriteThinFilmTaucFile(const ThinFilmData& d, const std::string& path) {
    WriteTaucFile(path, kTaucHeader, d.TaucEnergy, d.Tauc, d.TaucLine, d.SpecCount);
}

void WriteFringesFreeFile(const ThinFilmData& d, const std::string& path, bool fringesFree) {
    WritePairsFile(path, kFreeTransHeader, d.FreeLambda, d.FreeTrans, fringesFree ? d.SpecCount : 0);
}

void SaveThinFilmResults(const ThinFilmData& d, const std::string& baseName, bool fringesFree) {
    ResultsFileSet files;
    files.Write(baseName + kRefSuffix, [&d](const std::string& path) { WriteRefractionFile(d, path); });
    files.Write(baseName + kAbsSuffix, [&d](const std::string& path) { WriteThinFilmAbsorptionFile(d, path); });
    files.Write(baseName + kTaucSuffix, [&d](const std::string& path) { WriteThinFilmTaucFile(d, path); });
    files.Write(baseName + kFreeTransSuffix,
                [&d, fringesFree](const std::string& path) { WriteFringesFreeFile(d, path, fringesFree); });
    files.Commit();
}

}  // namespace optc
