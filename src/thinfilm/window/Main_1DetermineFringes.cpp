// Determine Fringes: the spectrum goes into the minima window with the substrate
// level, the user marks the extrema there, and the marks come back as the extrema,
// longest wavelength first, with a proposed wavelength range for n. A cancelled
// determination leaves the extrema and every result as they were.
#include <stdexcept>

#include "numerics/FloatChecks.h"
#include "numerics/FloatText.h"
#include "thinfilm/model/FilmOptics.h"
#include "thinfilm/window/Main_1.h"
#include "thinfilm/window/Main_4.h"

namespace optc {

namespace {

// Marks with a wavelength above this leave the proposed range starting here.
constexpr double kLongestStart = 600.0;

// Copies the marks into the raw extrema in the chart's order (ascending wavelength).
void ReadMarks(const ChartSeries& marks, ThinFilmData& d) {
    for (int s = 1; s <= d.ExtCount; ++s) {
        d.RawExtLambda[s] = marks.XValue(s - 1);
        d.RawExtTrans[s] = marks.YValue(s - 1);
    }
}

// Orders the raw extrema longest wavelength first by repeated selection of the
// largest; of equal wavelengths the first found is taken first. Each consumed raw
// wavelength is set to 0.
void SelectLongestFirst(ThinFilmData& d) {
    const int count = d.ExtCount;
    for (int j = 1; j <= count; ++j) {
        int m = 1;
        for (int i = 2; i <= count; ++i)
            if (d.RawExtLambda[i] > d.RawExtLambda[m]) m = i;
        d.ExtLambda[j] = d.RawExtLambda[m];
        d.ExtTrans[j] = d.RawExtTrans[m];
        d.RawExtLambda[m] = 0.0;
    }
}

}  // namespace

void TForm1::Button2Click() {
    if (minima_ == nullptr) throw std::logic_error("The minima window is not available");
    TForm4& minima = *minima_;
    ThinFilmData& d = data_;

    // A zoom left from an earlier determination is undone, the old marks discarded.
    minima.Chart1.BottomAxis().SetAutomatic();
    minima.Chart1.LeftAxis().SetAutomatic();
    minima.Series1.Clear();
    minima.Series2.Clear();
    minima.Series3.Clear();

    const double nS = StrToFloat(Const2.Text());
    // Transmission of the bare substrate, in percent.
    const double ts = film::SubstrateTransmissionPercent(nS);

    // The marks are counted in ExtCount while the window is open; a cancel puts back
    // the count, and nothing else has changed by then.
    const int extCountBefore = d.ExtCount;
    d.ExtCount = 0;
    for (int k = 1; k <= d.SpecCount; ++k) {
        minima.Series3.AddXY(d.SpecLambda[k], ts, clGreen);
        minima.Series1.AddXY(d.SpecLambda[k], d.SpecTrans[k], clRed);
    }

    minima.BeginMarking();
    GetPlatform().ShowModal(minima);
    if (minima.MarkingStop() && !outcome_.stop) outcome_.stop = minima.MarkingStop();
    if (minima.Cancelled()) {
        d.ExtCount = extCountBefore;
        return;
    }

    // The marks replace the extrema, and every result of the old ones goes.
    const int marks = d.ExtCount;
    tauc_.ClearGap();
    ResetForDetermineFringes(d);
    ForgetFringesForOrders();
    resultsCleared_ = true;
    // The texts of results that are gone; a thickness the user typed stays.
    if (!FixThickness.Checked()) thickness.SetText("");
    n633show.SetText("");
    d.ExtCount = marks;
    Fileshow2.SetText("determined by user");
    ReadMarks(minima.Series2, d);
    SelectLongestFirst(d);

    // The range for n: up to the longest mark, from the shortest one when it lies at or
    // below 600 nm. Without marks the start keeps its text.
    Wend.SetText(FloatToStr(d.ExtLambda[1]));
    if (d.ExtCount > 0) {
        const double shortest = d.ExtLambda[d.ExtCount];
        Wstart.SetText(shortest <= kLongestStart ? FloatToStr(shortest) : "600");
    }
}

}  // namespace optc
