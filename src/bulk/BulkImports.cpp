// The two imports of the bulk window: the transmission spectrum and the reflection
// spectrum, each stored longest wavelength first.
#include "bulk/Main_3.h"
#include "datafiles/Ordering.h"
#include "datafiles/PairReader.h"

namespace optc {

void TForm3::import1Click() {
    Fileshow1.SetText("");
    EgOutput.SetText("");
    ClearChart();
    data_.ClearForTransImport();
    data_.SpecAscending = 0;
    data_.SpecCount = 0;

    PairReadResult read;
    auto path = GetPlatform().OpenFileDialog("*.txt");
    if (path && GetPlatform().FileExists(*path)) {
        Fileshow1.SetText(*path);
        read = ReadPairs(*path, data_.RawLambda, data_.RawTrans, data_.SpecCount, RestartMode::Below100);
    }
    ApplyUnitConversions(data_.RawLambda, data_.RawTrans, data_.SpecCount, units_());
    CopyLongestFirst(data_.RawLambda, data_.RawTrans, data_.SpecLambda, data_.SpecTrans, data_.SpecCount);
    data_.SpecAscending = AscendingFlag(data_.RawLambda);
    if (read.truncated) Message(kTooManyPointsMessage);
}

void TForm3::Import2Click() {
    data_.ReflCount = 0;
    data_.ClearForReflImport();
    Fileshow2.SetText("");
    EgOutput.SetText("");
    // The reflection spectrum becomes the source, even when no file is read.
    InpR.SetChecked(false);
    InpN.SetChecked(false);
    ClearChart();

    auto path = GetPlatform().OpenFileDialog("*.txt");
    if (!path || !GetPlatform().FileExists(*path)) return;
    Fileshow2.SetText(*path);
    PairReadResult read =
        ReadPairs(*path, data_.RawReflLambda, data_.RawReflValue, data_.ReflCount, RestartMode::Always);
    ApplyUnitConversions(data_.RawReflLambda, data_.RawReflValue, data_.ReflCount, units_());
    CopyLongestFirst(data_.RawReflLambda, data_.RawReflValue, data_.ReflLambda, data_.ReflValue,
                     data_.ReflCount);
    if (read.truncated) Message(kTooManyPointsMessage);
}

}  // namespace optc
