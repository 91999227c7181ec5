#include "datafiles/SpectrumImport.h"

#include <filesystem>

namespace optc {

void ReadSpectrumFile(const std::string& path, RestartMode mode, PairTable& into) { ReadPairs(path, mode, into); }

std::string NoPairsMessage(const std::string& path) {
    return "No pair of numbers was found in " + std::filesystem::path(path).filename().string() + ".";
}

std::optional<ChosenSpectrum> ChooseSpectrum(Platform& platform, RestartMode mode, UnitChoices units) {
    const auto path = platform.OpenFileDialog("*.txt");
    if (!path || !platform.FileExists(*path)) return std::nullopt;

    // One table for every import, as the workspaces are made once: its pages stay
    // mapped, so reading the next file costs no fresh memory.
    static PairTable pairs;
    ReadSpectrumFile(*path, mode, pairs);
    if (pairs.count == 0) {
        platform.ShowMessage(NoPairsMessage(*path));
        return std::nullopt;
    }
    const auto n = static_cast<std::size_t>(pairs.count);
    ApplyUnitConversions(std::span<double>(pairs.x.get(), n), std::span<double>(pairs.y.get(), n), units);
    return ChosenSpectrum{*path, pairs};
}

}  // namespace optc
