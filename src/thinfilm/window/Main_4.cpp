#include "thinfilm/window/Main_4.h"

#include <vector>

#include "numerics/FloatText.h"
#include "thinfilm/extrema/ExtremumFinder.h"
#include "ui/ChartInteraction.h"

namespace optc {

namespace {
// value rounded to a multiple of 1/scale, halves to even, in extended precision.
double RoundTo(double value, long double scale) {
    return static_cast<double>(static_cast<long double>(Round(static_cast<long double>(value) * scale)) / scale);
}
}  // namespace

TForm4::TForm4(Platform& platform, ThinFilmData& data)
    : Form(platform, "Minima determination"),
      Series1(Chart1.AddSeries(SeriesStyle::Line, true)),
      Series2(Chart1.AddSeries(SeriesStyle::Markers, true, true)),
      Series3(Chart1.AddSeries(SeriesStyle::Line, false)),
      data_(data) {
    AddChart(Chart1);
    Chart1.BottomAxis().title = "Wavelengths , nm";
    Chart1.LeftAxis().title = "Transmission , %";

    Chart1.OnClickSeries = [this](int series, MouseButton button, double x, double y) {
        Chart1ClickSeries(series, button, x, y);
    };
    Chart1.OnMouseMove = [this](double x, double y) { Chart1MouseMove(x, y); };
    Chart1.OnReadoutStale = [this] { ClearPointerReadout(PositionX, PositionY); };
    Chart1.OnDblClick = [this] { Chart1DblClick(); };
    BitBtn1.OnClick = [this] { Close(); };
    FindExtrema.OnClick = [this] { FindExtremaClick(); };
    Cancel.OnClick = [this] { CancelClick(); };
}

void TForm4::CancelClick() {
    cancelled_ = true;
    Close();
}

void TForm4::Chart1ClickSeries(int /*seriesIndex*/, MouseButton button, double x, double y) {
    if (button == MouseButton::Right) {
        // Only the mark under the pointer goes; a right click on the curve does nothing.
        const int mark = Chart1.GetCursorValueIndex(1);
        if (mark >= 0) {
            Series2.Delete(mark);
            data_.ExtCount = data_.ExtCount - 1;
        }
        return;
    }
    // The mark lies where the user aimed, not on the nearest measured point.
    AddMark(x, y);
}

void TForm4::AddMark(double x, double y) {
    const double markX = RoundTo(x, 1000.0L);
    const double markY = RoundTo(y, 100.0L);
    // The marks become the extrema arrays, which hold at most kCapacity values.
    if (data_.ExtCount >= kCapacity) return;
    data_.ExtCount = data_.ExtCount + 1;
    Series2.AddXY(markX, markY, clGreen);
    stop_.reset();
}

void TForm4::FindExtremaClick() {
    std::vector<double> lambda, trans;
    for (int i = 1; i <= data_.SpecCount; ++i) {
        lambda.push_back(data_.SpecLambda[i]);
        trans.push_back(data_.SpecTrans[i]);
    }
    const ExtremaSearch search = FindFringeExtrema(lambda, trans);
    if (search.verdict != ExtremaVerdict::Found) {
        GetPlatform().ShowMessage(VerdictMessage(search.verdict));
        stop_ = Stop<ThinFilmMessage>{ThinFilmMessage::ExtremaNotFound, VerdictMessage(search.verdict)};
        return;
    }
    Series2.Clear();
    data_.ExtCount = 0;
    for (const FoundExtremum& e : search.extrema) AddMark(e.lambda, e.trans);
}

void TForm4::EventEnds() {
    if (LastEventError() && !stop_)
        stop_ = Stop<ThinFilmMessage>{ThinFilmMessage::Error, LastEventError()->text, LastEventError()->typed,
                                               LastEventError()->detail};
}

void TForm4::Chart1MouseMove(double x, double y) { ShowPointerReadout(x, y, PositionX, PositionY); }

void TForm4::Chart1DblClick() {
    Chart1.BottomAxis().SetAutomatic();
    Chart1.LeftAxis().SetAutomatic();
}

}  // namespace optc
