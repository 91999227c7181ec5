// Fit Spectrum on films of known thickness, index and absorption: the exact
// transmission of the tests' own formula, with noise, a thickness spread, the
// instrument's band, a film of lower index than its substrate, a thin film of four
// extrema, an a-Si-like film with its absorption edge and a thick film drawn a hundred
// times; started as the window starts it, from the fringe orders of a Calculate. And
// spectra the model cannot describe, which the fit must not trust.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "SyntheticFilm.h"
#include "ThinFilmFixture.h"
#include "thinfilm/fit/FullSpectrumFit.h"

namespace optc::testing {
namespace {

class SpectrumFitFilmsTest : public ThinFilmWindowTest {
protected:
    // Imports the spectrum and the extrema, calculates, opens Fringe Orders and fits
    // the spectrum from the orders found.
    SpectrumFitOutcome FitOf(const Points& spectrum, const Points& extrema, const std::string& nS,
                             const SpectrumFitOptions& options) {
        ImportSpectrum(spectrum);
        ImportFringes(extrema);
        Type(form.Const2, nS);
        Type(form.Wstart, FloatToStr(extrema.back().first));
        Type(form.Wend, FloatToStr(extrema.front().first));
        Type(form.natx, "633");
        Type(form.envelope, envelopeOrder);
        Calculate();
        EXPECT_TRUE(form.FringeOrders.Enabled()) << (platform.log.empty() ? "" : platform.log.back());
        User([&] { form.FringeOrders.Click(); });
        orders = form.Orders.Outcome();
        SpectrumFitInput input;
        for (const auto& [lambda, t] : spectrum) {
            input.lambda.push_back(lambda);
            input.trans.push_back(t);
        }
        input.substrate = std::stod(nS);
        if (orders.result) {
            input.orders = orders.result;
            for (const FringeOrderRow& row : orders.result->rows) input.extrema.push_back(row.extremum);
        }
        lastInput = input;
        return FitSpectrum(input, options, control);
    }
    SpectrumFitInput lastInput;
    FitControl control;
    FringeOrdersOutcome orders;
    std::string envelopeOrder = "3";
};

struct FitCase {
    const char* name;
    synthetic::Film film;
    double from, to;
    int count;
    double shortest;  // extrema down to here
    const char* nS;
    double noise;     // %T
    SpectrumFitOptions options;
};

synthetic::Film Spread(double nm) {
    synthetic::Film film;
    film.spreadNm = nm;
    return film;
}
synthetic::Film Slit(double nm) {
    synthetic::Film film;
    film.slitNm = nm;
    return film;
}
synthetic::Film ASi() {
    synthetic::Film film;
    film.a = 3.0, film.b = 4.0e5, film.thicknessNm = 1000, film.substrate = 1.51, film.edgeEnergy = 2.1,
    film.edgeWidth = 0.12;
    return film;
}
synthetic::Film LowIndex() {  // MgF2-like on glass
    synthetic::Film film;
    film.a = 1.37, film.b = 3.0e3, film.edgeEnergy = 8.0;
    return film;
}
synthetic::Film Thin(double nm) {
    synthetic::Film film;
    film.thicknessNm = nm;
    return film;
}
SpectrumFitOptions Options(double slit = 0.0, AbsorptionLaw absorption = AbsorptionLaw::Urbach) {
    SpectrumFitOptions o;
    o.slitNm = slit;
    o.absorption = absorption;
    return o;
}

TEST_F(SpectrumFitFilmsTest, ThicknessSpreadAndIndexOfSyntheticFilmsComeBackTrusted) {
    const FitCase cases[] = {
        {"uniform 1000 nm", synthetic::Film{}, 400, 1500, 2000, 460, "1.52", 0.0, Options()},
        {"uniform 1000 nm, 0.1 %T noise", synthetic::Film{}, 400, 1500, 2000, 460, "1.52", 0.1, Options()},
        {"dd 15 nm", Spread(15), 400, 1500, 2000, 460, "1.52", 0.0, Options()},
        {"dd 30 nm", Spread(30), 400, 1500, 2000, 460, "1.52", 0.0, Options()},
        {"5 nm slit", Slit(5), 400, 1500, 2000, 460, "1.52", 0.0, Options(5)},
        {"5 nm slit, 0.1 %T noise", Slit(5), 400, 1500, 2000, 460, "1.52", 0.1, Options(5)},
        {"a-Si-like with its edge", ASi(), 500, 2500, 2001, 640, "1.51", 0.0, Options()},
        {"a-Si-like, 0.1 %T noise", ASi(), 500, 2500, 2001, 640, "1.51", 0.1, Options()},
        {"n 1.38 on nS 1.52", LowIndex(), 400, 1500, 2000, 420, "1.52", 0.0, Options()},
        {"n 1.38 on nS 1.52, 0.1 %T noise", LowIndex(), 400, 1500, 2000, 420, "1.52", 0.1, Options()},
        {"350 nm, four extrema", Thin(350), 400, 1500, 2000, 420, "1.52", 0.0, Options()},
        {"350 nm, four extrema, 0.1 %T noise", Thin(350), 400, 1500, 2000, 420, "1.52", 0.1, Options()},
        {"5 nm steps, 0.1 %T noise", synthetic::Film{}, 400, 1500, 221, 460, "1.52", 0.1, Options()},
        // Sampled far more finely than its fringes need: fitted on means of neighbours.
        {"dd 10 nm, 100000 points, 0.1 %T noise", Spread(10), 400, 1500, 100000, 460, "1.52", 0.1, Options()},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto clean = synthetic::Spectrum(c.film, c.from, c.to, c.count, false);
        const auto extrema = synthetic::Extrema(clean, c.shortest);
        const auto measured = c.noise > 0 ? synthetic::WithNoise(clean, c.noise, 7)
                                          : synthetic::Spectrum(c.film, c.from, c.to, c.count);
        const SpectrumFitOutcome outcome = FitOf(measured, extrema, c.nS, c.options);
        ASSERT_TRUE(outcome.result) << outcome.reason;
        const SpectrumFitResult& r = *outcome.result;
        const double truth = c.film.thicknessNm;
        const double error = r.thicknessNm - truth;
        std::printf("    %s: fit d %.2f +- %.2f nm (%+.4f %%), dd %.2f +- %.2f nm (true %g), n633 %.5f (true %.5f), "
                    "residual %.4f %%T, noise %.4f %%T, %d iterations; orders stage %.2f nm (%+.3f %%)\n",
                    c.name, r.thicknessNm, r.thicknessSdNm, 100 * error / truth, r.spreadNm, r.spreadSdNm,
                    c.film.spreadNm, r.nAtNat, c.film.Index(633), r.rmsResidual, r.noise, r.iterations,
                    orders.result ? orders.result->thicknessNm : 0.0,
                    orders.result ? 100 * (orders.result->thicknessNm / truth - 1) : 0.0);
        for (const std::string& w : r.warnings) std::printf("      warning: %s\n", w.c_str());
        EXPECT_TRUE(r.trusted);
        EXPECT_LT(std::fabs(error) / truth, c.noise > 0 ? 0.002 : 0.0005);
        if (c.noise > 0) {
            EXPECT_LE(std::fabs(error), 3 * r.thicknessSdNm);
        }
        // Within 1 nm or 10 %, or where the fringes cannot tell it that well (a film of
        // low contrast, a few points per fringe), within its stated deviation.
        EXPECT_LE(std::fabs(r.spreadNm - c.film.spreadNm),
                  std::max({1.0, 0.1 * c.film.spreadNm, 3 * r.spreadSdNm}));
        EXPECT_NEAR(r.nAtNat, c.film.Index(633), c.noise > 0 ? 2e-3 : 5e-4);
        EXPECT_FALSE(r.alternativeNm);
        EXPECT_GT(r.thicknessSdNm, 0.0);
        EXPECT_EQ(r.points.size(), static_cast<std::size_t>(c.count));
        // The residual of every point, beside the noise of one.
        if (c.noise > 0) {
            EXPECT_NEAR(r.rmsResidual / c.noise, 1.0, 0.1);
        }
    }
}

// An 18 um film at 12 points per shortest fringe, 0.1 %T noise, a hundred draws: all
// but one or two fits trusted, each within its stated deviation and a quarter of a
// percent, the others saying why not; the order search mending the draws whose fringe
// orders were a step off.
TEST_F(SpectrumFitFilmsTest, AThickFilmOverAHundredNoiseDrawsComesBackTrustedEveryTime) {
    synthetic::Film film;
    film.a = 1.6, film.b = 1.0e4, film.thicknessNm = 18000, film.edgeEnergy = 3.6;
    const auto clean = synthetic::Spectrum(film, 600, 1100, 1001, false);
    const auto extrema = synthetic::Extrema(clean, 600);
    synthetic::Gaussian noise(2024);
    int trusted = 0, covered = 0, ordersOff = 0, mended = 0;
    double worst = 0;
    constexpr int kDraws = 100;
    for (int draw = 0; draw < kDraws; ++draw) {
        SCOPED_TRACE(draw);
        const SpectrumFitOutcome outcome = FitOf(synthetic::WithNoise(clean, 0.1, noise), extrema, "1.52", Options());
        ASSERT_TRUE(outcome.result) << outcome.reason;
        const SpectrumFitResult& r = *outcome.result;
        const double error = r.thicknessNm - film.thicknessNm;
        worst = std::max(worst, std::fabs(error));
        trusted += r.trusted ? 1 : 0;
        covered += std::fabs(error) <= 3 * r.thicknessSdNm ? 1 : 0;
        const bool off = orders.result && std::fabs(orders.result->thicknessNm - film.thicknessNm) > 0.005 * film.thicknessNm;
        ordersOff += off ? 1 : 0;
        mended += off && std::fabs(error) < 0.002 * film.thicknessNm ? 1 : 0;
        if (r.trusted) {
            // The stated deviation (about 12 nm here) covers the error, and it stays
            // within a quarter of a percent.
            EXPECT_LE(std::fabs(error), 3 * r.thicknessSdNm);
            EXPECT_LT(std::fabs(error) / film.thicknessNm, 0.0025);
        } else {
            // A fit that settled elsewhere says so.
            ASSERT_FALSE(r.warnings.empty());
            std::printf("    draw %d not trusted: d %.1f nm (%+.2f %%): %s\n", draw, r.thicknessNm,
                        100 * error / film.thicknessNm, r.warnings.front().c_str());
        }
    }
    std::printf("    18 um film, %d draws: %d trusted, worst error %.2f nm, %d within 3 sd; orders stage a step "
                "off in %d, all of them mended: %d\n",
                kDraws, trusted, worst, covered, ordersOff, mended);
    EXPECT_GE(trusted, kDraws - 2);
    EXPECT_GE(covered, kDraws - 5);
    EXPECT_EQ(mended, ordersOff);
}

// alpha from the fitted film, point by point, against the truth wherever alpha d lies
// from 0.01 to 3, on both sides of the edge's knee.
TEST_F(SpectrumFitFilmsTest, AlphaFromTheFitFollowsTheTruthAcrossTheEdge) {
    const synthetic::Film film = ASi();
    const auto clean = synthetic::Spectrum(film, 500, 2500, 2001, false);
    const SpectrumFitOutcome outcome =
        FitOf(synthetic::Spectrum(film, 500, 2500, 2001), synthetic::Extrema(clean, 640), "1.51", Options());
    ASSERT_TRUE(outcome.result) << outcome.reason;
    int compared = 0;
    double worst = 0, lowest = 1e9, highest = 0;
    for (const FitPoint& p : outcome.result->points) {
        const double alphaD = film.AlphaD(p.lambda);
        if (alphaD < 0.01 || alphaD > 3) continue;
        ASSERT_TRUE(p.alphaCm) << p.lambda;
        worst = std::max(worst, std::fabs(*p.alphaCm / film.Alpha(p.lambda) - 1));
        lowest = std::min(lowest, alphaD), highest = std::max(highest, alphaD);
        ++compared;
    }
    std::printf("    alpha from the fit: %d points with alpha d %.3f .. %.2f, worst error %.3f %%\n", compared, lowest,
                highest, 100 * worst);
    EXPECT_GT(compared, 100);
    EXPECT_LT(worst, 0.05);
}

// Spectra the model cannot describe: a baseline tilted by 4 % across the range, and a
// spot that sees two patches of the film, 1000 and 1080 nm thick. The fit is not
// trusted, and says why.
TEST_F(SpectrumFitFilmsTest, SpectraTheModelCannotDescribeAreNotTrusted) {
    const synthetic::Film film;
    synthetic::Film thicker;
    thicker.thicknessNm = 1080;
    const auto clean = synthetic::Spectrum(film, 400, 1500, 2000, false);
    Points tilted = clean, patches = clean;
    for (std::size_t i = 0; i < clean.size(); ++i) {
        tilted[i].second *= 1 + 0.04 * (clean[i].first - 950) / 1100;
        patches[i].second = (clean[i].second + thicker.Transmission(clean[i].first)) / 2;
    }
    for (const auto& [name, spectrum] : {std::pair{"tilted baseline", tilted}, std::pair{"two patches", patches}}) {
        SCOPED_TRACE(name);
        const auto measured = synthetic::WithNoise(spectrum, 0.1, 11);
        const SpectrumFitOutcome outcome = FitOf(measured, synthetic::Extrema(spectrum, 460), "1.52", Options());
        ASSERT_TRUE(outcome.result) << outcome.reason;
        const SpectrumFitResult& r = *outcome.result;
        std::printf("    %s: d %.2f +- %.2f nm, residual %.3f %%T, noise %.3f %%T\n", name, r.thicknessNm,
                    r.thicknessSdNm, r.rmsResidual, r.noise);
        for (const std::string& w : r.warnings) std::printf("      warning: %s\n", w.c_str());
        EXPECT_FALSE(r.trusted);
        ASSERT_FALSE(r.warnings.empty());
        EXPECT_GT(r.rmsResidual, 1.5 * r.noise);
    }
}

// What cannot be fitted gives its reason, never a number that is not finite; a fit
// cancelled before it starts stops at once.
TEST_F(SpectrumFitFilmsTest, BadInputGivesAReason) {
    const synthetic::Film film;
    const auto clean = synthetic::Spectrum(film, 400, 1500, 2000, false);
    ASSERT_TRUE(FitOf(clean, synthetic::Extrema(clean, 460), "1.52", Options()).result);
    const SpectrumFitInput good = lastInput;
    const auto reasonOf = [](const SpectrumFitInput& input, const SpectrumFitOptions& options, const FitControl& c) {
        const SpectrumFitOutcome outcome = FitSpectrum(input, options, c);
        EXPECT_FALSE(outcome.result);
        return outcome.reason;
    };
    SpectrumFitInput nan = good;
    nan.trans[700] = std::nan("");
    EXPECT_EQ(reasonOf(nan, Options(), {}), kFitNotFinite);
    SpectrumFitInput infinite = good;
    infinite.lambda[3] = HUGE_VAL;
    EXPECT_EQ(reasonOf(infinite, Options(), {}), kFitNotFinite);
    SpectrumFitInput few = good;
    few.lambda.resize(10), few.trans.resize(10);
    EXPECT_EQ(reasonOf(few, Options(), {}), kFitTooFewPoints);
    SpectrumFitInput noOrders = good;
    noOrders.orders.reset();
    noOrders.extrema.resize(2);
    EXPECT_EQ(reasonOf(noOrders, Options(), {}).rfind(kFitNoFringes, 0), 0u);
    SpectrumFitOptions slit = Options(-1);
    EXPECT_EQ(reasonOf(good, slit, {}).rfind(kFitBadOptions, 0), 0u);
    SpectrumFitOptions range = Options();
    range.fromNm = 900, range.toNm = 800;
    EXPECT_EQ(reasonOf(good, range, {}).rfind(kFitBadOptions, 0), 0u);
    const std::atomic<bool> cancelled{true};
    EXPECT_EQ(reasonOf(good, Options(), {&cancelled, nullptr}), kFitCancelled);

    // Without the orders' result the fit finds the orders itself from the extrema.
    SpectrumFitInput fromExtrema = good;
    fromExtrema.orders.reset();
    const SpectrumFitOutcome found = FitSpectrum(fromExtrema, Options());
    ASSERT_TRUE(found.result) << found.reason;
    EXPECT_NEAR(found.result->thicknessNm, 1000, 0.5);
}

}  // namespace
}  // namespace optc::testing
