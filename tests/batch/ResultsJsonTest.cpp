// The numeric "results" of the examples' summaries: the figures of the guide's
// walk-through (a 2.0e-4 cm film with a 2.40 eV gap, a plate with a 3.50 eV gap),
// each number agreeing with the text the window shows, null where there is none.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/batch/BatchRun.h"
#include "numerics/FloatText.h"
#include "numerics/TaucGap.h"
#include "support/SourceTree.h"
#include "support/TempFolder.h"

namespace optc {
namespace {

using Json = nlohmann::json;

std::optional<double> Number(const Json& value) {
    return value.is_null() ? std::nullopt : std::optional<double>(value.get<double>());
}

TEST(ResultsJson, TheExamplesGiveTheirNumbersBesideTheTexts) {
    SetDecimalSeparator('.');
    testing::TempFolder temp{"results_json"};
    const auto example = [](const char* name) { return (testing::kExamples / name).string(); };
    struct Case {
        std::vector<std::string> args;
        std::optional<double> thicknessNm;  // expected, within the tolerance
        double thicknessTolerance;
        std::optional<double> egEv;
        bool n;  // n at 633 nm reported
    };
    const std::string T = example("thinfilm-transmission.txt"), F = example("thinfilm-fringes.txt");
    const std::string B = example("bulk-transmission.txt");
    const std::vector<Case> cases = {
        {{"thinfilm", "--spectrum", T, "--fringes", F, "--ns", "1.52", "--direct", "--eg", "2.45", "2.7"},
         2000, 60, 2.40, true},
        {{"thinfilm", "--spectrum", T, "--find-extrema", "--ns", "1.52", "--direct", "--eg", "2.45", "2.7"},
         2000, 60, 2.40, true},
        {{"thinfilm", "--spectrum", T, "--fringes", F, "--ns", "1.52", "--no-estimate", "--thickness", "0.0002"},
         2000, 1e-9, std::nullopt, false},
        // Calculate stopped: no number at all.
        {{"thinfilm", "--spectrum", T, "--fringes", F, "--ns", "0"}, std::nullopt, 0, std::nullopt, false},
        {{"bulk", "--spectrum", B, "--constant-r", "4", "--thickness", "0.1", "--eg", "3.55", "3.8"},
         1e6, 1e-6, 3.49, false},
        {{"bulk", "--spectrum", B, "--constant-n", "1.5", "--thickness", "0"}, std::nullopt, 0, std::nullopt, false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--save", temp.File("run")});
        SCOPED_TRACE(args[3]);
        std::ostringstream out, err;
        RunBatch(args, out, err);
        const Json summary = Json::parse(out.str());
        const Json& results = summary.at("results");
        ASSERT_EQ(results.size(), 7u) << results;
        const auto nm = Number(results.at("thicknessNm")), cm = Number(results.at("thicknessCm"));
        const auto n = Number(results.at("n")), eg = Number(results.at("egEv"));
        ASSERT_EQ(nm.has_value(), c.thicknessNm.has_value());
        ASSERT_EQ(cm.has_value(), c.thicknessNm.has_value());
        EXPECT_EQ(eg.has_value(), c.egEv.has_value());
        EXPECT_EQ(n.has_value(), c.n);
        EXPECT_EQ(Number(results.at("natNm")).has_value(), c.n);
        if (nm) {
            EXPECT_NEAR(*nm, *c.thicknessNm, c.thicknessTolerance);
            EXPECT_NEAR(*nm, *cm * 1e7, 1e-9 * *nm);
            // The window's text is d in cm to nine decimals.
            if (args[0] == "thinfilm") {
                EXPECT_EQ(FloatToStr(std::round(*cm * 1e9) / 1e9), summary["thickness"]);
            }
        }
        if (n) {
            EXPECT_EQ(FloatToStr(std::trunc(*n * 1e4) / 1e4), summary["n633show"]);
            EXPECT_EQ(results["natNm"], 633);
        }
        // The gap's standard error and R² come with the gap and only with it.
        const auto sd = Number(results.at("egSdEv")), r2 = Number(results.at("egR2"));
        EXPECT_EQ(sd.has_value(), eg.has_value());
        EXPECT_EQ(r2.has_value(), eg.has_value());
        if (sd) {
            EXPECT_TRUE(*sd > 0.0 && *sd < 0.2) << *sd;
        }
        if (r2) {
            EXPECT_TRUE(*r2 > 0.5 && *r2 <= 1.0) << *r2;
        }
        if (eg) {
            EXPECT_NEAR(*eg, *c.egEv, 0.01);
            EXPECT_EQ(FloatToStr(TruncatedGap(*eg)), summary["EgOutput"]);
        }
    }
}

}  // namespace
}  // namespace optc
