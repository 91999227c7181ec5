#include "datafiles/ImportReading.h"

#include "datafiles/FileRefusal.h"

namespace optc {

SpectrumFileInfo ReadSpectrumFile(const std::string& path, RestartMode mode, SpectrumKind kind, PairTable& into) {
    FileBytes file(path);
    return ReadSpectrum(SpectrumFormatOf(path), file, SpectrumRequest{FileNameOf(path), mode, kind}, into);
}

std::string ChosenSpectrum::Label(const std::string& shownName) const {
    if (info.fileUnits.empty()) return shownName;
    // The note comes first: a long folder name may not fit the label, the note must.
    return "(units from the file: " + info.fileUnits + ") " + shownName;
}

std::string NoPairsMessage(const std::string& path) {
    return "No pair of numbers was found in " + FileNameOf(path) + ".";
}

}  // namespace optc
