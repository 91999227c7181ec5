#pragma once
// The fringe orders of a film from what the Thin Films window holds, whether or not
// Calculate completed: the extrema with their kinds, the envelopes at them (Calculate's
// or built here), the substrate's index and the chosen wavelength for n. The index at
// each extremum is Calculate's where it has one, else that of the envelopes; for a film
// whose thickness varies across the light spot it is corrected for the spread, and for
// a film of lower index than its substrate taken with that case's formula. The doubts
// about the result come with it.
#include <optional>
#include <vector>

#include "thinfilm/orders/FringeIndex.h"
#include "thinfilm/orders/FringeOrders.h"

namespace optc {

struct FilmFringes {
    std::vector<FringeExtremum> extrema;  // longest wavelength first; n1 as below
    std::vector<EnvelopePair> envelopes;  // at every extremum, or empty: built from the extrema
    bool indicesGiven = false;            // n1 are Calculate's; otherwise found here
    double nS = 0.0;
    double tolerance = 1.0;  // %T: the window's "Ts-T tolerance"
    int fitTerms = 3;
    std::optional<double> natNm;  // the wavelength n is reported at, if any
};

// A reason beside those of FindFringeOrders.
inline constexpr const char* kOrdersBadSubstrate = "The substrate's index nS must be a positive number.";

FringeOrdersOutcome FindFilmFringeOrders(const FilmFringes& fringes);

// Whether the film's index lies below the substrate's: at the longest wavelengths the
// minima, not the maxima, lie nearer the bare substrate's transmission.
bool LowerIndexFilm(const std::vector<EnvelopePair>& envelopes, double nS);

// The doubts about a result, in the words of the dialog and the JSON.
std::vector<std::string> OrdersWarnings(const FringeOrdersResult& result, const std::vector<EnvelopePair>& envelopes,
                                        double nS, const std::optional<double>& natNm);

}  // namespace optc
