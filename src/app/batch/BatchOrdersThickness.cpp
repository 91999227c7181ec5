// --use-orders-thickness: what a user does after the Fringe Orders dialog found the
// orders, "Use This Thickness" (done in the dialog's step), then Calculate again.
#include "app/batch/BatchSession.h"

namespace optc {

void BatchSession::OrdersThicknessSteps() {
    if (!ordersThicknessUsed_) return;
    TForm1& f = Form1;
    // The refined thickness is in the entry now; a first Calculate that stopped said so
    // in the notes, and this run is judged by the Calculate that follows.
    stop_.reset();
    stopSubject_.clear();
    stopDetail_.clear();
    Step(f.Calculate.Caption());
    if (Click(f, f.Calculate)) GapSteps(f, f.Direct, f.RadioButton3, f.Estart, f.Eend, f.CalculatEg);
    OrdersSteps();
}

}  // namespace optc
