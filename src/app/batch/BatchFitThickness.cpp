// --use-fit-thickness: what a user does after a fit the program trusts: the fitted
// thickness typed into the thickness box (its box checked first), then Calculate, the
// gap steps, the Fringe Orders dialog and the fit once more, so that alpha and Eg come
// from the fitted thickness. A fit not trusted changes nothing: the notes say why.
#include "app/batch/BatchSession.h"
#include "thinfilm/orders/FringeOrdersText.h"

namespace optc {

std::string FitThicknessNotUsedText(const std::optional<SpectrumFitOutcome>& fit) {
    std::string text = "--use-fit-thickness: the thickness box is left as it was: ";
    if (!fit || !fit->result) return text + (fit ? fit->reason : std::string(kFitNeedsFringes));
    text += "the fit is not trusted.";
    for (const std::string& warning : fit->result->warnings) text += " " + warning;
    return text;
}

void BatchSession::FitThicknessSteps() {
    if (!o_.fit.useThickness || (stop_ && !o_.saveOnStop)) return;
    TForm1& f = Form1;
    const std::optional<SpectrumFitOutcome> fit = f.Outcome().spectrumFit;
    if (!fit || !fit->result || !fit->result->trusted) {
        platform_.shown.push_back(FitThicknessNotUsedText(fit));
        return;
    }
    Step("--use-fit-thickness");
    if (!SetBox(f, f.FixThickness, true) || !Type(f, f.thickness, ThicknessCmText(fit->result->thicknessNm))) return;
    Step(f.Calculate.Caption());
    if (Click(f, f.Calculate)) GapSteps(f, f.Direct, f.RadioButton3, f.Estart, f.Eend, f.CalculatEg);
    OrdersSteps();
    // Calculate forgets the fit with the fringes it came from; the same fit again.
    Step("--fit");
    const SpectrumFitOptions options = SpectrumFitOptionsOf(o_.fit);
    Perform(f, [&f, &options] { f.RunSpectrumFit(options); });
}

}  // namespace optc
