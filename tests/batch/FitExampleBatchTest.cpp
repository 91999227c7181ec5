// --fit on the shipped example (2000 nm, n = 2.2 + 3e4/lambda^2 on nS 1.52, a direct
// gap at 2.40 eV with an Urbach tail below 2.448 eV, written to four decimals): the
// order search must start from a film that shows its fringes. Over the whole spectrum
// the gap's square-root law is no exponential edge, so the fit is near in d but not
// trusted; from 510 nm on the edge is the model's own and the fit is exact.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/batch/BatchRun.h"
#include "numerics/FloatText.h"
#include "support/SourceTree.h"
#include "support/TempFolder.h"

namespace optc {
namespace {

TEST(FitExampleBatch, TheExamplesThicknessFromTheFitNearTheTruthAndTrustedOnlyWhereTheModelHolds) {
    SetDecimalSeparator('.');
    testing::TempFolder temp{"fit_example_batch"};
    const struct {
        const char* name;
        std::vector<std::string> extra;
        double tolerance;  // of the thickness, relative
        bool trusted;
    } cases[] = {
        {"whole spectrum", {}, 0.002, false},
        {"from 510 nm", {"--fit-from", "510"}, 0.0001, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"thinfilm", "--spectrum", (testing::kExamples / "thinfilm-transmission.txt").string(),
                                         "--ns", "1.52", "--find-extrema", "--fit", "--save", temp.File("film")};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        std::ostringstream out, err;
        RunBatch(args, out, err);
        EXPECT_EQ(err.str(), "");
        const nlohmann::json summary = nlohmann::json::parse(out.str(), nullptr, false);
        ASSERT_FALSE(summary.is_discarded()) << out.str();
        const nlohmann::json& fit = summary["spectrumFit"];
        ASSERT_TRUE(fit.contains("thicknessNm")) << fit.dump();
        EXPECT_NEAR(fit["thicknessNm"].get<double>(), 2000.0, c.tolerance * 2000.0);
        EXPECT_EQ(fit["trusted"].get<bool>(), c.trusted) << fit.dump();
        if (!c.trusted) { EXPECT_FALSE(fit["warnings"].empty()); }
    }
}

}  // namespace
}  // namespace optc
