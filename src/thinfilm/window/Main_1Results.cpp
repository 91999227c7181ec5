// "Save Results" of the Thin Films window: the four results files under the chosen name.
#include "thinfilm/envelope/ThinFilmResults.h"
#include "thinfilm/window/Main_1.h"

namespace optc {

void TForm1::Button1Click() {
    if (resultsCleared_) {
        StopWith(ThinFilmMessage::NothingToSave);
        return;
    }
    auto name = GetPlatform().SaveFileDialog("*.txt");
    if (!name) return;
    // The chosen name is the stem of all four files, used exactly as given.
    SaveThinFilmResults(data_, *name, FrFTr.Checked());
    GetPlatform().RememberFolder(*name);
}

}  // namespace optc
