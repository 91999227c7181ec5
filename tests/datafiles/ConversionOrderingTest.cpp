#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "numerics/Errors.h"
#include "datafiles/Ordering.h"
#include "datafiles/UnitChoices.h"

namespace optc {
namespace {

struct Pairs {
    std::unique_ptr<SpectrumArray> X = std::make_unique<SpectrumArray>();
    std::unique_ptr<SpectrumArray> Y = std::make_unique<SpectrumArray>();
    int count = 0;
    Pairs(std::initializer_list<double> xs, std::initializer_list<double> ys) {
        int i = 0;
        for (double v : xs) (*X)[++i] = v;
        count = i;
        i = 0;
        for (double v : ys) (*Y)[++i] = v;
    }
};

TEST(UnitConversions, WaveNumbersAndFractions) {
    Pairs p({12500, 20000, 25000}, {0.8, 0.5, 0.25});
    (*p.X)[4] = 30000;  // beyond the count: left alone
    (*p.Y)[4] = 0.9;
    ApplyUnitConversions(*p.X, *p.Y, 3, {true, true});
    EXPECT_EQ((*p.X)[1], 800);
    EXPECT_EQ((*p.X)[3], 400);
    EXPECT_EQ((*p.Y)[1], 80);
    EXPECT_EQ((*p.Y)[3], 25);
    EXPECT_EQ((*p.X)[4], 30000);
    EXPECT_EQ((*p.Y)[4], 0.9);
    // Ascending wave numbers become descending wavelengths.
    EXPECT_EQ(AscendingFlag(*p.X), 0);

    Pairs plain({400, 401}, {80, 81});
    ApplyUnitConversions(*plain.X, *plain.Y, 2, {false, false});
    EXPECT_EQ((*plain.X)[2], 401);
    EXPECT_EQ((*plain.Y)[2], 81);
}

TEST(UnitConversions, ZeroAndTinyAbscissas) {
    // The ordinates are converted first, then the zero wave number stops the work.
    Pairs p({25000, 0, 20000}, {0.8, 0.5, 0.25});
    EXPECT_THROW(ApplyUnitConversions(*p.X, *p.Y, 3, {true, true}), EZeroDivide);
    EXPECT_EQ((*p.Y)[3], 25);
    EXPECT_EQ((*p.X)[1], 400);

    Pairs tiny({1e-310}, {50});
    EXPECT_THROW(ApplyUnitConversions(*tiny.X, *tiny.Y, 1, {true, false}), EOverflow);

    // An import that read nothing converts nothing, zeros and all.
    Pairs empty({0, 0}, {0, 0});
    EXPECT_NO_THROW(ApplyUnitConversions(*empty.X, *empty.Y, 0, {true, true}));
}

TEST(Ordering, LongestWavelengthFirst) {
    auto targetX = std::make_unique<SpectrumArray>();
    auto targetY = std::make_unique<SpectrumArray>();
    SpectrumArray* tx = targetX.get();
    SpectrumArray* ty = targetY.get();

    Pairs ascending({400, 500, 450}, {1, 2, 3});  // only the first two points decide
    (*tx)[4] = 7;
    CopyLongestFirst(*ascending.X, *ascending.Y, *tx, *ty, 3);
    EXPECT_EQ((*tx)[1], 450);
    EXPECT_EQ((*tx)[2], 500);
    EXPECT_EQ((*tx)[3], 400);
    EXPECT_EQ((*ty)[1], 3);
    EXPECT_EQ((*ty)[3], 1);
    EXPECT_EQ((*tx)[4], 7);
    EXPECT_EQ(AscendingFlag(*ascending.X), 1);

    for (auto xs : {std::initializer_list<double>{900, 800, 850}, {900, 900, 950}}) {
        Pairs kept(xs, {1, 2, 3});
        CopyLongestFirst(*kept.X, *kept.Y, *tx, *ty, 3);
        EXPECT_EQ((*tx)[1], 900);
        EXPECT_EQ((*tx)[3], *(xs.begin() + 2));
        EXPECT_EQ((*ty)[1], 1);
        EXPECT_EQ(AscendingFlag(*kept.X), 0);
    }

    // A single point: the cleared second element makes it "descending".
    Pairs single({400}, {80});
    CopyLongestFirst(*single.X, *single.Y, *tx, *ty, 1);
    EXPECT_EQ((*tx)[1], 400);
    EXPECT_EQ((*ty)[1], 80);
}

}  // namespace
}  // namespace optc
