#pragma once
// The start window: the input-unit choices that the imports of both analysis windows
// read, a hint on the spectrum file format, and the buttons that open the bulk and the
// thin-film window modally. It computes nothing itself.
#include "datafiles/UnitChoices.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace optc {

class TForm2 : public Form {
public:
    // The analysis windows are only shown, never used, during construction, so they
    // may be created after the start window.
    TForm2(Platform& platform, Form& bulk, Form& thinFilm);

    StaticText StaticText1{"StaticText1", "Program for calculation of optical constants, v.2.1"};
    // Captioned frames without items: decoration, they group nothing.
    StaticText RadioGroup1{"RadioGroup1", "Select input X values in:"};
    StaticText RadioGroup2{"RadioGroup2", "Select input Y values in:"};
    // The X group (children of the main panel) and the Y group (children of Panel2).
    RadioButton RadioButton1{"RadioButton1", "WaveLength (nm)", true};
    RadioButton RadioButton2{"RadioButton2", "WaveVector (1/cm)", false};
    RadioButton RadioButton3{"RadioButton3", "Transmission in %", true};
    RadioButton RadioButton4{"RadioButton4", "Transmission in a.u."};
    Button Button1{"Button1", "Bulk Sample"};
    Button Button2{"Button2", "Thin Film"};
    StaticText StaticText3{"StaticText3",
                           "Please, use files in 'txt' format with columns: WaveLength [separator: space, or "
                           "Tab, or their sequence] Transmission"};
    Button BitBtn1{"BitBtn1", "Exit"};

    // The unit choices as the imports read them at the moment they run.
    UnitChoices Units() const;

    void Button1Click();
    void Button2Click();
    void BitBtn1Click();

private:
    RadioGroup xGroup_;
    RadioGroup yGroup_;
    Form& bulk_;
    Form& thinFilm_;
};

}  // namespace optc
