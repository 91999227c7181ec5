// Fringe Orders of the Thin Films window: the extrema a complete Calculate used, kept
// for the second stage of the envelope method, and the dialog that shows its result.
// Nothing here changes a result of Calculate; "Use This Thickness" only fills the
// thickness entry for the user's next Calculate.
#include <algorithm>
#include <utility>

#include "thinfilm/envelope/Envelope.h"
#include "thinfilm/extrema/ExtremaCheck.h"
#include "thinfilm/orders/FringeOrdersText.h"
#include "thinfilm/window/Main_1.h"

namespace optc {

void TForm1::KeepFringesForOrders(int fitTerms) {
    const ThinFilmData& d = data_;
    CalculatedFringes kept;
    // The kinds as Calculate split them: odd positions are maxima when the first is.
    const bool firstIsMaximum = FirstIsMaximum(d);
    for (int i = 1; i <= d.ExtCount; ++i) {
        const bool maximum = ((i % 2) == 1) == firstIsMaximum;
        kept.extrema.push_back({d.LambdaExp[i], maximum ? ExtremumKind::Maximum : ExtremumKind::Minimum,
                                d.ExtTrans[i], d.RefractionExp[i]});
    }
    kept.fitTerms = fitTerms;
    kept.dispCoef = d.DispCoef;
    kept.dispStart = d.DispStart;
    kept.dispEnd = d.DispEnd;
    calculated_ = std::move(kept);
    FringeOrders.SetEnabled(true);
}

void TForm1::ForgetFringesForOrders() {
    calculated_.reset();
    FringeOrders.SetEnabled(false);
    outcome_.thicknessCm.reset();
    outcome_.thicknessTyped = false;
    outcome_.nAtNat.reset();
    outcome_.natNm = 0.0;
    outcome_.fringeOrders.reset();
}

void TForm1::FringeOrdersClick() {
    if (!calculated_) return;
    Orders.OnUseThickness = [this](double nm) {
        // As the user would: check the box (its handler enables the entry), then type.
        FixThickness.SetChecked(true);
        thickness.SetText(ThicknessCmText(nm));
    };
    const auto count = static_cast<std::size_t>(std::max(data_.SpecCount, 0));
    if (const auto fault = FringeExtremaFaultOf(
            calculated_->extrema, [](const FringeExtremum& x) { return x.kind == ExtremumKind::Maximum; },
            TransRangeOf({std::as_const(data_.SpecTrans).From1(), count}))) {
        StopWith(ThinFilmMessage::ImpossibleExtrema, *fault);
        return;
    }
    Orders.ShowOutcome(FindFringeOrders(calculated_->extrema, calculated_->fitTerms), *calculated_);
    outcome_.fringeOrders = Orders.Outcome();
    GetPlatform().ShowModal(Orders);
}

}  // namespace optc
