// The envelope method on a film of known index and thickness: the transmission of a
// uniform absorbing film on a thick substrate (n = 2 + 3e4/lambda^2, nS = 1.52, an
// exponential absorption edge), its extrema found by a plain search, both imported
// from files, then Calculate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "SyntheticFilm.h"
#include "ThinFilmFixture.h"

namespace optc::testing {
namespace {

class SyntheticFilmTest : public ThinFilmWindowTest {
protected:
    // Imports the film's spectrum (350..1500 nm every 0.5 nm, three decimals) and its
    // extrema down to `shortest` nm, found on the exact curve; returns their number.
    int ImportFilm(const synthetic::Film& film, double shortest) {
        ImportSpectrum(synthetic::Spectrum(film, 350, 1500, 2301));
        const auto extrema = synthetic::Extrema(synthetic::Spectrum(film, 350, 1500, 2301, false), shortest);
        ImportFringes(extrema);
        Type(form.Const2, "1.52");
        return static_cast<int>(extrema.size());
    }

    // d, n at the extrema where the film is practically transparent (alpha d < 0.02,
    // where the envelope formulas hold best), and the reported n at 633 nm.
    void ExpectRecovered(const synthetic::Film& film, double thicknessTolerance, double indexTolerance) {
        ASSERT_TRUE(platform.log.empty()) << platform.log.front();
        const double truth = film.thicknessNm * 1e-7;
        const double thicknessError = std::fabs(d.FilmThickness - truth) / truth;
        double worstClear = 0, worstAll = 0;
        for (int i = 1; i <= d.ExtCount; ++i) {
            const double error = std::fabs(d.RefractionExp[i] - film.Index(d.LambdaExp[i]));
            worstAll = std::max(worstAll, error);
            if (film.Alpha(d.LambdaExp[i]) * truth < 0.02) worstClear = std::max(worstClear, error);
        }
        const double n633 = StrToFloat(form.n633show.Text());
        std::printf("    %d extrema: d = %.6g cm (error %.2f %%); |n - n_true| at the extrema: at most %.4f where "
                    "transparent, %.4f overall; n(633) = %s (true %.4f)\n",
                    d.ExtCount, d.FilmThickness, 100 * thicknessError, worstClear, worstAll,
                    form.n633show.Text().c_str(), film.Index(633));
        EXPECT_LT(thicknessError, thicknessTolerance);
        EXPECT_LT(worstClear, indexTolerance);
        EXPECT_NEAR(n633, film.Index(633), indexTolerance);
    }
};

TEST_F(SyntheticFilmTest, ThicknessAndIndexOfADispersiveFilmComeBack) {
    synthetic::Film film;
    EXPECT_EQ(ImportFilm(film, 500), 11);
    Calculate();  // default entries: Order 2, envelope 3, tolerance 1
    ExpectRecovered(film, 0.06, 0.015);
}

TEST_F(SyntheticFilmTest, ThickerFilmWithParabolicEnvelopes) {
    synthetic::Film film;
    film.thicknessNm = 1500;
    EXPECT_EQ(ImportFilm(film, 600), 12);
    Type(form.envelope, "2");
    Calculate();
    ExpectRecovered(film, 0.03, 0.015);
}

TEST_F(SyntheticFilmTest, AbsorptionOfTheFilmFollowsTheEdge) {
    synthetic::Film film;
    ImportFilm(film, 500);
    Calculate();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    // From weak absorption above the edge (fringes-free curve) into the edge (measured
    // transmission): alpha d between 0.12 and 5.
    int compared = 0;
    double worst = 0;
    for (int i = 1; i <= d.SpecCount; ++i) {
        const double alpha = film.Alpha(d.SpecLambda[i]);
        const double alphaD = alpha * film.thicknessNm * 1e-7;
        if (alphaD < 0.12 || alphaD > 5) continue;
        ++compared;
        worst = std::max(worst, std::fabs(d.Absorption[i] / alpha - 1));
        EXPECT_NEAR(d.Absorption[i] / alpha, 1.0, 0.08) << d.SpecLambda[i];
    }
    std::printf("    alpha within %.1f %% of the truth at %d points\n", 100 * worst, compared);
    EXPECT_GT(compared, 100);
}

}  // namespace
}  // namespace optc::testing
