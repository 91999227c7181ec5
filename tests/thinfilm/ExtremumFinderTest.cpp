// The extremum finder against the exact extrema of synthetic films (a uniform
// absorbing film on a thick transparent substrate), on spectra sampled every 0.5 to
// 5 nm, noise-free and with Gaussian noise; and on spectra without fringes.
#include "thinfilm/ExtremumFinder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "SyntheticFilm.h"
#include "numerics/Errors.h"

namespace optc::testing {
namespace {

using synthetic::Film;
using synthetic::Points;
using synthetic::TrueExtremum;

ExtremaSearch Find(const Points& spectrum) {
    std::vector<double> lambda, trans;
    for (const auto& [x, y] : spectrum) {
        lambda.push_back(x);
        trans.push_back(y);
    }
    return FindFringeExtrema(lambda, trans);
}

// How the found extrema compare with the exact ones: every exact extremum where the
// film is clear (alpha d < 0.1) and that lies at least a quarter of a fringe inside the
// spectrum must be found; a found extremum matches an exact one of the same kind
// within a quarter of a fringe, or is spurious.
struct Comparison {
    int expected = 0, found = 0, missing = 0, spurious = 0;
    std::vector<double> errors;  // nm, of the matched extrema where the film is clear
    double Median() const {
        std::vector<double> e = errors;
        std::sort(e.begin(), e.end());
        return e.empty() ? 0.0 : e[e.size() / 2];
    }
    double Max() const { return errors.empty() ? 0.0 : *std::max_element(errors.begin(), errors.end()); }
};

Comparison Compare(const Film& film, double from, double to, const std::vector<FringeExtremum>& found) {
    const std::vector<TrueExtremum> truth = synthetic::ExactExtrema(film, from, to);
    const auto quarterFringe = [&truth](std::size_t k) {
        const std::size_t a = k == 0 ? 0 : k - 1, b = std::min(k + 1, truth.size() - 1);
        return (truth[a].lambda - truth[b].lambda) / (b - a) / 2.0;
    };
    Comparison c;
    c.found = static_cast<int>(found.size());
    std::vector<bool> matched(truth.size(), false);
    for (const FringeExtremum& e : found) {
        std::size_t best = truth.size();
        for (std::size_t k = 0; k < truth.size(); ++k)
            if (truth[k].maximum == e.maximum && std::fabs(truth[k].lambda - e.lambda) < quarterFringe(k) &&
                (best == truth.size() || std::fabs(truth[k].lambda - e.lambda) < std::fabs(truth[best].lambda - e.lambda)))
                best = k;
        if (best == truth.size()) {
            ++c.spurious;
            continue;
        }
        matched[best] = true;
        if (film.AlphaD(truth[best].lambda) < 0.1) c.errors.push_back(std::fabs(truth[best].lambda - e.lambda));
    }
    for (std::size_t k = 0; k < truth.size(); ++k) {
        const bool inside = truth[k].lambda - from > quarterFringe(k) && to - truth[k].lambda > quarterFringe(k);
        if (!inside || film.AlphaD(truth[k].lambda) >= 0.1) continue;
        ++c.expected;
        if (!matched[k]) ++c.missing;
    }
    return c;
}

struct SpectrumCase {
    const char* film;
    double step;   // nm
    double noise;  // % T
};

class FinderOnFilms : public ::testing::TestWithParam<SpectrumCase> {};

TEST_P(FinderOnFilms, EveryClearFringeFoundAndPlacedWithinTheStep) {
    const SpectrumCase& p = GetParam();
    const Film film = std::string(p.film) == "1 um" ? synthetic::OneMicronFilm() : synthetic::TwoAndAHalfMicronFilm();
    const double from = 350, to = 1500;
    const int count = static_cast<int>(std::lround((to - from) / p.step)) + 1;
    Points spectrum = synthetic::Spectrum(film, from, to, count);
    if (p.noise > 0) spectrum = synthetic::WithNoise(spectrum, p.noise, 17);
    const ExtremaSearch search = Find(spectrum);
    const Comparison c = Compare(film, from, to, search.extrema);
    std::printf("    %s film, %.1f nm steps, noise %.1f %%T: %d found, %d expected, %d missing, %d spurious; "
                "error median %.3f nm (%.3f steps), max %.3f nm (%.3f steps); noise estimate %.3f %%T\n",
                p.film, p.step, p.noise, c.found, c.expected, c.missing, c.spurious, c.Median(), c.Median() / p.step,
                c.Max(), c.Max() / p.step, search.noise);
    EXPECT_EQ(c.missing, 0);
    EXPECT_EQ(c.spurious, 0);
    EXPECT_LT(c.Median(), p.noise > 0 ? p.step : p.step / 4);
}

INSTANTIATE_TEST_SUITE_P(
    StepsAndNoise, FinderOnFilms,
    ::testing::Values(SpectrumCase{"1 um", 0.5, 0}, SpectrumCase{"1 um", 1, 0}, SpectrumCase{"1 um", 2, 0},
                      SpectrumCase{"1 um", 5, 0}, SpectrumCase{"1 um", 0.5, 0.1}, SpectrumCase{"1 um", 1, 0.1},
                      SpectrumCase{"1 um", 2, 0.1}, SpectrumCase{"1 um", 5, 0.1}, SpectrumCase{"1 um", 0.5, 0.2},
                      SpectrumCase{"1 um", 1, 0.2}, SpectrumCase{"1 um", 2, 0.2}, SpectrumCase{"1 um", 5, 0.2},
                      SpectrumCase{"2.5 um", 0.5, 0}, SpectrumCase{"2.5 um", 1, 0}, SpectrumCase{"2.5 um", 2, 0},
                      SpectrumCase{"2.5 um", 5, 0}, SpectrumCase{"2.5 um", 0.5, 0.1}, SpectrumCase{"2.5 um", 1, 0.1},
                      SpectrumCase{"2.5 um", 2, 0.1}, SpectrumCase{"2.5 um", 5, 0.1},
                      SpectrumCase{"2.5 um", 0.5, 0.2}, SpectrumCase{"2.5 um", 1, 0.2},
                      SpectrumCase{"2.5 um", 2, 0.2}, SpectrumCase{"2.5 um", 5, 0.2}));

// The thick film of low contrast measured every 1.3 nm from 560 to 860 nm: 4 to 10
// samples per fringe, a contrast that changes along the spectrum, noise 0.1 %T.
// Repeated measurements differ only by their noise.
TEST(FinderOnAThickFilm, RepeatedMeasurementsGiveTheSameExtrema) {
    const Film film = synthetic::ThickLowContrastFilm();
    const double from = 560, to = 860, step = 1.3;
    const int count = static_cast<int>(std::lround((to - from) / step)) + 1;
    const Points exact = synthetic::Spectrum(film, from, to, count);
    const auto truth = synthetic::ExactExtrema(film, from, to);
    std::printf("    thick film: %zu exact extrema, %.1f to %.1f samples per fringe, T %.2f +- %.2f %%T at the "
                "short end, %.2f +- %.2f %%T at the long end\n",
                truth.size(), 2 * (truth[truth.size() - 2].lambda - truth.back().lambda) / step,
                2 * (truth[0].lambda - truth[1].lambda) / step, (truth.back().trans + truth[truth.size() - 2].trans) / 2,
                std::fabs(truth.back().trans - truth[truth.size() - 2].trans) / 2, (truth[0].trans + truth[1].trans) / 2,
                std::fabs(truth[0].trans - truth[1].trans) / 2);

    std::vector<FringeExtremum> first;
    double worstShift = 0;
    for (unsigned draw = 1; draw <= 8; ++draw) {
        const ExtremaSearch search = Find(synthetic::WithNoise(exact, 0.1, draw));
        const Comparison c = Compare(film, from, to, search.extrema);
        std::printf("    draw %u: %d found, %d expected, %d missing, %d spurious; error median %.3f nm (%.3f steps), "
                    "max %.3f nm (%.3f steps); noise estimate %.3f %%T\n",
                    draw, c.found, c.expected, c.missing, c.spurious, c.Median(), c.Median() / step, c.Max(),
                    c.Max() / step, search.noise);
        EXPECT_EQ(c.missing, 0);
        EXPECT_EQ(c.spurious, 0);
        EXPECT_LT(c.Median(), step);
        if (draw == 1) {
            first = search.extrema;
            continue;
        }
        ASSERT_EQ(search.extrema.size(), first.size());
        for (std::size_t k = 0; k < first.size(); ++k)
            worstShift = std::max(worstShift, std::fabs(search.extrema[k].lambda - first[k].lambda));
    }
    std::printf("    largest shift of an extremum between draws: %.3f nm (%.3f steps)\n", worstShift, worstShift / step);
    EXPECT_LT(worstShift, 0.75 * step);
}

// Spectra without fringes give no extremum and say why; so do spectra with too few
// points to judge.
TEST(FinderWithoutFringes, NothingIsFoundAndTheVerdictSaysWhy) {
    const auto curve = [](double from, double to, double step, auto transmission, double noise) {
        Points points;
        for (double lambda = from; lambda <= to + 1e-9; lambda += step) points.push_back({lambda, transmission(lambda)});
        return noise > 0 ? synthetic::WithNoise(points, noise, 5) : points;
    };
    // The same noise averaged over three neighbouring samples, as an instrument that
    // scans in steps finer than its bandwidth records it.
    const auto smoothedOver3 = [](Points points) {
        for (std::size_t i = 0; i + 2 < points.size(); ++i)
            points[i].second = (points[i].second + points[i + 1].second + points[i + 2].second) / 3;
        points.resize(points.size() - 2);
        return points;
    };
    const auto substrate = [](double) { return 91.83; };
    const auto bulkPlate = [](double lambda) { return 82.43 / (1 + std::exp((350 - lambda) / 8)); };
    const auto band = [](double lambda) { return 80 - 30 * std::exp(-std::pow((lambda - 700) / 60, 2)); };
    struct Case {
        const char* what;
        Points spectrum;
        ExtremaVerdict verdict;
    };
    const Case cases[] = {
        {"bare substrate, noise 0.1 %T", curve(300, 1100, 1, substrate, 0.1), ExtremaVerdict::NoFringes},
        {"bare substrate, noise-free", curve(300, 1100, 1, substrate, 0), ExtremaVerdict::NoFringes},
        {"bare substrate, noise smoothed by the instrument", smoothedOver3(curve(300, 1300, 0.1, substrate, 0.2)),
         ExtremaVerdict::NoFringes},
        {"bulk plate with its edge, noise 0.2 %T", curve(250, 800, 1, bulkPlate, 0.2), ExtremaVerdict::NoFringes},
        {"noise alone, 100000 points", curve(300, 1299.99, 0.01, [](double) { return 50.0; }, 0.2),
         ExtremaVerdict::NoFringes},
        {"one absorption band: a single minimum", curve(400, 1000, 1, band, 0.1), ExtremaVerdict::NoFringes},
        {"four points", curve(500, 503, 1, band, 0), ExtremaVerdict::TooFewPoints},
        {"no spectrum", Points{}, ExtremaVerdict::TooFewPoints},
    };
    for (const Case& c : cases) {
        const ExtremaSearch search = Find(c.spectrum);
        EXPECT_EQ(search.verdict, c.verdict) << c.what;
        EXPECT_TRUE(search.extrema.empty()) << c.what;
    }
    EXPECT_STREQ(VerdictMessage(ExtremaVerdict::NoFringes), "No interference fringes were found in the spectrum.");
}

// The spectrum as imported: the same extrema whichever way the file runs, points at
// wavelength 0 (bad lines inside a long file) left out, and a lone spike among the
// fringes ignored.
TEST(FinderOnImportedSpectra, DirectionBadLinesAndASpikeChangeNothing) {
    const Points ascending = synthetic::Spectrum(synthetic::OneMicronFilm(), 350, 1500, 1151);
    const ExtremaSearch reference = Find(ascending);
    ASSERT_EQ(reference.verdict, ExtremaVerdict::Found);
    const auto expectSame = [&reference](const ExtremaSearch& search, const char* what) {
        ASSERT_EQ(search.extrema.size(), reference.extrema.size()) << what;
        for (std::size_t k = 0; k < search.extrema.size(); ++k) {
            EXPECT_EQ(search.extrema[k].lambda, reference.extrema[k].lambda) << what << " " << k;
            EXPECT_EQ(search.extrema[k].trans, reference.extrema[k].trans) << what << " " << k;
            EXPECT_EQ(search.extrema[k].maximum, reference.extrema[k].maximum) << what << " " << k;
        }
    };
    expectSame(Find(Points(ascending.rbegin(), ascending.rend())), "descending");
    Points withBadLines = ascending;
    withBadLines.insert(withBadLines.begin() + 500, {0.0, 0.0});
    withBadLines.insert(withBadLines.begin() + 200, {0.0, 12.5});
    expectSame(Find(withBadLines), "bad lines");

    // Longest first, alternating, each maximum above its neighbouring minima.
    const auto& e = reference.extrema;
    for (std::size_t k = 1; k < e.size(); ++k) {
        EXPECT_LT(e[k].lambda, e[k - 1].lambda);
        EXPECT_NE(e[k].maximum, e[k - 1].maximum);
        EXPECT_EQ(e[k].trans > e[k - 1].trans, e[k].maximum);
    }

    // A spike of 3 %T on the flank of a fringe (at 782 nm, halfway between the minimum
    // at 746 nm and the maximum at 818 nm) is far above the noise but far below the
    // fringes' swing.
    Points spiked = ascending;
    spiked[432].second += 3;
    expectSame(Find(spiked), "spike");

    // Values beyond what the arithmetic can square raise the program's error, never
    // infinite or undefined extrema.
    Points huge = ascending;
    for (auto& point : huge) point.second *= 1e306;
    try {
        Find(huge);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
}

}  // namespace
}  // namespace optc::testing
