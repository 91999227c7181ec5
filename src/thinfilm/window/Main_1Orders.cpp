// Fringe Orders of the Thin Films window: the extrema and what Calculate found at them
// when it completed, kept for the second stage of the envelope method; without a
// complete Calculate the stage works from the spectrum, the extrema and nS alone. The
// dialog shows its result. Nothing here changes a result of Calculate; "Use This
// Thickness" only fills the thickness entry for the user's next Calculate.
#include <algorithm>
#include <cmath>
#include <utility>

#include "numerics/Errors.h"
#include "numerics/FloatText.h"
#include "thinfilm/envelope/Envelope.h"
#include "thinfilm/extrema/ExtremaCheck.h"
#include "thinfilm/orders/FilmOrders.h"
#include "thinfilm/orders/FringeOrdersText.h"
#include "thinfilm/window/Main_1.h"
#include "ui/TypedNumber.h"

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
        kept.envelopes.push_back({d.EnvMaxTrans[i], d.EnvMinTrans[i]});
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
    OrdersNote.SetText("");
    FringeOrders.SetEnabled(false);
    outcome_.thicknessCm.reset();
    outcome_.thicknessTyped = false;
    outcome_.nAtNat.reset();
    outcome_.natNm = 0.0;
    outcome_.fringeOrders.reset();
    outcome_.spectrumFit.reset();
}

std::optional<CalculatedFringes> TForm1::FringesOfSpectrum() const {
    const ThinFilmData& d = data_;
    if (d.SpecCount < 1 || d.ExtCount < 3) return std::nullopt;
    const auto nS = TypedNumber(Const2);
    if (!nS || !(*nS > 0.0)) return std::nullopt;
    double shortest = d.SpecLambda[1], longest = d.SpecLambda[1];
    for (int k = 2; k <= d.SpecCount; ++k) {
        shortest = std::min(shortest, d.SpecLambda[k]);
        longest = std::max(longest, d.SpecLambda[k]);
    }
    CalculatedFringes f;
    const bool firstIsMaximum = FirstIsMaximum(d);
    for (int i = 1; i <= d.ExtCount; ++i) {
        if (!(d.ExtLambda[i] >= shortest && d.ExtLambda[i] <= longest)) return std::nullopt;
        const bool maximum = ((i % 2) == 1) == firstIsMaximum;
        f.extrema.push_back({d.ExtLambda[i], maximum ? ExtremumKind::Maximum : ExtremumKind::Minimum, d.ExtTrans[i], 0.0});
    }
    const auto count = static_cast<std::size_t>(d.SpecCount);
    if (FringeExtremaFaultOf(
            f.extrema, [](const FringeExtremum& x) { return x.kind == ExtremumKind::Maximum; },
            TransRangeOf({std::as_const(d.SpecTrans).From1(), count})))
        return std::nullopt;
    const auto order = TypedNumber(Order);
    f.fitTerms = order && *order >= 0.0 && *order <= 10.0 ? static_cast<int>(*order) + 1 : 3;
    return f;
}

void TForm1::RefreshFringeOrders() {
    if (!calculated_) FringeOrders.SetEnabled(FringesOfSpectrum().has_value());
}

FilmFringes TForm1::FilmFringesOf(const CalculatedFringes& fringes) const {
    FilmFringes film;
    film.extrema = fringes.extrema;
    film.envelopes = fringes.envelopes;
    film.indicesGiven = calculated_.has_value();
    film.nS = TypedNumber(Const2).value_or(0.0);
    film.tolerance = TypedNumber(Tolerance).value_or(1.0);
    film.fitTerms = fringes.fitTerms;
    if (!not633.Checked()) film.natNm = TypedNumber(natx);
    return film;
}

void TForm1::NoteFringeOrders() {
    OrdersNote.SetText("");
    const std::optional<CalculatedFringes> fringes = calculated_ ? calculated_ : FringesOfSpectrum();
    if (!fringes) return;
    const FringeOrdersOutcome outcome = FindFilmFringeOrders(FilmFringesOf(*fringes));
    OrdersNote.SetText(OrdersNoteText(outcome, outcome_.thicknessCm));
}

void TForm1::FringeOrdersClick() {
    std::optional<CalculatedFringes> fringes = calculated_ ? calculated_ : FringesOfSpectrum();
    if (!fringes) return;
    Orders.OnUseThickness = [this](double nm) {
        // As the user would: check the box (its handler enables the entry), then type.
        FixThickness.SetChecked(true);
        thickness.SetText(ThicknessCmText(nm));
    };
    const auto count = static_cast<std::size_t>(std::max(data_.SpecCount, 0));
    if (const auto fault = FringeExtremaFaultOf(
            fringes->extrema, [](const FringeExtremum& x) { return x.kind == ExtremumKind::Maximum; },
            TransRangeOf({std::as_const(data_.SpecTrans).From1(), count}))) {
        StopWith(ThinFilmMessage::ImpossibleExtrema, *fault);
        return;
    }
    const FringeOrdersOutcome outcome = FindFilmFringeOrders(FilmFringesOf(*fringes));
    // The index the stage found is the one the dialog shows as n1.
    // The stage may leave out extrema where the envelopes give no index: matched by
    // wavelength.
    if (!calculated_ && outcome.result)
        for (const FringeOrderRow& row : outcome.result->rows)
            for (FringeExtremum& x : fringes->extrema)
                if (x.lambda == row.extremum.lambda) x.n1 = row.extremum.n1;
    Orders.ShowOutcome(outcome, *fringes);
    outcome_.fringeOrders = Orders.Outcome();
    GetPlatform().ShowModal(Orders);
}

}  // namespace optc
