// What the positions of the fringe extrema say by themselves: gaps where fringes were
// missed are counted across, and the orders follow from the positions of a film of
// smooth dispersion. The extrema are those of a Cauchy film placed exactly (the truth
// from the film's own formula, 4 n(lambda) d / lambda = h), with the true index at each.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "thinfilm/orders/FilmOrders.h"
#include "thinfilm/orders/FringePositions.h"

namespace optc {
namespace {

// The extrema of half orders h = first, first + 1, ... (longest wavelength first) of a
// film with n = a + b / lambda^2, without those listed in `missed`.
std::vector<FringeExtremum> Extrema(double a, double b, double d, int first, int count, std::vector<int> missed) {
    std::vector<FringeExtremum> out;
    for (int h = first; h < first + count; ++h) {
        if (std::find(missed.begin(), missed.end(), h) != missed.end()) continue;
        double lambda = 4 * a * d / h;
        for (int i = 0; i < 60; ++i) lambda = 4 * (a + b / (lambda * lambda)) * d / h;
        const bool maximum = h % 2 == 0;
        out.push_back({lambda, maximum ? ExtremumKind::Maximum : ExtremumKind::Minimum, maximum ? 88.0 : 80.0,
                       a + b / (lambda * lambda)});
    }
    return out;
}

TEST(FringePositions, GapsAreCountedAcrossAndThePositionsGiveTheOrders) {
    struct Case {
        const char* name;
        double a, b, d;
        int first, count;
        std::vector<int> missed;  // half orders of the extrema left out
        int gaps;
    };
    for (const Case& c : std::vector<Case>{
             {"no gap, 18 um", 1.65, 1.5e4, 18000, 97, 100, {}, 0},
             {"one fringe missed", 1.65, 1.5e4, 18000, 97, 100, {140, 141}, 1},
             {"two fringes missed", 1.65, 1.5e4, 18000, 97, 100, {150, 151, 152, 153}, 1},
             {"two gaps", 1.65, 1.5e4, 18000, 97, 100, {120, 121, 170, 171}, 2},
             {"no gap, 1 um", 2.2, 3.0e4, 1000, 7, 20, {}, 0},
             {"one fringe missed, 1 um", 2.2, 3.0e4, 1000, 7, 20, {16, 17}, 1},
         }) {
        SCOPED_TRACE(c.name);
        const auto extrema = Extrema(c.a, c.b, c.d, c.first, c.count, c.missed);
        std::vector<double> lambda;
        for (const FringeExtremum& e : extrema) lambda.push_back(e.lambda);
        const HalfOrderSteps steps = StepsAcrossGaps(lambda);
        EXPECT_EQ(static_cast<int>(steps.gapsAtNm.size()), c.gaps);
        EXPECT_EQ(steps.steps.back(), c.count - 1);  // the half orders from first to last, gaps counted

        // Positions alone: the first extremum's half order, to a small fraction.
        const auto positions = OrderFromPositions(lambda, steps.steps);
        ASSERT_TRUE(positions);
        EXPECT_NEAR(positions->firstHalfOrder, c.first, 0.05);

        // The orders and the thickness, with a warning for each gap.
        const FringeOrdersOutcome outcome = FindFilmFringeOrders({extrema, {}, true, 1.52, 1.0, 3, std::nullopt});
        ASSERT_TRUE(outcome.result) << outcome.reason;
        const FringeOrdersResult& r = *outcome.result;
        EXPECT_NEAR(r.thicknessNm, c.d, 1e-6 * c.d);
        EXPECT_DOUBLE_EQ(r.rows.front().order, c.first / 2.0);
        EXPECT_DOUBLE_EQ(r.rows.back().order, (c.first + c.count - 1) / 2.0);
        EXPECT_FALSE(r.witnessesDisagree);
        int gapWarnings = 0;
        for (const std::string& w : r.warnings) gapWarnings += w.rfind("A gap in the extrema was bridged", 0) == 0;
        EXPECT_EQ(gapWarnings, c.gaps);
    }
}

}  // namespace
}  // namespace optc
