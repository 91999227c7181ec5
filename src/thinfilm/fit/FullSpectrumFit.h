#pragma once
// Fit Spectrum: the exact transmission of the film fitted to every measured point of
// the spectrum, started from the fringe orders and searched over the neighbouring
// orders, with the standard deviations of its parameters, a residual set beside the
// spectrum's own noise, the warnings that say when to doubt it, and alpha at every
// point from the fitted film. Plain inputs, a plain result or the reason why there is
// none; nothing here changes a result of Calculate.
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "thinfilm/fit/FitModel.h"
#include "thinfilm/orders/FringeOrders.h"

namespace optc {

struct SpectrumFitOptions {
    DispersionLaw dispersion = DispersionLaw::Cauchy;
    AbsorptionLaw absorption = AbsorptionLaw::Urbach;
    bool spread = true;          // fit the thickness spread dd; otherwise dd = 0
    bool fitSubstrate = false;   // fit nS; otherwise as given
    double slitNm = 0.0;         // the instrument's band (FWHM of a triangle), 0: none
    double natNm = 633.0;        // where n is reported
    // The wavelengths fitted, nm; 0: from the spectrum's (or, without absorption, the
    // fringes') start or to its end.
    double fromNm = 0.0;
    double toNm = 0.0;
};

struct SpectrumFitInput {
    std::vector<double> lambda;  // nm, either order
    std::vector<double> trans;   // %
    // The extrema Calculate used, longest wavelength first, and the terms of its
    // dispersion fit (for the fringe orders when `orders` is not given).
    std::vector<FringeExtremum> extrema;
    int fitTerms = 3;
    double substrate = 1.52;  // nS as typed
    // The fringe orders' result to start from; found here from the extrema when absent.
    std::optional<FringeOrdersResult> orders;
    std::optional<double> spreadStartNm;  // a thickness spread known before the fit
};

struct FitParameter {
    std::string name;
    double value = 0.0;
    double sd = 0.0;
};

// One point of the fitted range.
struct FitPoint {
    double lambda = 0.0;     // nm
    double measured = 0.0;   // %
    double fitted = 0.0;     // %
    double n = 0.0;          // the fitted index
    // alpha (cm^-1) from the measured point with the fitted n, d and dd; none where
    // the point lies at or below 0 %T.
    std::optional<double> alphaCm;
};

struct SpectrumFitResult {
    double thicknessNm = 0.0, thicknessSdNm = 0.0;
    double spreadNm = 0.0, spreadSdNm = 0.0;  // dd; 0 and 0 when not fitted
    double natNm = 633.0, nAtNat = 0.0, nAtNatSd = 0.0;
    double rmsResidual = 0.0;  // %
    double noise = 0.0;        // % (estimated from the spectrum)
    bool trusted = true;
    std::vector<std::string> warnings;  // why it is not trusted
    std::optional<double> alternativeNm;  // an order that fits almost as well
    std::vector<FitParameter> parameters;
    int iterations = 0;
    int extremaInRange = 0;
    FitVector values{};  // every parameter, in the layout of FitModel.h
    FilmLaws laws;
    std::vector<FitPoint> points;  // the fitted range, ascending wavelength
};

struct SpectrumFitOutcome {
    std::optional<SpectrumFitResult> result;
    std::string reason;
};

// Progress (0 .. 1) told while the fit runs, and a flag that cancels it.
struct FitControl {
    const std::atomic<bool>* cancel = nullptr;
    std::function<void(double)> progress;
};

inline constexpr const char* kFitNeedsFringes = "Fit Spectrum needs a spectrum, nS and at least three extrema.";
inline constexpr const char* kFitTooFewPoints = "The spectrum has too few points in the range to fit.";
inline constexpr const char* kFitNotFinite = "The spectrum holds a value that is not a finite number.";
inline constexpr const char* kFitNoFringes = "The spectrum shows no fringes to fit: no fringe orders can be found.";
inline constexpr const char* kFitFailed = "The fit did not reach a finite result.";
inline constexpr const char* kFitCancelled = "The fit was cancelled.";
inline constexpr const char* kFitSingular =
    "The fit's parameters cannot be told apart (singular covariance): fewer model choices are needed.";
inline constexpr const char* kFitBadOptions = "The fit's options are not valid: ";

SpectrumFitOutcome FitSpectrum(const SpectrumFitInput& input, const SpectrumFitOptions& options,
                               const FitControl& control = {});

// The parameters' names as the result lists them, by their place in the vector.
const char* FitParameterName(int index, DispersionLaw law);

}  // namespace optc
