#pragma once
// Where the spectrum fit starts: the fringe orders, shifted together by a whole
// number of steps, give the thickness and the dispersion; the spectrum's fall gives
// the absorption edge. And the bounds every parameter keeps to.
#include <optional>
#include <vector>

#include "thinfilm/fit/FitSolver.h"
#include "thinfilm/orders/FringeOrders.h"

namespace optc {

// The orders of the extrema and their wavelengths, longest first, with the index
// of the longest one: what the starts are made from.
struct OrderLadder {
    std::vector<double> lambda;  // nm
    std::vector<double> order;   // m, whole or half-odd
    double thicknessNm = 0.0;
};

// From the fringe orders' result: its used rows (all when fewer than three were used).
OrderLadder LadderOf(const FringeOrdersResult& orders);

// The start with every order shifted by `shift` steps of one: the index at the longest
// extremum kept (the fringes' contrast sets it), the thickness scaled with that
// extremum's order, and the dispersion law fitted to n = (m + shift) lambda / (2 d).
// Nothing when an order would fall to 0 or below, or the law cannot follow.
std::optional<FitVector> ShiftedStart(const OrderLadder& ladder, int shift, DispersionLaw law, const FitVector& base);

// The absorption edge's start from the spectrum (ascending wavelengths): where the
// transmission falls below a third of its level at the shortest extremum, alpha d = 1;
// beyond the shortest wavelength when it never does. Also whether the edge lies in the
// spectrum at all.
struct EdgeStart {
    double energyEv = 0.0;
    double widthEv = 0.1;
    bool inRange = false;
};
EdgeStart EdgeStartOf(const std::vector<double>& lambda, const std::vector<double>& trans, double shortestExtremum,
                      double thicknessNm);

// The bounds of every parameter around a start; shortestNm is the shortest wavelength
// fitted.
void SetBounds(FitSetup& setup, const FitVector& start, double shortestNm);

// Bounds whose reaching says the fit is not to be trusted (a spread or floor of 0 is
// a clear film, not a fault): true where the value sits on one.
bool AtTellingBound(const FitSetup& setup, const FitVector& values, int index);

}  // namespace optc
