#include "thinfilm/fit/FitSolver.h"

#include <ceres/ceres.h>

#include <Eigen/Dense>
#include <cmath>
#include <memory>

namespace optc {

namespace {

using Jet = ceres::Jet<double, kParameterCount>;

// Points per residual block: the Jets of one block stay small, whatever the spectrum.
constexpr int kChunk = 256;

struct ChunkCost {
    const FitPoints* points;
    std::size_t first;
    int count;
    const FilmLaws* laws;

    template <class S>
    bool operator()(const S* p, S* residual) const {
        for (int i = 0; i < count; ++i) {
            const std::size_t k = first + static_cast<std::size_t>(i);
            residual[i] = FitTransmission(p, *laws, points->lambda[k], points->bandPieces[k]) - points->trans[k];
        }
        return true;
    }
};

class CancelCheck : public ceres::IterationCallback {
public:
    CancelCheck(const std::atomic<bool>* cancel, const FitSetup& setup) : cancel_(cancel), setup_(setup) {}
    ceres::CallbackReturnType operator()(const ceres::IterationSummary& s) override {
        if (cancel_ && cancel_->load()) return ceres::SOLVER_ABORT;
        if (s.iteration >= setup_.abandonAfter && 2.0 * s.cost > setup_.abandonAbove)
            return ceres::SOLVER_TERMINATE_SUCCESSFULLY;
        return ceres::SOLVER_CONTINUE;
    }

private:
    const std::atomic<bool>* cancel_;
    const FitSetup& setup_;
};

bool AllFinite(const FitVector& v) {
    for (double x : v)
        if (!std::isfinite(x)) return false;
    return true;
}

}  // namespace

FitRun SolveFit(const FitPoints& points, const FitSetup& setup, const FitVector& start, const FitControl& control) {
    FitRun run;
    run.values = start;
    for (int i = 0; i < kParameterCount; ++i) {
        // Bounds hold the start too: Ceres refuses a start outside them.
        const auto k = static_cast<std::size_t>(i);
        if (setup.free[k]) run.values[k] = std::min(std::max(run.values[k], setup.lower[k]), setup.upper[k]);
    }
    double* p = run.values.data();
    ceres::Problem problem;
    for (std::size_t first = 0; first < points.Size(); first += kChunk) {
        const int count = static_cast<int>(std::min<std::size_t>(kChunk, points.Size() - first));
        auto* cost = new ceres::AutoDiffCostFunction<ChunkCost, ceres::DYNAMIC, kParameterCount>(
            new ChunkCost{&points, first, count, &setup.laws}, count);
        problem.AddResidualBlock(cost, nullptr, p);
    }
    std::vector<int> held;
    for (int i = 0; i < kParameterCount; ++i)
        if (!setup.free[static_cast<std::size_t>(i)]) held.push_back(i);
    if (!held.empty()) problem.SetManifold(p, new ceres::SubsetManifold(kParameterCount, held));
    for (int i = 0; i < kParameterCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (!setup.free[k]) continue;
        problem.SetParameterLowerBound(p, i, setup.lower[k]);
        problem.SetParameterUpperBound(p, i, setup.upper[k]);
    }

    ceres::Solver::Options options;
    options.linear_solver_type = ceres::DENSE_QR;
    options.max_num_iterations = setup.maxIterations;
    options.function_tolerance = setup.tolerance;
    options.gradient_tolerance = 1e-2 * setup.tolerance;
    options.parameter_tolerance = setup.tolerance;
    options.num_threads = 1;
    // No projected line search after each step: it costs a Jacobian for every trial
    // (half the time of a fit) and gains nothing here; a step is still clamped to the
    // bounds.
    options.max_num_line_search_step_size_iterations = 0;
    // No projected line search after each step: it costs a Jacobian for every trial
    // (half the time of a fit) and gains nothing here; a step is still clamped to the
    // bounds.
    options.max_num_line_search_step_size_iterations = 0;
    options.logging_type = ceres::SILENT;
    options.minimizer_progress_to_stdout = false;
    CancelCheck cancel(control.cancel, setup);
    options.callbacks.push_back(&cancel);
    ceres::Solver::Summary summary;
    ceres::Solve(options, &problem, &summary);

    run.iterations = static_cast<int>(summary.iterations.size()) - 1;
    run.ssr = 2.0 * summary.final_cost;
    if (control.cancel && control.cancel->load())
        run.end = FitEnd::Cancelled;
    else if (summary.termination_type == ceres::CONVERGENCE)
        run.end = FitEnd::Converged;
    else if (summary.termination_type == ceres::NO_CONVERGENCE || summary.termination_type == ceres::USER_SUCCESS)
        run.end = FitEnd::IterationLimit;
    else
        run.end = FitEnd::Failed;
    if (!std::isfinite(run.ssr) || !AllFinite(run.values)) run.end = FitEnd::Failed;
    return run;
}

std::optional<FitCovariance> ParameterCovariance(const FitPoints& points, const FitSetup& setup, const FitRun& run) {
    std::vector<int> columns;
    for (int i = 0; i < kParameterCount; ++i)
        if (setup.free[static_cast<std::size_t>(i)]) columns.push_back(i);
    const int q = static_cast<int>(columns.size());
    const std::size_t m = points.Size();
    if (q == 0 || m <= static_cast<std::size_t>(q)) return std::nullopt;

    // A spread at 0 changes T by its square: the column of dd^2, by a difference.
    constexpr double kAtZero = 1e-3;  // nm
    constexpr double kProbe = 1.0;    // nm
    const bool spreadSquared = setup.free[kSpread] && run.values[kSpread] < kAtZero;
    FitVector probe = run.values;
    probe[kSpread] = kProbe;

    std::array<Jet, kParameterCount> seeded;
    for (int i = 0; i < kParameterCount; ++i) seeded[static_cast<std::size_t>(i)] = Jet(run.values[static_cast<std::size_t>(i)], i);
    Eigen::MatrixXd normal = Eigen::MatrixXd::Zero(q, q);
    Eigen::VectorXd row(q);
    for (std::size_t k = 0; k < m; ++k) {
        const Jet t = FitTransmission(seeded.data(), setup.laws, points.lambda[k], points.bandPieces[k]);
        for (int c = 0; c < q; ++c) row[c] = t.v[columns[static_cast<std::size_t>(c)]];
        if (spreadSquared) {
            const double shifted = FitTransmission(probe.data(), setup.laws, points.lambda[k], points.bandPieces[k]);
            for (int c = 0; c < q; ++c)
                if (columns[static_cast<std::size_t>(c)] == kSpread) row[c] = (shifted - t.a) / (kProbe * kProbe);
        }
        normal.selfadjointView<Eigen::Lower>().rankUpdate(row);
    }
    normal = normal.selfadjointView<Eigen::Lower>();
    // Scaled to unit diagonal, so that the condition tells dependence, not units.
    Eigen::VectorXd scale(q);
    for (int c = 0; c < q; ++c) {
        if (!(normal(c, c) > 0.0) || !std::isfinite(normal(c, c))) return std::nullopt;
        scale[c] = 1.0 / std::sqrt(normal(c, c));
    }
    const Eigen::MatrixXd scaled = scale.asDiagonal() * normal * scale.asDiagonal();
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> eigen(scaled);
    if (eigen.info() != Eigen::Success) return std::nullopt;
    const double largest = eigen.eigenvalues().maxCoeff(), smallest = eigen.eigenvalues().minCoeff();
    constexpr double kLeastReciprocalCondition = 1e-14;
    if (!(smallest > kLeastReciprocalCondition * largest)) return std::nullopt;
    const Eigen::MatrixXd inverse = eigen.eigenvectors() * eigen.eigenvalues().cwiseInverse().asDiagonal() *
                                    eigen.eigenvectors().transpose();
    const double variance = run.ssr / static_cast<double>(m - static_cast<std::size_t>(q));
    FitCovariance covariance;
    for (int c = 0; c < q; ++c) {
        const auto at = static_cast<std::size_t>(columns[static_cast<std::size_t>(c)]);
        for (int r = 0; r < q; ++r) {
            const double v = variance * inverse(r, c) * scale[r] * scale[c];
            if (!std::isfinite(v)) return std::nullopt;
            covariance.matrix[static_cast<std::size_t>(columns[static_cast<std::size_t>(r)])][at] = v;
        }
        const double v = covariance.matrix[at][at];
        if (!(v >= 0.0)) return std::nullopt;
        // dd^2's deviation back in nm: the spread that raises the misfit by one variance.
        covariance.sd[at] = at == kSpread && spreadSquared ? std::sqrt(std::sqrt(v)) : std::sqrt(v);
    }
    return covariance;
}

std::vector<double> ModelAt(const FitPoints& points, const FilmLaws& laws, const FitVector& values) {
    std::vector<double> model(points.Size());
    for (std::size_t k = 0; k < points.Size(); ++k)
        model[k] = FitTransmission(values.data(), laws, points.lambda[k], points.bandPieces[k]);
    return model;
}

}  // namespace optc
