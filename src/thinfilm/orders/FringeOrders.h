#pragma once
// The second stage of the envelope method: interference orders of the fringe extrema,
// and from them the film thickness with its spread and a refined index at every
// extremum. Plain inputs (what Calculate used), a plain result or the reason why the
// orders cannot be found.
#include <optional>
#include <string>
#include <vector>

#include "numerics/Arrays.h"

namespace optc {

enum class ExtremumKind { Maximum, Minimum };

// One extremum as Calculate used it: wavelength (nm), kind as Calculate split the
// extrema, measured transmission (%) and the index n1 from the envelopes.
struct FringeExtremum {
    double lambda = 0.0;
    ExtremumKind kind = ExtremumKind::Maximum;
    double trans = 0.0;
    double n1 = 0.0;
};

struct FringeOrderRow {
    FringeExtremum extremum;
    // First-pass thickness (nm) of the pair this extremum starts with the next one;
    // nothing for the last extremum and for a pair whose value is not finite.
    std::optional<double> pairThickness;
    bool pairUsed = false;   // the pair entered the first-pass mean
    double order = 0.0;      // m: whole or half-odd
    double thickness = 0.0;  // d2 = m lambda / (2 n1), nm
    bool used = false;       // d2 entered the mean
    double n2 = 0.0;         // m lambda / (2 mean d2)
};

struct FringeOrdersResult {
    std::vector<FringeOrderRow> rows;  // longest wavelength first
    double firstPassNm = 0.0;          // mean of the pairs kept
    int pairsLeftOut = 0;              // pairs not finite, not positive or outliers
    double thicknessNm = 0.0;          // mean d2 of the extrema used
    double thicknessSdNm = 0.0;        // their sample standard deviation
    int used = 0;                      // extrema in the mean
    // Maxima at half-odd orders: the fringes fit clearly better that way, as for a
    // film of lower index than its substrate.
    bool kindsSwapped = false;
    // The next-best order assignment (all orders one step away) fits almost as well;
    // its thickness.
    bool orderAmbiguous = false;
    double alternativeNm = 0.0;
    // n2 against 1/lambda^2 (nm^-2), coefficients in ascending powers; fitTerms is 0
    // when the fit could not be made.
    CoefVector dispersion{};
    int fitTerms = 0;
    // The shorter wavelength of each gap in the extrema that the orders were counted
    // across (missed fringes; their spacing in 1/lambda a multiple of the others').
    std::vector<double> gapsAtNm;
    // The first extremum's order from the fringe positions alone, and its standard
    // error; whether it disagrees with the orders of the index, and the thickness of
    // the positions' orders then.
    std::optional<double> positionsOrder;
    std::optional<double> positionsOrderSd;
    bool witnessesDisagree = false;
    double otherWitnessNm = 0.0;

    // What FindFilmFringeOrders adds from the film's envelopes: the half-width dd of
    // the thickness spread (d - dd .. d + dd across the light spot) with its standard
    // deviation, nm, when the clear extrema give one; whether the orders were found
    // from the index corrected for it; whether the film is of lower index than its
    // substrate; and the doubts about the result, each a sentence.
    std::optional<double> nonUniformityNm;
    std::optional<double> nonUniformitySdNm;
    bool spreadCorrected = false;
    bool lowerIndex = false;
    bool natExtrapolated = false;  // the wavelength of "n at" lies outside the extrema
    std::vector<std::string> warnings;
};

// Either a result or the reason, in the words the dialog shows.
struct FringeOrdersOutcome {
    std::optional<FringeOrdersResult> result;
    std::string reason;
};

// Reasons the orders cannot be found.
inline constexpr const char* kOrdersTooFewExtrema = "Fringe orders need at least three extrema.";
inline constexpr const char* kOrdersBadWavelengths =
    "The extrema wavelengths must be positive numbers, longest first, each one different.";
inline constexpr const char* kOrdersOneKind =
    "The extrema are all maxima or all minima: fringe orders need both.";
inline constexpr const char* kOrdersNotAlternating =
    "The extrema must alternate between maxima and minima.";
inline constexpr const char* kOrdersNoConsistentThickness = "The fringe extrema give no consistent thickness.";
// Followed by the wavelength: "... at 812.5 nm."
inline constexpr const char* kOrdersBadIndex = "The refractive index is not a positive number at the extremum at ";

// extrema longest wavelength first; fitTerms the terms of the dispersion fit
// (Calculate's order + 1, fewer when fewer extrema are used).
FringeOrdersOutcome FindFringeOrders(const std::vector<FringeExtremum>& extrema, int fitTerms);

// n2 of the fitted dispersion at a wavelength (nm).
double OrdersDispersionIndex(const FringeOrdersResult& result, double lambda);

}  // namespace optc
