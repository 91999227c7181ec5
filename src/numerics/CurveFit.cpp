#include "numerics/CurveFit.h"

#include <cmath>
#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

#include "numerics/Errors.h"
#include "numerics/FloatChecks.h"

namespace optc {

namespace {

const char* const kLessThanOneTerm = "PolyFit called with less than one term";
const char* const kLessThanTwoPoints = "PolyFit called with less than two points";
const char* const kSingularInElimination = "Error in GaussJordan2: matrix is singular";
const char* const kSingular = "Error in GaussJordan: matrix is singular";

// Column use markers: -1 not yet a pivot column, 0 used once, above 0 used again.
constexpr int kUnused = -1;

// The elimination proper, with full pivoting. Works on the caller's rows, the
// right-hand side and the column markers. The pivot of column c always ends up in
// row c, so a row whose own index is still marked holds no pivot yet. Rows are either
// the matrix type or fixed storage; the arithmetic is the same for both.
template <typename Rows, typename Size>
void GaussJordan2(Rows& M, double* B, int* marker, Size N) {
    const auto n = static_cast<std::size_t>(N);
    for (std::size_t step = 0; step < n; ++step) {
        // Pivot search: rows and columns in ascending order, strictly larger wins,
        // so among equal magnitudes the first one found is kept.
        double big = 0.0;
        bool found = false;
        std::size_t pivotRow = 0;
        std::size_t pivotCol = 0;
        for (std::size_t j = 0; j < n; ++j) {
            if (marker[j] == 0) continue;
            const auto& row = M[j];
            for (std::size_t k = 0; k < n; ++k) {
                if (marker[k] > 0) throw EMathError(kSingularInElimination);
                if (marker[k] == kUnused && std::fabs(row[k]) > big) {
                    big = std::fabs(row[k]);
                    pivotRow = j;
                    pivotCol = k;
                    found = true;
                }
            }
        }
        // Every remaining element is exactly zero: the elimination cannot go on.
        // Only at the last step is this left to the final check of the markers.
        if (!found) {
            if (step + 1 < n) throw EMathError(kSingularInElimination);
            throw EMathError(kSingular);
        }

        ++marker[pivotCol];
        const std::size_t c = pivotCol;
        if (pivotRow != c) {
            std::swap(M[pivotRow], M[c]);
            std::swap(B[pivotRow], B[c]);
        }

        // Divide the pivot row by the pivot; the pivot element itself becomes 1/p.
        auto& pivot = M[c];
        const double p = pivot[c];
        pivot[c] = 1.0;
        for (std::size_t l = 0; l < n; ++l) pivot[l] = CheckFinite(pivot[l] / p);
        B[c] = CheckFinite(B[c] / p);

        // Remove column c from every other row.
        for (std::size_t r = 0; r < n; ++r) {
            if (r == c) continue;
            auto& row = M[r];
            const double d = row[c];
            row[c] = 0.0;
            for (std::size_t l = 0; l < n; ++l) row[l] = CheckFinite(row[l] - pivot[l] * d);
            B[r] = CheckFinite(B[r] - B[c] * d);
        }
    }
}

// A column never used, or used twice, as pivot column.
void CheckMarkers(const int* marker, int N) {
    for (int i = 0; i < N; ++i) {
        if (marker[i] != 0) throw EMathError(kSingular);
    }
}

// The normal equations of the fit into M (lower triangle mirrored) and V, from the
// design matrix A[l][j] = X[l]^j with the powers formed by repeated multiplication.
// Each sum runs over the points in order, starting from 0.0; the sums are accumulated
// side by side, which leaves each one's order unchanged. A row of A is needed only
// while its point is summed, so one row is kept at a time, in a.
template <typename Rows, typename Size>
void NormalEquations(const double* X, const double* Y, std::size_t points, Size terms, Rows& M, double* V,
                     double* a) {
    for (std::size_t i = 0; i < terms; ++i) {
        V[i] = 0.0;
        for (std::size_t k = 0; k < terms; ++k) M[i][k] = 0.0;
    }
    for (std::size_t l = 0; l < points; ++l) {
        a[0] = 1.0;
        for (std::size_t j = 1; j < terms; ++j) a[j] = CheckFinite(a[j - 1] * X[l]);
        for (std::size_t i = 0; i < terms; ++i) {
            auto& mi = M[i];
            for (std::size_t k = 0; k <= i; ++k) mi[k] = CheckFinite(mi[k] + a[k] * a[i]);
            V[i] = CheckFinite(V[i] + Y[l] * a[i]);
        }
    }
    for (std::size_t i = 0; i < terms; ++i) {
        for (std::size_t k = 0; k < i; ++k) M[k][i] = M[i][k];
    }
}

// Every fit of the program has at most 11 terms (a dispersion of order 10): its
// matrices live on the stack. Larger fits take the heap.
constexpr int kFixedTerms = 12;

template <typename Size>
void FitOnStack(const double* X, const double* Y, double* Coef, std::size_t points, Size terms) {
    double M[kFixedTerms][kFixedTerms];
    double V[kFixedTerms];
    double a[kFixedTerms];
    int marker[kFixedTerms];
    const auto n = static_cast<int>(terms);
    NormalEquations(X, Y, points, terms, M, V, a);
    for (int& m : marker) m = kUnused;
    GaussJordan2(M, V, marker, terms);
    CheckMarkers(marker, n);
    for (std::size_t i = 0; i < static_cast<std::size_t>(terms); ++i) Coef[i] = V[i];
}

}  // namespace

void GaussJordan(matrix& M, const double* B, double* X, int N) {
    const auto n = static_cast<std::size_t>(N < 0 ? 0 : N);
    std::vector<double> rhs(B, B + n);
    std::vector<int> marker(n, kUnused);

    GaussJordan2(M, rhs.data(), marker.data(), static_cast<int>(n));
    CheckMarkers(marker.data(), static_cast<int>(n));
    for (std::size_t i = 0; i < n; ++i) X[i] = rhs[i];
}

void PolyFit(const double* X, const double* Y, double* Coef, int NPoints, int NTerms) {
    if (NTerms < 1) throw EMathError(kLessThanOneTerm);
    if (NPoints < 2) throw EMathError(kLessThanTwoPoints);

    const auto points = static_cast<std::size_t>(NPoints);
    const auto terms = static_cast<std::size_t>(NTerms);

    // The quadratic through three points, about 190000 times per bulk calculation at
    // full capacity: its size is known at compile time, so the loops unroll. The
    // operations and their order are those of every other size.
    if (NTerms == 3) return FitOnStack(X, Y, Coef, points, std::integral_constant<std::size_t, 3>{});
    if (NTerms <= kFixedTerms) return FitOnStack(X, Y, Coef, points, terms);

    matrix M(terms, std::vector<double>(terms, 0.0));
    std::vector<double> V(terms, 0.0);
    std::vector<double> a(terms);
    NormalEquations(X, Y, points, terms, M, V.data(), a.data());
    std::vector<double> c(terms);
    GaussJordan(M, V.data(), c.data(), NTerms);
    for (std::size_t i = 0; i < terms; ++i) Coef[i] = c[i];
}

}  // namespace optc
