// The fringe-order stage on its own: the reason for every input it cannot use, and
// exact extrema of a Cauchy film (positions from 2 n d = m lambda) with their kinds
// as given, swapped, and with one poor index.
#include "thinfilm/orders/FringeOrders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "SyntheticFilm.h"
#include "numerics/FloatText.h"
#include "thinfilm/orders/FringeOrdersText.h"

namespace optc {
namespace {

constexpr auto kMax = ExtremumKind::Maximum;
constexpr auto kMin = ExtremumKind::Minimum;

// A film of n = 2.1 + 5e4 / lambda^2 and d = 1500 nm: the extrema of orders m = 4.5,
// 5, ... 12 (longest wavelength first, a minimum first), with the exact index there.
constexpr double kThickness = 1500.0;
double Index(double lambda) { return 2.1 + 5e4 / (lambda * lambda); }

std::vector<FringeExtremum> ExactExtrema() {
    std::vector<FringeExtremum> e;
    for (int h = 9; h <= 24; ++h) {
        const double m = h / 2.0;
        double lambda = 2 * 2.2 * kThickness / m;
        for (int i = 0; i < 50; ++i) lambda = 2 * Index(lambda) * kThickness / m;
        e.push_back({lambda, h % 2 == 0 ? kMax : kMin, h % 2 == 0 ? 90.0 : 70.0, Index(lambda)});
    }
    return e;
}

TEST(FringeOrdersTest, EveryInputItCannotUseGetsItsReason) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto three = [](double l1, double l2, double l3) {
        return std::vector<FringeExtremum>{{l1, kMax, 90, 2.2}, {l2, kMin, 70, 2.2}, {l3, kMax, 90, 2.2}};
    };
    auto withIndex = [&](double n) {
        auto e = three(900, 850, 800);
        e[1].n1 = n;
        return e;
    };
    auto withKinds = [&](ExtremumKind a, ExtremumKind b, ExtremumKind c) {
        auto e = three(900, 850, 800);
        e[0].kind = a, e[1].kind = b, e[2].kind = c;
        return e;
    };
    // Each neighbour's index falls faster than its wavelength: every pair is negative.
    std::vector<FringeExtremum> falling;
    for (int i = 0; i < 6; ++i)
        falling.push_back({1000.0 - 20 * i, i % 2 ? kMin : kMax, i % 2 ? 70.0 : 90.0, 2.5 - 0.2 * i});
    const std::string badIndex = "The refractive index is not a positive number at the extremum at 850 nm.";

    struct Case {
        const char* what;
        std::vector<FringeExtremum> extrema;
        std::string reason;
    };
    for (const Case& c : std::vector<Case>{
             {"none", {}, kOrdersTooFewExtrema},
             {"two", {{900, kMax, 90, 2.2}, {850, kMin, 70, 2.2}}, kOrdersTooFewExtrema},
             {"ascending", three(800, 850, 900), kOrdersBadWavelengths},
             {"equal wavelengths", three(900, 850, 850), kOrdersBadWavelengths},
             {"zero wavelength", three(900, 850, 0), kOrdersBadWavelengths},
             {"negative wavelength", three(900, -850, -900), kOrdersBadWavelengths},
             {"wavelength not a number", three(900, nan, 800), kOrdersBadWavelengths},
             {"index 0", withIndex(0.0), badIndex},
             {"negative index", withIndex(-2.2), badIndex},
             {"index not a number", withIndex(nan), badIndex},
             {"index infinite", withIndex(std::numeric_limits<double>::infinity()), badIndex},
             {"maxima only", withKinds(kMax, kMax, kMax), kOrdersOneKind},
             {"minima only", withKinds(kMin, kMin, kMin), kOrdersOneKind},
             {"not alternating", withKinds(kMax, kMin, kMin), kOrdersNotAlternating},
             {"every pair negative", falling, kOrdersNoConsistentThickness},
             {"index huge", withIndex(1e300), kOrdersNoConsistentThickness},
             {"index vanishingly small", withIndex(1e-307), kOrdersNoConsistentThickness},
         }) {
        const FringeOrdersOutcome outcome = FindFringeOrders(c.extrema, 3);
        EXPECT_FALSE(outcome.result) << c.what;
        EXPECT_EQ(outcome.reason, c.reason) << c.what;
    }
}

TEST(FringeOrdersTest, ExactExtremaGiveTheThicknessTheOrdersAndTheIndex) {
    const auto extrema = ExactExtrema();
    const FringeOrdersOutcome outcome = FindFringeOrders(extrema, 2);
    ASSERT_TRUE(outcome.result) << outcome.reason;
    const FringeOrdersResult& r = *outcome.result;
    EXPECT_NEAR(r.thicknessNm, kThickness, 1e-6);
    EXPECT_LT(r.thicknessSdNm, 1e-6);
    EXPECT_EQ(r.used, 16);
    EXPECT_EQ(r.pairsLeftOut, 0);
    EXPECT_FALSE(r.kindsSwapped);
    EXPECT_FALSE(r.orderAmbiguous);
    // Pairs of a dispersive film: the first pass is close, not exact.
    EXPECT_NEAR(r.firstPassNm, kThickness, 0.05 * kThickness);
    ASSERT_EQ(r.rows.size(), extrema.size());
    for (std::size_t i = 0; i < r.rows.size(); ++i) {
        const FringeOrderRow& row = r.rows[i];
        EXPECT_EQ(row.order, 4.5 + 0.5 * static_cast<double>(i));
        EXPECT_TRUE(row.used);
        EXPECT_NEAR(row.n2, extrema[i].n1, 1e-9);
        EXPECT_EQ(row.pairThickness.has_value(), i + 1 < r.rows.size());
        // n = a + b / lambda^2 is one straight line in 1/lambda^2: two terms fit it.
        EXPECT_NEAR(OrdersDispersionIndex(r, row.extremum.lambda), Index(row.extremum.lambda), 1e-9);
    }
    EXPECT_EQ(r.fitTerms, 2);
}

TEST(FringeOrdersTest, MaximaAtHalfOrdersAreFoundWhenTheKindsSaySo) {
    auto extrema = ExactExtrema();
    for (FringeExtremum& e : extrema) {
        e.kind = e.kind == kMax ? kMin : kMax;
        e.trans = e.kind == kMax ? 90.0 : 70.0;  // a maximum stands above the minima beside it
    }
    const FringeOrdersOutcome outcome = FindFringeOrders(extrema, 3);
    ASSERT_TRUE(outcome.result) << outcome.reason;
    EXPECT_TRUE(outcome.result->kindsSwapped);
    EXPECT_NEAR(outcome.result->thicknessNm, kThickness, 1e-6);
    EXPECT_EQ(outcome.result->rows.front().order, 4.5);  // at a "maximum"
}

// Slightly or grossly off (an index read on a bent envelope, a mark on a spike): a
// gross one must not draw the orders away in the search either.
TEST(FringeOrdersTest, OnePoorIndexIsLeftOutAndMovesNothing) {
    for (double factor : {1.05, 1.8, 4.0, 0.4})
        for (std::size_t poor : {std::size_t{0}, std::size_t{7}, std::size_t{15}}) {
            auto extrema = ExactExtrema();
            extrema[poor].n1 *= factor;
            const FringeOrdersOutcome outcome = FindFringeOrders(extrema, 3);
            ASSERT_TRUE(outcome.result) << outcome.reason;
            const FringeOrdersResult& r = *outcome.result;
            const std::string where = std::to_string(factor) + " at " + std::to_string(poor);
            EXPECT_EQ(r.used, 15) << where;
            EXPECT_FALSE(r.rows[poor].used) << where;
            EXPECT_NEAR(r.thicknessNm, kThickness, 1e-6) << where;
            EXPECT_FALSE(r.orderAmbiguous) << where;
            // Its pairs are left out of the first pass as well.
            EXPECT_FALSE(r.rows[poor].pairUsed && poor + 1 < r.rows.size()) << where;
            EXPECT_EQ(r.rows[poor].order, 4.5 + 0.5 * static_cast<double>(poor)) << where;
        }
}

TEST(FringeOrdersTest, ResultLineAndTableCellsSayWhatTheResultHolds) {
    FringeOrdersResult r;
    r.rows.resize(5);
    r.thicknessNm = 999.25, r.thicknessSdNm = 3.0, r.used = 5, r.pairsLeftOut = 0;
    struct Case {
        int used, pairsLeftOut;
        bool swapped, ambiguous;
        char separator;
        std::string line;
    };
    for (const Case& c : std::vector<Case>{
             {5, 0, false, false, '.', "d = 999.2 \u00B1 3.0 nm, 9.9925E-5 cm (5 extrema)"},
             {4, 1, false, false, '.', "d = 999.2 \u00B1 3.0 nm, 9.9925E-5 cm (4 of 5 extrema, 1 pair left out)"},
             {5, 2, true, true, ',',
              "d = 999,2 \u00B1 3,0 nm, 9,9925E-5 cm (5 extrema, 2 pairs left out); maxima at half orders; "
              "orders ambiguous: 1011,5 nm fits almost as well"},
         }) {
        SetDecimalSeparator(c.separator);
        r.used = c.used, r.pairsLeftOut = c.pairsLeftOut, r.kindsSwapped = c.swapped, r.orderAmbiguous = c.ambiguous;
        r.alternativeNm = 1011.46;
        EXPECT_EQ(OrdersResultLine({r, ""}), c.line);
    }
    SetDecimalSeparator('.');
    EXPECT_EQ(OrdersResultLine({std::nullopt, kOrdersOneKind}), kOrdersOneKind);

    // Rounded for reading, every digit for Copy and Save Table; what was left out.
    FringeOrderRow row;
    row.extremum = {812.5, kMin, 68.25, 2.345678901};
    row.pairThickness = -1755.07186;
    row.order = 10.5;
    row.thickness = 2010.35541511348;
    row.n2 = 2.28644137274271;
    EXPECT_EQ(OrdersTableCells(row, false), (std::vector<std::string>{"812.5", "min", "68.25", "2.3457", "-1755.1",
                                                                       "10.5", "2010.4", "2.2864", "d1, d2"}));
    row.pairUsed = row.used = true;
    row.pairThickness.reset();
    EXPECT_EQ(OrdersTableCells(row, true), (std::vector<std::string>{"812.5", "min", "68.25", "2.345678901", "",
                                                                      "10.5", "2010.35541511348", "2.28644137274271",
                                                                      ""}));
}

TEST(FringeOrdersTest, AFirstPassFarOffStillEndsAtTheOrders) {
    // 1000 extrema from 1600 to 400 nm of a film of 78 um with 0.2 % noise on every
    // index: the pairs scatter so much that the first pass comes out about a third too
    // thin, and counted back along so many extrema it proposes no order at all for
    // the first one.
    const double thickness = 78000.0;
    auto index = [](double lambda) { return 1.65 + 1.5e4 / (lambda * lambda); };
    const int first = static_cast<int>(4 * index(1600) * thickness / 1600) + 1;
    synthetic::Gaussian noise(7);
    std::vector<FringeExtremum> extrema;
    for (int h = first; h < first + 1000; ++h) {
        double lambda = 1000;
        for (int i = 0; i < 50; ++i) lambda = 4 * index(lambda) * thickness / h;
        const bool maximum = h % 2 == 0;
        const double n = index(lambda) * (1 + noise.Next(0.002));
        extrema.push_back({lambda, maximum ? kMax : kMin, maximum ? 88.0 : 80.0, n});
    }
    const FringeOrdersOutcome outcome = FindFringeOrders(extrema, 3);
    ASSERT_TRUE(outcome.result) << outcome.reason;
    EXPECT_LT(outcome.result->firstPassNm, 0.75 * thickness) << outcome.result->firstPassNm;
    EXPECT_EQ(outcome.result->rows.front().order, first / 2.0);
    EXPECT_NEAR(outcome.result->thicknessNm, thickness, 0.0005 * thickness);
}

}  // namespace
}  // namespace optc
