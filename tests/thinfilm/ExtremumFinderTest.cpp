// The extremum finder against the exact extrema of synthetic films (a uniform
// absorbing film on a thick transparent substrate), sampled every 0.5 to 5 nm, with and
// without Gaussian noise; and on spectra without fringes.
#include "thinfilm/extrema/ExtremumFinder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "SyntheticFilm.h"
#include "numerics/Errors.h"

namespace optc::testing {
namespace {

using synthetic::Film;
using synthetic::Points;

ExtremaSearch Find(const Points& spectrum) {
    std::vector<double> lambda, trans;
    for (const auto& [x, y] : spectrum) {
        lambda.push_back(x);
        trans.push_back(y);
    }
    return FindFringeExtrema(lambda, trans);
}

// A found extremum matches the nearest exact one of its kind within a quarter fringe,
// or is spurious. Every exact extremum where the film is clear (alpha d < 0.1), a
// quarter fringe or more inside the spectrum, must be matched; errors (nm) are those
// of the matches where the film is clear, sorted.
struct Comparison {
    int expected = 0, missing = 0, spurious = 0;
    std::vector<double> errors;
};

Comparison Compare(const Film& film, double from, double to, const std::vector<FoundExtremum>& found) {
    const auto truth = synthetic::ExactExtrema(film, from, to);
    const auto quarter = [&truth](std::size_t k) {
        const std::size_t a = k == 0 ? 0 : k - 1, b = std::min(k + 1, truth.size() - 1);
        return (truth[a].lambda - truth[b].lambda) / static_cast<double>(b - a) / 2;
    };
    Comparison c;
    std::vector<bool> matched(truth.size(), false);
    for (const FoundExtremum& e : found) {
        std::size_t best = truth.size();
        for (std::size_t k = 0; k < truth.size(); ++k)
            if (truth[k].maximum == e.maximum && std::fabs(truth[k].lambda - e.lambda) < quarter(k)) best = k;
        if (best == truth.size()) {
            ++c.spurious;
            continue;
        }
        matched[best] = true;
        if (film.AlphaD(truth[best].lambda) < 0.1) c.errors.push_back(std::fabs(truth[best].lambda - e.lambda));
    }
    for (std::size_t k = 0; k < truth.size(); ++k) {
        const bool inside = truth[k].lambda - from >= quarter(k) && to - truth[k].lambda >= quarter(k);
        if (!inside || film.AlphaD(truth[k].lambda) >= 0.1) continue;
        ++c.expected;
        c.missing += matched[k] ? 0 : 1;
    }
    std::sort(c.errors.begin(), c.errors.end());
    return c;
}

// The film (1 um or 2.5 um), the step in nm and the noise in %T.
class FinderOnFilms : public ::testing::TestWithParam<std::tuple<bool, double, double>> {};

TEST_P(FinderOnFilms, EveryClearFringeFoundAndPlacedWithinTheStep) {
    const auto [thin, step, noise] = GetParam();
    const Film film = thin ? synthetic::OneMicronFilm() : synthetic::TwoAndAHalfMicronFilm();
    Points spectrum = synthetic::Spectrum(film, 350, 1500, static_cast<int>(std::lround(1150 / step)) + 1);
    if (noise > 0) spectrum = synthetic::WithNoise(spectrum, noise, 17);
    const ExtremaSearch search = Find(spectrum);
    const Comparison c = Compare(film, 350, 1500, search.extrema);
    ASSERT_FALSE(c.errors.empty());
    const double median = c.errors[c.errors.size() / 2], max = c.errors.back();
    std::printf("    %s film, %.1f nm steps, noise %.1f %%T: %zu found, %d expected, %d missing, %d spurious; error "
                "median %.3f nm (%.3f steps), max %.3f nm (%.3f steps); noise estimate %.3f %%T\n",
                thin ? "1 um" : "2.5 um", step, noise, search.extrema.size(), c.expected, c.missing, c.spurious,
                median, median / step, max, max / step, search.noise);
    EXPECT_EQ(c.missing, 0);
    EXPECT_EQ(c.spurious, 0);
    EXPECT_LT(median, noise > 0 ? step : step / 4);
}

INSTANTIATE_TEST_SUITE_P(StepsAndNoise, FinderOnFilms,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(0.5, 1.0, 2.0, 5.0),
                                            ::testing::Values(0.0, 0.1, 0.2)));

// The thick film of low contrast measured every 1.3 nm from 560 to 860 nm: 4 to 10
// samples per fringe, noise 0.1 %T. Repeated measurements differ only by their noise.
TEST(FinderOnAThickFilm, RepeatedMeasurementsGiveTheSameExtrema) {
    const Film film = synthetic::ThickLowContrastFilm();
    const double step = 1.3;
    const Points exact = synthetic::Spectrum(film, 560, 860, 231);
    std::vector<FoundExtremum> first;
    double worstShift = 0;
    for (unsigned draw = 1; draw <= 8; ++draw) {
        const ExtremaSearch search = Find(synthetic::WithNoise(exact, 0.1, draw));
        const Comparison c = Compare(film, 560, 860, search.extrema);
        std::printf("    draw %u: %zu found, %d expected, %d missing, %d spurious; error median %.3f steps, max %.3f "
                    "steps\n", draw, search.extrema.size(), c.expected, c.missing, c.spurious,
                    c.errors[c.errors.size() / 2] / step, c.errors.back() / step);
        EXPECT_EQ(c.missing, 0);
        EXPECT_EQ(c.spurious, 0);
        if (draw == 1) first = search.extrema;
        ASSERT_EQ(search.extrema.size(), first.size());
        for (std::size_t k = 0; k < first.size(); ++k)
            worstShift = std::max(worstShift, std::fabs(search.extrema[k].lambda - first[k].lambda));
    }
    std::printf("    largest shift of an extremum between draws: %.3f steps\n", worstShift / step);
    EXPECT_LT(worstShift, 0.75 * step);
}

// Spectra without fringes give no extremum and say why.
TEST(FinderWithoutFringes, NothingIsFoundAndTheVerdictSaysWhy) {
    const auto curve = [](double from, double to, double step, auto transmission, double noise) {
        Points points;
        for (double lambda = from; lambda <= to + 1e-9; lambda += step)
            points.push_back({lambda, transmission(lambda)});
        return noise > 0 ? synthetic::WithNoise(points, noise, 5) : points;
    };
    const auto substrate = [](double) { return 91.83; };
    const auto bulkPlate = [](double lambda) { return 82.43 / (1 + std::exp((350 - lambda) / 8)); };
    const auto band = [](double lambda) { return 80 - 30 * std::exp(-std::pow((lambda - 700) / 60, 2)); };
    // Noise averaged over three neighbouring samples, as an instrument that scans in
    // steps finer than its bandwidth records it.
    Points smoothed = curve(300, 1300, 0.1, substrate, 0.2);
    for (std::size_t i = 0; i + 2 < smoothed.size(); ++i)
        smoothed[i].second = (smoothed[i].second + smoothed[i + 1].second + smoothed[i + 2].second) / 3;
    // Fringes of a file whose wavelengths are all one number: no spacing, no fringes.
    Points oneWavelength;
    for (int k = 0; k < 600; ++k) oneWavelength.push_back({500.0, 50 + 30 * std::sin(k / 3.0)});
    const std::tuple<const char*, Points, ExtremaVerdict> cases[] = {
        {"one wavelength repeated", oneWavelength, ExtremaVerdict::NoFringes},
        {"bare substrate, noise 0.1 %T", curve(300, 1100, 1, substrate, 0.1), ExtremaVerdict::NoFringes},
        {"bare substrate, instrument-smoothed noise", smoothed, ExtremaVerdict::NoFringes},
        {"bulk plate with its edge, noise 0.2 %T", curve(250, 800, 1, bulkPlate, 0.2), ExtremaVerdict::NoFringes},
        {"noise alone, 100000 points", curve(300, 1299.99, 0.01, substrate, 0.2), ExtremaVerdict::NoFringes},
        {"one absorption band", curve(400, 1000, 1, band, 0.1), ExtremaVerdict::NoFringes},
        {"four points", curve(500, 503, 1, band, 0), ExtremaVerdict::TooFewPoints},
    };
    for (const auto& [what, spectrum, verdict] : cases) {
        const ExtremaSearch search = Find(spectrum);
        EXPECT_EQ(search.verdict, verdict) << what;
        EXPECT_TRUE(search.extrema.empty()) << what;
    }
}

// A narrow spike or dip (2 nm wide, as a lamp or detector change leaves it) on the
// clear 1.5 um film sampled every 0.5 nm (fringes 50 to 190 nm wide), between two
// extrema or right on one, with and without noise: the same extrema as without it,
// none at the glitch, the others where they were and the one it sits on hardly moved.
// The small dip stands out of the fringes too little to count by its height alone; the
// narrow pair of turning points it makes gives it away.
TEST(FinderWithGlitches, NarrowSpikesAndDipsAreNoFringesAndLoseNone) {
    const Points clear = synthetic::Spectrum(synthetic::ClearFilm(), 400, 1100, 1401);
    const std::tuple<const char*, double, double> glitches[] = {
        {"spike between a minimum and a maximum", 10, 800},
        {"dip between a minimum and a maximum", -8, 803},
        {"spike on a maximum", 10, 825},
        {"dip on a maximum", -8, 825},
        {"spike on a minimum", 10, 776.5},
        {"dip on a minimum", -8, 776.5},
        {"small dip between a minimum and a maximum", -3, 814},
    };
    for (const double noise : {0.0, 0.1}) {
        const Points base = noise > 0 ? synthetic::WithNoise(clear, noise, 3) : clear;
        const std::vector<FoundExtremum> reference = Find(base).extrema;
        ASSERT_EQ(reference.size(), 20u);
        for (const auto& [what, height, centre] : glitches) {
            Points spectrum = base;
            for (auto& [lambda, t] : spectrum) t += height * std::exp(-std::pow((lambda - centre) / 2, 2));
            const std::vector<FoundExtremum> found = Find(spectrum).extrema;
            ASSERT_EQ(found.size(), reference.size()) << what << ", noise " << noise;
            std::size_t under = 0;
            for (std::size_t k = 1; k < reference.size(); ++k)
                if (std::fabs(reference[k].lambda - centre) < std::fabs(reference[under].lambda - centre)) under = k;
            double shift = 0, change = 0;
            for (std::size_t k = 0; k < found.size(); ++k) {
                EXPECT_EQ(found[k].maximum, reference[k].maximum) << what << ", noise " << noise << ", " << k;
                const double dl = std::fabs(found[k].lambda - reference[k].lambda);
                const double dt = std::fabs(found[k].trans - reference[k].trans);
                if (k != under) {
                    EXPECT_LT(dl, 0.02) << what << ", noise " << noise << ", " << k;
                    EXPECT_LT(dt, 0.02) << what << ", noise " << noise << ", " << k;
                    continue;
                }
                shift = dl;
                change = dt;
            }
            std::printf("    %s, noise %.1f %%T: the extremum at %.1f nm moved %.3f nm, %.3f %%T\n", what, noise,
                        reference[under].lambda, shift, change);
            EXPECT_LT(shift, 0.05) << what << ", noise " << noise;
            EXPECT_LT(change, 0.2) << what << ", noise " << noise;
        }
    }
}

// The spectrum as imported: the same extrema whichever way the file runs and with
// points at wavelength 0 (bad lines inside a long file); a lone spike among the fringes
// ignored; values the arithmetic cannot square raise the program's error.
TEST(FinderOnImportedSpectra, DirectionBadLinesSpikeAndOverflow) {
    const Points ascending = synthetic::Spectrum(synthetic::OneMicronFilm(), 350, 1500, 1151);
    const std::vector<FoundExtremum> reference = Find(ascending).extrema;
    ASSERT_GE(reference.size(), 10u);
    for (std::size_t k = 1; k < reference.size(); ++k) {
        EXPECT_LT(reference[k].lambda, reference[k - 1].lambda);
        EXPECT_EQ(reference[k].trans > reference[k - 1].trans, reference[k].maximum);
        EXPECT_NE(reference[k].maximum, reference[k - 1].maximum);
    }
    Points badLines = ascending, spiked = ascending, huge = ascending;
    badLines.insert(badLines.begin() + 500, {0.0, 0.0});
    // 3 %T at 782 nm, halfway between the minimum at 746 nm and the maximum at 818 nm.
    spiked[432].second += 3;
    for (const Points& spectrum : {Points(ascending.rbegin(), ascending.rend()), badLines, spiked}) {
        const std::vector<FoundExtremum> found = Find(spectrum).extrema;
        ASSERT_EQ(found.size(), reference.size());
        for (std::size_t k = 0; k < found.size(); ++k) {
            EXPECT_EQ(found[k].lambda, reference[k].lambda) << k;
            EXPECT_EQ(found[k].trans, reference[k].trans) << k;
        }
    }
    for (auto& point : huge) point.second *= 1e306;
    EXPECT_THROW(
        try { Find(huge); } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Floating point overflow");
            throw;
        },
        Error);
}

}  // namespace
}  // namespace optc::testing

namespace optc::testing {
namespace {

// The value read at each extremum against the exact one, on films whose maxima are
// sharp (a high index: a-Si-like with its edge) or broad (a 1 um film of index 2),
// noise-free and with 0.1 %T noise: a parabola in T read the sharp maxima 0.2-0.7 %T
// low, far beyond the noise; the fringe's own shape reads them within it.
TEST(FinderOnSharpFringes, EveryExtremumIsReadWithinTheNoise) {
    const struct {
        const char* name;
        Film film;
        double from, to, noise, tolerance;
    } cases[] = {
        {"a-Si-like", Film(3.0, 4.0e5, 1000, 1.51, 2.1, 0.12), 500, 2500, 0.0, 0.05},
        {"a-Si-like, noise 0.1 %T", Film(3.0, 4.0e5, 1000, 1.51, 2.1, 0.12), 500, 2500, 0.1, 0.1},
        {"1 um, index 2", synthetic::OneMicronFilm(), 350, 1500, 0.0, 0.05},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Points spectrum = synthetic::Spectrum(c.film, c.from, c.to, static_cast<int>(c.to - c.from) + 1);
        if (c.noise > 0) spectrum = synthetic::WithNoise(spectrum, c.noise, 3);
        const ExtremaSearch search = Find(spectrum);
        const auto truth = synthetic::ExactExtrema(c.film, c.from, c.to);
        ASSERT_GE(search.extrema.size(), 8u);
        double worst = 0;
        for (const FoundExtremum& e : search.extrema) {
            const auto nearest = std::min_element(truth.begin(), truth.end(), [&e](const auto& a, const auto& b) {
                return std::fabs(a.lambda - e.lambda) < std::fabs(b.lambda - e.lambda);
            });
            ASSERT_EQ(nearest->maximum, e.maximum) << e.lambda;
            EXPECT_LT(std::fabs(nearest->lambda - e.lambda), 1.0) << e.lambda;
            worst = std::max(worst, std::fabs(e.trans - nearest->trans));
        }
        std::printf("    %s: largest error of a value read %.3f %%T\n", c.name, worst);
        EXPECT_LT(worst, c.tolerance);
        // No exact extremum between the shortest and the longest found is left out: a
        // sharp maximum on the absorption edge (the a-Si-like film's at 804 nm) is a
        // fringe, not a spike to bridge.
        std::size_t between = 0;
        for (const auto& t : truth)
            between += t.lambda >= search.extrema.back().lambda - 1.0 && t.lambda <= search.extrema.front().lambda + 1.0;
        EXPECT_EQ(between, search.extrema.size());
    }
}

}  // namespace
}  // namespace optc::testing

namespace optc::testing {
namespace {

// Spectra that end, or begin, a little beyond a fringe's extremum (8 to 49 nm, where the
// curve turns back by far less than a fringe's swing), with and without 0.1 %T noise:
// that extremum is found, placed within a nanometre and read within the noise, and no
// extremum that is not there is added. Under noise, a turn back of a few tenths of a
// per cent (8 and 16 nm after the 1 um film's maximum) cannot be told from it: there
// only nothing may be made up.
TEST(FinderNearTheEnds, AnExtremumWithPointsBeyondItIsFound) {
    const Film aSi(3.0, 4.0e5, 1000, 1.51, 2.1, 0.12);
    const struct {
        const char* name;
        Film film;
        double from, to, outermost;  // the exact extremum nearest the cut end
        bool underNoise;             // found also with 0.1 %T noise
    } cases[] = {
        {"1 um, ends 8 nm after a maximum", synthetic::OneMicronFilm(), 350, 1022.6, 1014.6, false},
        {"1 um, ends 16 nm after a maximum", synthetic::OneMicronFilm(), 350, 1030.6, 1014.6, false},
        {"1 um, ends 26 nm after a maximum", synthetic::OneMicronFilm(), 350, 1040.6, 1014.6, true},
        {"a-Si-like, ends 49 nm after a minimum", aSi, 500, 2500, 2450.9, true},
        {"clear 1.5 um, begins 10 nm before a maximum", synthetic::ClearFilm(), 0, 1100, 0, true},
    };
    for (const double noise : {0.0, 0.1}) {
        for (auto c : cases) {
            const auto all = synthetic::ExactExtrema(c.film, 380, c.to);
            if (c.outermost == 0) {  // begins 10 nm before the shortest maximum above 420 nm
                auto k = all.size() - 1;
                while (!(all[k].maximum && all[k].lambda > 420)) --k;
                c.outermost = all[k].lambda;
                c.from = c.outermost - 10;
            }
            SCOPED_TRACE(std::string(c.name) + (noise > 0 ? ", noise 0.1 %T" : ""));
            Points spectrum = synthetic::Spectrum(c.film, c.from, c.to, static_cast<int>(c.to - c.from) + 1);
            if (noise > 0) spectrum = synthetic::WithNoise(spectrum, noise, 11);
            const ExtremaSearch search = Find(spectrum);
            ASSERT_FALSE(search.extrema.empty());
            const auto truth = synthetic::ExactExtrema(c.film, c.from, c.to);
            const auto exact = std::min_element(truth.begin(), truth.end(), [&c](const auto& a, const auto& b) {
                return std::fabs(a.lambda - c.outermost) < std::fabs(b.lambda - c.outermost);
            });
            // Longest wavelength first: a cut at the long end shows at the front.
            const bool longEndCut = c.to - c.outermost < c.outermost - c.from;
            const FoundExtremum& outer = longEndCut ? search.extrema.front() : search.extrema.back();
            std::printf("    %s, noise %.1f %%T: outermost found at %.2f nm, %.3f %%T (exact %.2f nm, %.3f %%T)\n",
                        c.name, noise, outer.lambda, outer.trans, exact->lambda, exact->trans);
            EXPECT_EQ(Compare(c.film, c.from, c.to, search.extrema).spurious, 0);
            if (noise > 0 && !c.underNoise) continue;
            EXPECT_EQ(outer.maximum, exact->maximum);
            EXPECT_LT(std::fabs(outer.lambda - exact->lambda), 1.0);
            EXPECT_LT(std::fabs(outer.trans - exact->trans), noise > 0 ? 0.15 : 0.05);
        }
    }
}

}  // namespace
}  // namespace optc::testing
