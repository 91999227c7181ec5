#pragma once
// The search over the fringe orders: a local fit from a wrong order stays wrong, so
// the fit starts from the orders found and from all of them shifted together by one
// step, two steps, and further while the misfit falls, and keeps the best. A thick
// film is searched over the long-wavelength part of its spectrum first, where its
// fringes are well sampled; every search works on every few points only, as many as
// the fringes need.
#include <optional>
#include <vector>

#include "thinfilm/fit/FitSolver.h"
#include "thinfilm/fit/FitStart.h"

namespace optc {

// The measured points, ascending wavelength.
struct MeasuredRange {
    std::vector<double> lambda;
    std::vector<double> trans;
};

// Every `stride`-th point of the range from..to (nm), with the band's quadrature parts
// for a film like `values` (thickness taken half as large again, to be safe).
FitPoints PointsOf(const MeasuredRange& range, double from, double to, std::size_t stride, const FilmLaws& laws,
                   const FitVector& values);

// The means of every `bin` neighbouring points of the range from..to (nm), at their mean
// wavelength: as many points as the fringes need, with the noise of all of them
// averaged down; `bin` 1 gives every point.
FitPoints BinsOf(const MeasuredRange& range, double from, double to, std::size_t bin, const FilmLaws& laws,
                 const FitVector& values);

// The stride that keeps `perFringe` points on the shortest fringe of from..to.
std::size_t StrideFor(const MeasuredRange& range, double from, double to, const FilmLaws& laws,
                      const FitVector& values, double perFringe);

// The long-wavelength part where a film like `values` has at least ten points on
// every fringe, no more than thirty fringes, and no fewer than six: its shortest
// wavelength (range.lambda.front() when that is all of it).
double SearchStart(const MeasuredRange& range, const FilmLaws& laws, const FitVector& values);

struct OrderFit {
    int shift = 0;
    FitRun run;
    double orderAtLongest = 0.0;  // 2 n d / lambda at the longest extremum, after the fit
};

struct SearchResult {
    std::vector<OrderFit> fits;  // one per distinct order reached, best first
    bool cancelled = false;
};

// Fits from the starts at shift 0, +-1, +-2 and further while the misfit falls.
// fitsDone counts the fits, for the progress.
SearchResult SearchOrders(const FitPoints& points, const FitSetup& setup, const OrderLadder& ladder,
                          const FitVector& base, const FitControl& control, int& fitsDone);

// The next-best fit is not clearly worse than the best: its misfit is within a
// quarter of the best's, or not 25 variances above it.
bool NotClearlyWorse(double bestSsr, double otherSsr, std::size_t points, int parameters);

// 2 n d / lambda of a fitted film at lambda.
double OrderAt(const FitVector& values, DispersionLaw law, double lambda);

}  // namespace optc
