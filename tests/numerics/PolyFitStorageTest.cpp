// PolyFit keeps its normal equations in fixed storage; the elimination must give the
// same bits and the same errors as GaussJordan on the matrix type for the same
// equations, for every size of fit up to the largest the program uses and beyond.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "numerics/CurveFit.h"
#include "numerics/Errors.h"

namespace optc {
namespace {

// The normal equations written out plainly: sums over the points in order from 0.0,
// powers by repeated multiplication.
void NormalEquations(const std::vector<double>& x, const std::vector<double>& y, int terms, matrix& m,
                     std::vector<double>& v) {
    const auto t = static_cast<std::size_t>(terms);
    m.assign(t, std::vector<double>(t, 0.0));
    v.assign(t, 0.0);
    for (std::size_t l = 0; l < x.size(); ++l) {
        std::vector<double> a(t, 1.0);
        for (std::size_t j = 1; j < t; ++j) a[j] = a[j - 1] * x[l];
        for (std::size_t i = 0; i < t; ++i) {
            for (std::size_t k = 0; k <= i; ++k) m[i][k] = m[i][k] + a[k] * a[i];
            v[i] = v[i] + y[l] * a[i];
        }
    }
    for (std::size_t i = 0; i < t; ++i)
        for (std::size_t k = 0; k < i; ++k) m[k][i] = m[i][k];
}

template <class F>
std::string ErrorOf(F f) {
    try {
        f();
    } catch (const EMathError& e) {
        return e.what();
    }
    return "";
}

TEST(PolyFitStorage, SameBitsAndErrorsAsTheMatrixElimination) {
    std::mt19937_64 rng(11);
    int singular = 0;
    for (int it = 0; it < 4000; ++it) {
        const int points = std::uniform_int_distribution<int>(2, 30)(rng);
        const int terms = std::uniform_int_distribution<int>(1, 14)(rng);
        std::vector<double> x(static_cast<std::size_t>(points)), y(x.size());
        for (std::size_t i = 0; i < x.size(); ++i) {
            switch (it % 3) {
                case 0: x[i] = std::uniform_real_distribution<double>(300, 1500)(rng); break;
                case 1: x[i] = std::uniform_real_distribution<double>(-2, 2)(rng); break;
                default: x[i] = std::uniform_int_distribution<int>(0, 2)(rng);  // repeated abscissae
            }
            y[i] = std::uniform_real_distribution<double>(-100, 100)(rng);
        }
        std::vector<double> fitted(16, -1.0), solved(16, -1.0);
        const std::string fitError = ErrorOf([&] { PolyFit(x.data(), y.data(), fitted.data(), points, terms); });
        matrix m;
        std::vector<double> v;
        NormalEquations(x, y, terms, m, v);
        const std::string solveError = ErrorOf([&] { GaussJordan(m, v.data(), solved.data(), terms); });
        ASSERT_EQ(fitError, solveError) << "fit " << it;
        if (!fitError.empty()) {
            ++singular;
            EXPECT_EQ(fitted, std::vector<double>(16, -1.0)) << "a failed fit leaves the coefficients";
            continue;
        }
        ASSERT_EQ(std::memcmp(fitted.data(), solved.data(), 16 * sizeof(double)), 0) << "fit " << it;
    }
    EXPECT_GT(singular, 100);  // the repeated abscissae reach the error paths
}

TEST(PolyFitStorage, NegativeSizeSolvesNothing) {
    matrix m;
    double b[1] = {1.0}, x[1] = {5.0};
    EXPECT_NO_THROW(GaussJordan(m, b, x, -3));
    EXPECT_EQ(x[0], 5.0);
}

}  // namespace
}  // namespace optc
