#include "app/main_2.h"

namespace optc {

TForm2::TForm2(Platform& platform, Form& bulk, Form& thinFilm)
    : Form(platform, "Optical Constants"), bulk_(bulk), thinFilm_(thinFilm) {
    xGroup_.Add(RadioButton1);
    xGroup_.Add(RadioButton2);
    yGroup_.Add(RadioButton3);
    yGroup_.Add(RadioButton4);
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    SetShown(true);
}

UnitChoices TForm2::Units() const {
    UnitChoices units;
    units.waveNumber = RadioButton2.Checked();
    units.fraction = RadioButton4.Checked();
    return units;
}

void TForm2::Button1Click() { GetPlatform().ShowModal(bulk_); }

void TForm2::Button2Click() { GetPlatform().ShowModal(thinFilm_); }

// Closing the start window ends the program.
void TForm2::BitBtn1Click() { Close(); }

}  // namespace optc
