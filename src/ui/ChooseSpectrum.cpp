#include "ui/ChooseSpectrum.h"

#include <cstddef>
#include <span>

#include "datafiles/FileRefusal.h"
#include "datafiles/MeasuredRange.h"

namespace optc {

std::optional<ChosenSpectrum> ChooseSpectrum(Platform& platform, RestartMode mode, SpectrumKind kind,
                                             UnitChoices units, std::string* refusal) {
    const auto refuse = [&](const std::string& text) {
        if (refusal) *refusal = text;
        platform.ShowMessage(text);
        return std::nullopt;
    };
    const auto path = platform.OpenFileDialog(kSpectrumFilter);
    if (!path || !platform.FileExists(*path)) return std::nullopt;

    // One table for every import of a thread, as the workspaces are made once: its
    // pages stay mapped, so reading the next file costs no fresh memory. Batch runs
    // analyse spectra on several threads at once, each with its own table.
    thread_local PairTable pairs;
    SpectrumFileInfo info;
    try {
        info = ReadSpectrumFile(*path, mode, kind, pairs);
    } catch (const FileRefusal& refused) {
        return refuse(refused.what());
    }
    if (pairs.count == 0 || !pairs.anyNumberPair) return refuse(NoPairsMessage(*path));
    if (info.fileUnits.empty()) {
        const auto n = static_cast<std::size_t>(pairs.count);
        ApplyUnitConversions(std::span<double>(pairs.x.get(), n), std::span<double>(pairs.y.get(), n), units);
    }
    try {
        info.rangeNote = CheckMeasuredRange(pairs, kind, FileNameOf(*path));
    } catch (const FileRefusal& refused) {
        return refuse(refused.what());
    }
    return ChosenSpectrum{*path, pairs, info};
}

}  // namespace optc
