// Matching of typed bounds against the curve, and the text of the shown gap.
#include <gtest/gtest.h>

#include "numerics/FloatText.h"
#include "numerics/TaucGap.h"

namespace optc {
namespace {

struct Case {
    double v, x;
    bool match;
};

TEST(TaucMatching, EnergiesAgreeToTheHundredthInExtendedPrecision) {
    // 2.3 and 1.2 are stored just below their decimal value: in extended precision
    // 100*x stays below 230 or 120. A product in double rounds 1.2*100 up to 120 and
    // picks the wrong hundredth.
    for (Case c : {Case{2.2531, 2.25, true}, Case{2.2599, 2.25, true}, Case{2.2631, 2.25, false},
                   Case{2.2931, 2.3, true}, Case{2.3031, 2.3, false}, Case{2.3531, 2.35, true},
                   Case{2.3431, 2.35, false}, Case{1.1931, 1.2, true}, Case{1.2031, 1.2, false},
                   Case{0.0, 0.0, true}})
        EXPECT_EQ(EnergyMatches(c.v, c.x), c.match) << c.v << " vs " << c.x;
}

TEST(TaucMatching, ThinFilmOrdinatesAgreeToTheTen) {
    for (OrdinateEdit e : {OrdinateEdit::Ytauc1, OrdinateEdit::Ytauc2})
        for (Case c : {Case{51, 57, true}, Case{59.9, 50, true}, Case{49.9, 57, false}, Case{5, 10, false},
                       Case{10, 10, true}, Case{9.99, 0.5, true}})
            EXPECT_EQ(OrdinateMatches(c.v, c.x, OrdinateMatch::Tens, e), c.match) << c.v << " vs " << c.x;
}

TEST(TaucMatching, BulkOrdinateBandFollowsTheTypedValue) {
    for (OrdinateEdit e : {OrdinateEdit::Ytauc1, OrdinateEdit::Ytauc2})
        for (Case c : {Case{5.53, 5.57, true}, Case{5.61, 5.57, false}, Case{57.9, 57.3, true},
                       Case{58.1, 57.3, false}, Case{575, 573, true}, Case{581, 573, false},
                       Case{100, 100, true}, Case{109.9, 100, true}, Case{99.9, 100, false},
                       Case{0.25, 0.3, true}, Case{0.31, 0.3, false}})
            EXPECT_EQ(OrdinateMatches(c.v, c.x, OrdinateMatch::Banded, e), c.match) << c.v << " vs " << c.x;
}

TEST(TaucMatching, TypedTenIsTenthsForYtauc1AndTensForYtauc2) {
    const auto y1 = [](double v) { return OrdinateMatches(v, 10, OrdinateMatch::Banded, OrdinateEdit::Ytauc1); };
    const auto y2 = [](double v) { return OrdinateMatches(v, 10, OrdinateMatch::Banded, OrdinateEdit::Ytauc2); };
    EXPECT_TRUE(y1(10.05));
    EXPECT_FALSE(y1(10.5));
    EXPECT_FALSE(y1(9.99));
    for (double v : {10.0, 10.5, 15.0, 19.99}) EXPECT_TRUE(y2(v)) << v;
    for (double v : {9.99, 20.0}) EXPECT_FALSE(y2(v)) << v;
}

TEST(TaucGapText, ShownGapIsTruncatedToFourDecimals) {
    SetDecimalSeparator('.');
    EXPECT_EQ(FloatToStr(TruncatedGap(2.34567)), "2.3456");
    EXPECT_EQ(FloatToStr(TruncatedGap(-0.12345)), "-0.1234");
    EXPECT_EQ(FloatToStr(TruncatedGap(2.99999)), "2.9999");
    EXPECT_EQ(FloatToStr(TruncatedGap(3.0)), "3");
    SetDecimalSeparator(',');
    EXPECT_EQ(FloatToStr(TruncatedGap(1.25)), "1,25");
    SetDecimalSeparator('.');
}

}  // namespace
}  // namespace optc
