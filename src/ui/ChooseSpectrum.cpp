#include "ui/ChooseSpectrum.h"

#include <cstddef>
#include <span>

#include "datafiles/FileRefusal.h"
#include "datafiles/MeasuredRange.h"

namespace optc {

std::optional<ChosenSpectrum> ChooseSpectrum(Platform& platform, RestartMode mode, SpectrumKind kind,
                                             UnitChoices units) {
    const auto path = platform.OpenFileDialog(kSpectrumFilter);
    if (!path || !platform.FileExists(*path)) return std::nullopt;

    // One table for every import, as the workspaces are made once: its pages stay
    // mapped, so reading the next file costs no fresh memory.
    static PairTable pairs;
    SpectrumFileInfo info;
    try {
        info = ReadSpectrumFile(*path, mode, kind, pairs);
    } catch (const FileRefusal& refusal) {
        platform.ShowMessage(refusal.what());
        return std::nullopt;
    }
    if (pairs.count == 0 || !pairs.anyNumberPair) {
        platform.ShowMessage(NoPairsMessage(*path));
        return std::nullopt;
    }
    if (info.fileUnits.empty()) {
        const auto n = static_cast<std::size_t>(pairs.count);
        ApplyUnitConversions(std::span<double>(pairs.x.get(), n), std::span<double>(pairs.y.get(), n), units);
    }
    try {
        info.rangeNote = CheckMeasuredRange(pairs, kind, FileNameOf(*path));
    } catch (const FileRefusal& refusal) {
        platform.ShowMessage(refusal.what());
        return std::nullopt;
    }
    return ChosenSpectrum{*path, pairs, info};
}

}  // namespace optc
