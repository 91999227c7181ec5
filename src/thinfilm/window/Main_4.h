#pragma once
// The minima window: the imported spectrum with the substrate level, on which the user
// marks the fringe extrema by hand. A left (or middle) click on the curve or on a mark
// sets a mark at the pointer; a right click on a mark removes it; Find Extrema marks
// the extrema the program finds in the spectrum by itself. Determine Fringes
// (TForm1::Button2Click) fills the chart, shows this window modally and reads the
// marks back when it closes with Ok or the title bar; Cancel (or Escape) abandons the
// determination.
#include <optional>

#include "thinfilm/ThinFilmData.h"
#include "thinfilm/window/ThinFilmMessages.h"
#include "ui/Stop.h"
#include "ui/ChartModel.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Platform.h"

namespace optc {

class TForm4 : public Form {
public:
    // ExtCount of data follows the number of marks while the window is open.
    TForm4(Platform& platform, ThinFilmData& data);

    ThinFilmData& Data() { return data_; }

    ChartModel Chart1{
        "To mark minimum or maximum point, click Left mouse button; to delete it, click Right mouse button"};
    ChartSeries& Series1;  // the spectrum: a line, clickable
    ChartSeries& Series2;  // the marks: circle markers labelled with X, clickable on the markers
    ChartSeries& Series3;  // the substrate level: a line that ignores clicks

    Button BitBtn1{"BitBtn1", "Ok"};
    Button FindExtrema{"FindExtrema", "Find Extrema"};
    Button Cancel{"Cancel", "Cancel"};
    StaticText PositionX{"PositionX", "X = "};
    StaticText PositionY{"PositionY", "Y = "};

    // A button pressed over the curve or a mark; x and y are the pointer's position in
    // axis units. Only the button decides what happens.
    void Chart1ClickSeries(int seriesIndex, MouseButton button, double x, double y);
    void Chart1MouseMove(double x, double y);
    void Chart1DblClick();
    // Replaces the marks with the fringe extrema found in the spectrum, each marked as
    // a click at that place would mark it. Without fringes the marks stay as they are
    // and a message says why.
    void FindExtremaClick();
    // Closes the window and marks the determination as abandoned.
    void CancelClick();

    // Each showing starts as one whose marks will be taken; Cancel turns it into one
    // that changes nothing.
    void BeginMarking() {
        cancelled_ = false;
        stop_.reset();
    }
    bool Cancelled() const { return cancelled_; }
    // What stopped this showing's determination: Find Extrema finding nothing, or an
    // error box, with no mark set after it.
    const std::optional<Stop<ThinFilmMessage>>& MarkingStop() const { return stop_; }

protected:
    void EventEnds() override;

private:
    // A mark at (x, y), rounded as a click's mark is.
    void AddMark(double x, double y);

    ThinFilmData& data_;
    bool cancelled_ = false;
    std::optional<Stop<ThinFilmMessage>> stop_;
};

}  // namespace optc
