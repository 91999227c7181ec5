// Fit Spectrum of the Thin Films window: the whole spectrum fitted from the extrema
// (those of the last complete Calculate, or those imported or found) and the fringe
// orders found from them. Nothing here changes a result of Calculate; the fit's
// outcome stands beside them.
#include <cmath>

#include "numerics/Errors.h"
#include "numerics/FloatText.h"
#include "thinfilm/orders/FilmOrders.h"
#include "thinfilm/window/Main_1.h"
#include "ui/TypedNumber.h"

namespace optc {

std::optional<SpectrumFitInput> TForm1::SpectrumFitInputOf(std::string& reason) const {
    const std::optional<CalculatedFringes> fringes = calculated_ ? calculated_ : FringesOfSpectrum();
    if (!fringes) {
        reason = kFitNeedsFringes;
        return std::nullopt;
    }
    // The orders the dialog showed, else those it would show.
    const FringeOrdersOutcome orders = outcome_.fringeOrders && outcome_.fringeOrders->result
                                           ? *outcome_.fringeOrders
                                           : FindFilmFringeOrders(FilmFringesOf(*fringes));
    if (!orders.result) {
        reason = std::string(kFitNoFringes) + " " + orders.reason;
        return std::nullopt;
    }
    const ThinFilmData& d = data_;
    SpectrumFitInput input;
    for (int i = 1; i <= d.SpecCount; ++i) {
        input.lambda.push_back(d.SpecLambda[i]);
        input.trans.push_back(d.SpecTrans[i]);
    }
    input.extrema = fringes->extrema;
    input.fitTerms = fringes->fitTerms;
    input.substrate = TypedNumber(Const2).value_or(0.0);
    input.orders = orders.result;
    input.spreadStartNm = orders.result->nonUniformityNm;
    return input;
}

const SpectrumFitOutcome& TForm1::RunSpectrumFit(SpectrumFitOptions options, const FitControl& control) {
    std::string reason;
    const std::optional<SpectrumFitInput> input = SpectrumFitInputOf(reason);
    if (!not633.Checked())
        if (const auto nat = TypedNumber(natx); nat && *nat > 0.0) options.natNm = *nat;
    outcome_.spectrumFit = input ? FitSpectrum(*input, options, control) : SpectrumFitOutcome{std::nullopt, reason};
    return *outcome_.spectrumFit;
}

}  // namespace optc
