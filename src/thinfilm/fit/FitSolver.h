#pragma once
// One local least-squares fit of the film to a set of points (Ceres Solver, automatic
// derivatives, bounds on every parameter), and the parameters' covariance at its end.
#include <array>
#include <limits>
#include <optional>
#include <vector>

#include "thinfilm/fit/FitModel.h"
#include "thinfilm/fit/FullSpectrumFit.h"

namespace optc {

// The points a fit works on, ascending wavelength, with the band's quadrature parts
// for each.
struct FitPoints {
    std::vector<double> lambda;  // nm
    std::vector<double> trans;   // %
    std::vector<int> bandPieces;
    std::size_t Size() const { return lambda.size(); }
};

struct FitSetup {
    FilmLaws laws;
    std::array<bool, kParameterCount> free{};
    FitVector lower{}, upper{};
    int maxIterations = 100;
    // Relative change of the misfit and of the parameters at which a fit has settled.
    double tolerance = 1e-12;
    // A fit whose misfit is still above this after `abandonAfter` iterations ends there
    // (a wrong order in the search: it cannot come near the best any more).
    double abandonAbove = std::numeric_limits<double>::infinity();
    int abandonAfter = 10;
};

enum class FitEnd { Converged, IterationLimit, Failed, Cancelled };

struct FitRun {
    FitVector values{};
    double ssr = 0.0;  // sum of squared residuals, %^2
    int iterations = 0;
    FitEnd end = FitEnd::Failed;
};

FitRun SolveFit(const FitPoints& points, const FitSetup& setup, const FitVector& start, const FitControl& control);

// The covariance of the parameters, scaled by the residual variance (rows and columns
// of the parameters held are 0), and their standard deviations; nothing when the
// covariance is singular. A spread that ended at 0 has no slope there: its row is that
// of dd^2, and its deviation the spread that raises the misfit by one variance.
struct FitCovariance {
    std::array<FitVector, kParameterCount> matrix{};
    FitVector sd{};
};
std::optional<FitCovariance> ParameterCovariance(const FitPoints& points, const FitSetup& setup, const FitRun& run);

// The model at every point, %.
std::vector<double> ModelAt(const FitPoints& points, const FilmLaws& laws, const FitVector& values);

}  // namespace optc
