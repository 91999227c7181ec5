// The film's optics against the tests' own formula of a film on a substrate: the
// transmission, its envelopes, and the mean over a thickness spread against the tests'
// brute average of the formula over the thicknesses.
#include <gtest/gtest.h>

#include <cmath>

#include "SyntheticFilm.h"
#include "thinfilm/model/FilmOptics.h"

namespace optc {
namespace {

using film::CoefficientsOf;

// The tests' own mean over the thicknesses d - dd .. d + dd, as a fraction.
double BruteMean(synthetic::Film f, double lambda, double dd) {
    f.spreadNm = dd;
    return f.Transmission(lambda) / 100.0;
}

synthetic::Film LowIndexFilm() {
    synthetic::Film f;
    f.a = 1.38;
    f.b = 2.0e3;
    f.edgeEnergy = 9.0;
    return f;
}

TEST(FilmOptics, TransmissionAndEnvelopesMatchTheFormula) {
    // A dispersive film with an edge, a thick low-contrast film, and a film below its
    // substrate's index, each at wavelengths clear, weakly and strongly absorbing.
    for (const synthetic::Film& f : {synthetic::OneMicronFilm(), synthetic::ThickLowContrastFilm(), LowIndexFilm()}) {
        for (double lambda : {380.0, 450.0, 633.0, 1200.0}) {
            const double n = f.Index(lambda), s = f.substrate;
            const double x = std::exp(-f.AlphaD(lambda));
            const auto k = CoefficientsOf(n, s);
            const double phi = 4 * film::kPi * n * f.thicknessNm / lambda;
            const double t = film::Transmission(k, x, phi);
            EXPECT_NEAR(t, f.Transmission(lambda) / 100.0, 1e-14) << lambda;
            // The envelopes bound the curve and touch it where cos(phi) is +-1.
            const double upper = film::UpperEnvelope(k, x), lower = film::LowerEnvelope(k, x);
            EXPECT_NEAR(upper, std::max(film::Transmission(k, x, 0.0), film::Transmission(k, x, film::kPi)), 1e-15);
            EXPECT_NEAR(lower, std::min(film::Transmission(k, x, 0.0), film::Transmission(k, x, film::kPi)), 1e-15);
            EXPECT_LE(lower, t + 1e-15);
            EXPECT_GE(upper, t - 1e-15);
        }
    }
    // Where the film is clear, the maxima of a film above its substrate's index lie on
    // the bare substrate; below it, the minima do.
    const auto low = CoefficientsOf(1.38, 1.52), high = CoefficientsOf(2.2, 1.52);
    EXPECT_NEAR(film::UpperEnvelope(high, 1.0), film::SubstrateTransmission(1.52), 1e-15);
    EXPECT_NEAR(film::LowerEnvelope(low, 1.0), film::SubstrateTransmission(1.52), 1e-15);
    EXPECT_GT(film::UpperEnvelope(low, 1.0), film::SubstrateTransmission(1.52));
    EXPECT_NEAR(film::InterfaceReflectance(1.0, 1.5), 0.04, 1e-15);
    EXPECT_EQ(film::SubstrateTransmissionPercent(1.52), 200.0 * 1.52 / (1.0 + 1.52 * 1.52));
}

TEST(FilmOptics, SpreadMeanMatchesTheFormulaAveragedOverTheThicknesses) {
    struct Case {
        synthetic::Film film;
        double lambda, dd;
    };
    const Case cases[] = {
        {synthetic::OneMicronFilm(), 900.0, 5.0},      // a narrow spread, clear
        {synthetic::OneMicronFilm(), 700.0, 30.0},     // 3 %, towards the edge
        {synthetic::OneMicronFilm(), 420.0, 30.0},     // in the edge: x changes across the spread
        {synthetic::OneMicronFilm(), 395.0, 60.0},     // strongly absorbing
        {synthetic::ThickLowContrastFilm(), 560.0, 400.0},  // several fringes washed over
        {LowIndexFilm(), 500.0, 20.0},                 // below the substrate's index
    };
    for (const Case& c : cases) {
        const double n = c.film.Index(c.lambda);
        const double alpha = c.film.Alpha(c.lambda) * 1e-7;  // per nm
        const double mean = film::FilmTransmission(n, c.film.substrate, alpha, c.film.thicknessNm, c.dd, c.lambda);
        EXPECT_NEAR(mean, BruteMean(c.film, c.lambda, c.dd), 1e-6) << c.lambda << " +- " << c.dd;
    }
    // No spread: the uniform film itself.
    const synthetic::Film f = synthetic::OneMicronFilm();
    EXPECT_NEAR(film::FilmTransmission(f.Index(600.0), f.substrate, f.Alpha(600.0) * 1e-7, f.thicknessNm, 0.0, 600.0),
                f.Transmission(600.0) / 100.0, 1e-14);
}

TEST(FilmOptics, SpreadEnvelopesNarrowTheFringesAndWashThemOut) {
    const auto k = CoefficientsOf(2.2, 1.52);
    const double x = 0.97;
    double upper = film::UpperEnvelope(k, x), lower = film::LowerEnvelope(k, x);
    const double mean = film::SpreadTransmission(k, x, 0.0, film::kPi);
    for (double delta : {0.1, 0.5, 1.0, 2.0, 3.0}) {
        const double u = film::SpreadUpperEnvelope(k, x, delta), l = film::SpreadLowerEnvelope(k, x, delta);
        EXPECT_LT(u, upper) << delta;
        EXPECT_GT(l, lower) << delta;
        upper = u;
        lower = l;
    }
    // A spread of a whole fringe leaves the mean over the fringe at both.
    EXPECT_NEAR(film::SpreadUpperEnvelope(k, x, film::kPi), mean, 1e-14);
    EXPECT_NEAR(film::SpreadLowerEnvelope(k, x, film::kPi), mean, 1e-14);
}

}  // namespace
}  // namespace optc
