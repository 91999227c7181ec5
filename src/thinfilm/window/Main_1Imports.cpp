// The two imports of the Thin Films window: the transmission spectrum and the fringe
// extrema. The file is read in full before anything changes, so a cancel, a refused
// file or a file error leaves the window and its workspace as they were.
#include <filesystem>
#include <string>

#include "numerics/FloatText.h"
#include "datafiles/CsvSpectrum.h"
#include "datafiles/Ordering.h"
#include "ui/ChooseSpectrum.h"
#include "thinfilm/window/Main_1.h"

namespace optc {

namespace {

// The full name of a chosen file, as the window shows it.
std::string FullName(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal().string();
}
}  // namespace

void TForm1::import1Click() {
    Platform& platform = GetPlatform();
    // A cancelled dialog or a refused file changes nothing.
    std::string refusal;
    const auto chosen =
        ChooseSpectrum(platform, RestartMode::Below100, SpectrumKind::Transmission, units_(), &refusal);
    if (!refusal.empty()) outcome_.stop = Stop<ThinFilmMessage>{ThinFilmMessage::SpectrumRefused, refusal};
    if (!chosen) return;

    ThinFilmData& d = data_;
    Fileshow1.SetText("");
    Fileshow2.SetText("");
    thickness.SetText("");
    n633show.SetText("");
    tauc_.ClearGap();
    ninp.SetText("");
    nu633.SetChecked(false);

    Chart1.ClearAll();
    ResetForImportSpectrum(d);
    ForgetFringesForOrders();
    resultsCleared_ = true;

    Fileshow1.SetText(chosen->Label(FullName(chosen->path)));
    StorePairs(chosen->pairs, d.SpecLambda, d.SpecTrans, d.SpecCount);
    Button2.SetEnabled(true);
    d.SpecAscending = AscendingFlag(d.SpecLambda);
    platform.RememberFolder(chosen->path);
    if (chosen->pairs.truncated) platform.ShowMessage(kTooManyPointsMessage);
    if (chosen->info.moreColumns) platform.ShowMessage(kMoreColumnsMessage);
    if (chosen->info.rangeNote) platform.ShowMessage(*chosen->info.rangeNote);
}

void TForm1::Import2Click() {
    Platform& platform = GetPlatform();
    std::string refusal;
    const auto chosen = ChooseSpectrum(platform, RestartMode::Always, SpectrumKind::Transmission, units_(), &refusal);
    if (!refusal.empty()) outcome_.stop = Stop<ThinFilmMessage>{ThinFilmMessage::FringesRefused, refusal};
    if (!chosen) return;

    ThinFilmData& d = data_;
    ForgetFringesForOrders();
    Fileshow2.SetText(chosen->Label(FullName(chosen->path)));
    StorePairs(chosen->pairs, d.RawExtLambda, d.RawExtTrans, d.ExtCount);
    CopyLongestFirst(d.RawExtLambda, d.RawExtTrans, d.ExtLambda, d.ExtTrans, d.ExtCount);

    // Propose the n range from the shortest and the longest extremum.
    const double shortest = d.ExtLambda[d.ExtCount];
    const double longest = d.ExtLambda[1];
    Wstart.SetText(shortest <= 600.0 ? FloatToStr(shortest) : "600");
    Wend.SetText(longest >= 633.0 ? FloatToStr(longest) : "650");
    platform.RememberFolder(chosen->path);
    if (chosen->pairs.truncated) platform.ShowMessage(kTooManyPointsMessage);
    if (chosen->info.moreColumns) platform.ShowMessage(kMoreColumnsMessage);
    if (chosen->info.rangeNote) platform.ShowMessage(*chosen->info.rangeNote);
}

}  // namespace optc
