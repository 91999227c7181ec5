// Fringe extrema that cannot be extrema are refused with a message naming the first one
// at fault; every list of real fringes passes.
#include "thinfilm/extrema/ExtremaCheck.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace optc {
namespace {

using List = std::vector<CheckedExtremum>;

// Alternating fringes, longest wavelength first, a maximum first.
List Fringes() { return {{900, 90, true}, {850, 60, false}, {800, 89, true}, {750, 58, false}, {700, 88, true}}; }

TEST(ExtremaCheck, EachFaultNamesTheExtremum) {
    const TransRange spectrum{55, 91};
    struct Case {
        const char* what;
        List extrema;
        std::optional<TransRange> range;
        std::string fault;  // empty: none
    };
    auto edited = [](auto change) {
        List e = Fringes();
        change(e);
        return e;
    };
    const Case cases[] = {
        {"real fringes", Fringes(), spectrum, ""},
        {"a vertex a little above the highest point", edited([](List& e) { e[0].trans = 92.5; }), spectrum, ""},
        {"two at one wavelength", edited([](List& e) { e[2].lambda = 850; }), spectrum,
         "Fringe extrema 2 and 3 lie at one wavelength, 850 nm: each extremum must be given once."},
        {"not in order", edited([](List& e) { e[3].lambda = 820; }), spectrum,
         "Fringe extremum 4 (820 nm, T = 58 %) is out of order: the extrema must run from the longest wavelength "
         "to the shortest, and 800 nm comes before it."},
        {"a maximum below the minimum beside it", edited([](List& e) { e[2].trans = 57; }), spectrum,
         "Fringe extremum 3 (800 nm, T = 57 %) is taken for a maximum but does not stand above the minimum beside it "
         "at 850 nm (T = 60 %): the extrema must alternate between maxima and minima."},
        {"a minimum as high as a maximum", edited([](List& e) { e[3].trans = 88; }), spectrum,
         "Fringe extremum 5 (700 nm, T = 88 %) is taken for a maximum but does not stand above the minimum beside it "
         "at 750 nm (T = 88 %): the extrema must alternate between maxima and minima."},
        {"all at one T",
         edited([](List& e) {
             for (auto& x : e) x.trans = 80;
         }),
         std::nullopt, "All fringe extrema have the same T (80 %): they are not fringes."},
        {"above the spectrum", edited([](List& e) { e[4].trans = 97; }), spectrum,
         "Fringe extremum 5 (700 nm, T = 97 %) lies outside the spectrum's own range of T, 55 to 91 %: the extrema "
         "must be those of this spectrum."},
        {"the range is not checked without a spectrum", edited([](List& e) { e[4].trans = 97; }), std::nullopt, ""},
        {"not a number", edited([](List& e) { e[1].trans = std::numeric_limits<double>::quiet_NaN(); }), spectrum,
         "Fringe extremum 2 is not a number."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FringeExtremaFault(c.extrema, c.range).value_or(""), c.fault);
    }
}

// Calculate's lists: the first extremum is a maximum when the second stands lower.
TEST(ExtremaCheck, CalculateSplitsAsItsEnvelopesDo) {
    const std::vector<double> lambda{900, 850, 800, 750}, maxFirst{90, 60, 89, 58}, minFirst{60, 90, 58, 89};
    EXPECT_FALSE(CalculateExtremaFault(lambda, maxFirst, TransRangeOf(maxFirst)));
    EXPECT_FALSE(CalculateExtremaFault(lambda, minFirst, TransRangeOf(minFirst)));
    const std::vector<double> oneOff{90, 60, 59, 58};
    EXPECT_EQ(CalculateExtremaFault(lambda, oneOff, TransRangeOf(oneOff)).value_or("").rfind("Fringe extremum 3", 0),
              0u);
}

}  // namespace
}  // namespace optc
