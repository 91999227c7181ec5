// The two imports of the bulk window: the transmission spectrum and the reflection
// spectrum, each stored longest wavelength first. The file is read in full before
// anything changes, so a cancel, a refused file or a file error leaves the window as
// it was.
#include "bulk/Main_3.h"
#include "datafiles/CsvSpectrum.h"
#include "datafiles/Ordering.h"
#include "ui/ChooseSpectrum.h"

namespace optc {

void TForm3::import1Click() {
    // A cancelled dialog or a refused file changes nothing.
    std::string refusal;
    const auto chosen =
        ChooseSpectrum(GetPlatform(), RestartMode::Below100, SpectrumKind::Transmission, units_(), &refusal);
    if (!refusal.empty()) outcome_.stop = Stop<BulkMessage>{BulkMessage::SpectrumRefused, refusal};
    if (!chosen) return;
    outcome_.thicknessCm.reset();

    Fileshow1.SetText("");
    tauc_.ClearGap();
    ClearChart();
    data_.ClearForTransImport();
    data_.SpecAscending = 0;
    data_.SpecCount = 0;

    Fileshow1.SetText(chosen->Label(chosen->path));
    StorePairs(chosen->pairs, data_.RawLambda, data_.RawTrans, data_.SpecCount);
    CopyLongestFirst(data_.RawLambda, data_.RawTrans, data_.SpecLambda, data_.SpecTrans, data_.SpecCount);
    data_.SpecAscending = AscendingFlag(data_.RawLambda);
    GetPlatform().RememberFolder(chosen->path);
    if (chosen->pairs.truncated) Message(kTooManyPointsMessage);
    if (chosen->info.moreColumns) Message(kMoreColumnsMessage);
    if (chosen->info.rangeNote) Message(*chosen->info.rangeNote);
}

void TForm3::Import2Click() {
    std::string refusal;
    const auto chosen =
        ChooseSpectrum(GetPlatform(), RestartMode::Always, SpectrumKind::Reflection, units_(), &refusal);
    if (!refusal.empty()) outcome_.stop = Stop<BulkMessage>{BulkMessage::ReflectionRefused, refusal};
    if (!chosen) return;
    outcome_.thicknessCm.reset();

    data_.ReflCount = 0;
    data_.ClearForReflImport();
    Fileshow2.SetText("");
    tauc_.ClearGap();
    // The reflection spectrum becomes the source.
    InpR.SetChecked(false);
    InpN.SetChecked(false);
    ClearChart();

    Fileshow2.SetText(chosen->Label(chosen->path));
    StorePairs(chosen->pairs, data_.RawReflLambda, data_.RawReflValue, data_.ReflCount);
    CopyLongestFirst(data_.RawReflLambda, data_.RawReflValue, data_.ReflLambda, data_.ReflValue,
                     data_.ReflCount);
    GetPlatform().RememberFolder(chosen->path);
    if (chosen->pairs.truncated) Message(kTooManyPointsMessage);
    if (chosen->info.moreColumns) Message(kMoreColumnsMessage);
    if (chosen->info.rangeNote) Message(*chosen->info.rangeNote);
}

}  // namespace optc
