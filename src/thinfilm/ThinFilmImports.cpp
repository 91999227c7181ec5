// The two imports of the Thin Films window: the transmission spectrum and the fringe
// extrema. A file error ends an import where it happens; what was cleared stays so.
#include <filesystem>
#include <string>

#include "numerics/FloatText.h"
#include "datafiles/Ordering.h"
#include "datafiles/PairReader.h"
#include "thinfilm/Main_1.h"

namespace optc {

namespace {
constexpr const char* kTextFiles = "*.txt";

// The full name of a chosen file, as the window shows it.
std::string FullName(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal().string();
}
}  // namespace

void TForm1::import1Click() {
    ThinFilmData& d = data_;
    Fileshow1.SetText("");
    Fileshow2.SetText("");
    thickness.SetText("");
    n633show.SetText("");
    EgOutput.SetText("");
    ninp.SetText("");
    nu633.SetChecked(false);

    Chart1.ClearAll();
    ResetForImportSpectrum(d);
    ForgetFringesForOrders();

    Platform& platform = GetPlatform();
    const auto path = platform.OpenFileDialog(kTextFiles);
    PairReadResult read;
    if (path && platform.FileExists(*path)) {
        Fileshow1.SetText(FullName(*path));
        read = ReadPairs(*path, d.SpecLambda, d.SpecTrans, d.SpecCount, RestartMode::Below100);
    }
    Button2.SetEnabled(true);
    ApplyUnitConversions(d.SpecLambda, d.SpecTrans, d.SpecCount, units_());
    d.SpecAscending = AscendingFlag(d.SpecLambda);
    if (read.truncated) platform.ShowMessage(kTooManyPointsMessage);
}

void TForm1::Import2Click() {
    ThinFilmData& d = data_;
    d.ExtCount = 0;
    ForgetFringesForOrders();

    Platform& platform = GetPlatform();
    const auto path = platform.OpenFileDialog(kTextFiles);
    if (!path || !platform.FileExists(*path)) return;

    Fileshow2.SetText(FullName(*path));
    const PairReadResult read =
        ReadPairs(*path, d.RawExtLambda, d.RawExtTrans, d.ExtCount, RestartMode::Always);
    ApplyUnitConversions(d.RawExtLambda, d.RawExtTrans, d.ExtCount, units_());
    CopyLongestFirst(d.RawExtLambda, d.RawExtTrans, d.ExtLambda, d.ExtTrans, d.ExtCount);

    // Propose the n range from the shortest and the longest extremum; a file without
    // extrema has nothing to propose and leaves both texts alone.
    if (d.ExtCount >= 1) {
        const double shortest = d.ExtLambda[d.ExtCount];
        const double longest = d.ExtLambda[1];
        Wstart.SetText(shortest <= 600.0 ? FloatToStr(shortest) : "600");
        Wend.SetText(longest >= 633.0 ? FloatToStr(longest) : "650");
    }
    if (read.truncated) platform.ShowMessage(kTooManyPointsMessage);
}

}  // namespace optc
