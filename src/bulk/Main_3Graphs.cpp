// The transmission, reflection and absorption graphs of the bulk window. Each shows
// the workspace as it is when its radio button becomes checked.
#include "bulk/Main_3.h"
#include "numerics/FloatText.h"

namespace optc {

void TForm3::StartGraph(const std::string& bottomTitle, const std::string& leftTitle) {
    data_.GraphMode = 0;
    ClearChart();
    Chart1.LeftAxis().logarithmic = false;
    Chart1.LeftAxis().SetAutomatic();
    Chart1.BottomAxis().SetAutomatic();
    Chart1.BottomAxis().title = bottomTitle;
    Chart1.LeftAxis().title = leftTitle;
}

void TForm3::RadioButton4Click() {
    StartGraph("WaveLengths, nm", "T , %");
    // The resampled curve exists only when the last calculation built a common grid.
    if (data_.GridLambda[1] != 0.0) {
        for (int i = 1; i <= data_.AbsCount; ++i) Series2.AddXY(data_.GridLambda[i], data_.GridTrans[i], clBlue);
    }
    for (int i = 1; i <= data_.SpecCount; ++i) Series1.AddXY(data_.SpecLambda[i], data_.SpecTrans[i], clRed);
}

void TForm3::RadioButton1Click() {
    StartGraph("WaveLengths, nm", "R , %");
    // The source is the one the boxes choose now, not the one of the last calculation.
    if (InpR.Checked()) {
        double r = StrToFloat(Refl.Text());
        for (int i = 1; i <= data_.SpecCount; ++i) Series1.AddXY(data_.SpecLambda[i], r, clBlue);
    } else if (!InpN.Checked()) {
        for (int i = 1; i <= data_.ReflCount; ++i) Series1.AddXY(data_.ReflLambda[i], data_.ReflValue[i], clBlue);
        if (data_.GridReflLambda[1] != 0.0) {
            for (int i = 1; i <= data_.AbsCount; ++i)
                Series3.AddXY(data_.GridReflLambda[i], data_.GridRefl[i], clRed);
        }
    }
}

void TForm3::RadioButton2Click() {
    StartGraph("Photon Energy, eV", "a , cm-1");
    for (int i = 1; i <= data_.AbsCount; ++i) Series2.AddXY(data_.AbsEnergy[i], data_.Absorption[i], clBlue);
}

}  // namespace optc
