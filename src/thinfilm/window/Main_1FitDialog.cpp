// The Fit Spectrum dialog of the Thin Films window: opened with the spectrum, the
// extrema and the fringe orders the fit starts from, and alpha of the last complete
// Calculate to compare with. Nothing here changes a result of Calculate; "Use This
// Thickness" only fills the thickness entry for the user's next Calculate.
#include <cmath>

#include "thinfilm/orders/FringeOrdersText.h"
#include "thinfilm/window/Main_1.h"
#include "ui/TypedNumber.h"

namespace optc {

void TForm1::FitSpectrumClick() {
    FitDialogSource source;
    source.input = SpectrumFitInputOf(source.reason);
    if (!not633.Checked())
        if (const auto nat = TypedNumber(natx); nat && *nat > 0.0) source.natNm = *nat;
    // Calculate's alpha, where a complete Calculate left one.
    if (calculated_)
        for (int i = 1; i <= data_.SpecCount; ++i)
            if (std::isfinite(data_.Absorption[i])) source.envelopeAlpha.emplace_back(data_.SpecLambda[i], data_.Absorption[i]);
    Fit.OnUseThickness = [this](double nm) {
        // As the user would: check the box (its handler enables the entry), then type.
        FixThickness.SetChecked(true);
        thickness.SetText(ThicknessCmText(nm));
    };
    Fit.OnFitted = [this](const SpectrumFitOutcome& outcome) { outcome_.spectrumFit = outcome; };
    Fit.Open(std::move(source));
    GetPlatform().ShowModal(Fit);
}

}  // namespace optc
