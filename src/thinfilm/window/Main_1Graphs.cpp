// The refractive-index, transmission and absorption graphs of the Thin Films window.
// Each draws the workspace as it is when its radio button becomes checked, also when
// an import has cleared the results since the last calculation.
#include <string>

#include "numerics/FloatChecks.h"
#include "thinfilm/window/Main_1.h"

namespace optc {

namespace {
// Every graph starts from an empty chart on linear, automatic axes: this undoes a
// zoom, a logarithmic left axis left by an axis click and the Tauc view's fixed minimum.
void StartGraph(ThinFilmData& d, ChartModel& chart, const std::string& bottomTitle,
                const std::string& leftTitle) {
    d.GraphMode = 0;
    chart.ClearAll();
    chart.LeftAxis().logarithmic = false;
    chart.LeftAxis().SetAutomatic();
    chart.BottomAxis().SetAutomatic();
    chart.BottomAxis().title = bottomTitle;
    chart.LeftAxis().title = leftTitle;
}
}  // namespace

void TForm1::RadioButton1Click() {
    ThinFilmData& d = data_;
    StartGraph(d, Chart1, "WaveLengths, nm", "n");
    for (int i = 1; i <= d.ExtCount; ++i) Series1.AddXY(d.LambdaExp[i], d.RefractionExp[i], clGreen);
    // When the dispersion fit interleaved midpoints between the extrema, the even fit
    // points are those midpoints; 1/sqrt(1/lambda^2) turns them back into nm. After an
    // import the fit arrays are zero while the counts remain: the division then fails
    // and the markers drawn so far stay.
    const bool midpoints = d.FitCount != d.RangeCount;
    for (int j = 1; j <= d.FitCount; ++j) {
        if (j % 2 == 0 && midpoints)
            Series1.AddXY(Div(1.0, Sqrt(d.FitInvLambdaSq[j])), d.FitRefraction[j], clWhite);
    }
    for (int k = 1; k <= d.DispCount - 1; ++k) Series2.AddXY(d.DispLambda[k], d.DispRefraction[k], clRed);
}

void TForm1::RadioButton4Click() {
    ThinFilmData& d = data_;
    StartGraph(d, Chart1, "Wavelengths, nm", "T , %");
    for (int i = 1; i <= d.ExtCount; ++i) {
        Series3.AddXY(d.EnvMaxLambda[i], d.EnvMaxTrans[i], clGreen);
        Series4.AddXY(d.EnvMinLambda[i], d.EnvMinTrans[i], clBlue);
    }
    for (int i = 1; i <= d.SpecCount; ++i) {
        Series2.AddXY(d.SpecLambda[i], d.SpecTrans[i], clRed);
        if (FrFTr.Checked()) Series5.AddXY(d.FreeLambda[i], d.FreeTrans[i], clBlack);
    }
}

void TForm1::RadioButton2Click() {
    ThinFilmData& d = data_;
    StartGraph(d, Chart1, "Photon Energy, eV", "a, cm-1");
    for (int i = 1; i <= d.SpecCount; ++i) Series2.AddXY(d.AbsEnergy[i], d.Absorption[i], clBlue);
}

}  // namespace optc
