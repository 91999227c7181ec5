// The fit's result line: every figure rounded as the dialog shows it, and a residual or
// a noise far below a thousandth of a percent still shown with two digits instead of 0.
#include <gtest/gtest.h>

#include "numerics/FloatText.h"
#include "thinfilm/fit/FullSpectrumFitText.h"

namespace optc {
namespace {

TEST(FullSpectrumFitText, TransmissionsKeepTwoDigitsHoweverSmall) {
    SetDecimalSeparator('.');
    const struct {
        double value;
        const char* text;
    } cases[] = {{0.1, "0.1"},          {0.1234, "0.123"},       {2.5, "2.5"},        {0.0125, "0.013"},
                 {0.00999, "0.01"},     {0.00270124, "0.0027"},  {0.000168652, "0.00017"},
                 {2.89e-5, "2.9E-5"}, {0.0, "0"},              {-0.5, "-0.5"}};
    for (const auto& c : cases) EXPECT_EQ(PercentTText(c.value), c.text) << c.value;
}

TEST(FullSpectrumFitText, TheResultLineShowsTheSpreadOnlyWhenItWasFitted) {
    SetDecimalSeparator('.');
    SpectrumFitResult r;
    r.thicknessNm = 1000.04;
    r.thicknessSdNm = 0.094;
    r.spreadNm = 15.02;
    r.spreadSdNm = 0.21;
    r.natNm = 633;
    r.nAtNat = 2.27487;
    r.nAtNatSd = 0.00012;
    r.rmsResidual = 0.1012;
    r.noise = 0.000169;
    SpectrumFitOutcome outcome;
    outcome.result = r;
    EXPECT_EQ(FitResultLine(outcome),
              "d = 1000.040 \u00B1 0.094 nm, n(633 nm) = 2.27487 \u00B1 0.00012, residual 0.101 %T (noise 0.00017 %T)");
    outcome.result->parameters.push_back({FitParameterName(kSpread, r.laws.dispersion), 15.02, 0.21});
    outcome.result->trusted = false;
    EXPECT_EQ(FitResultLine(outcome), "d = 1000.040 \u00B1 0.094 nm, \u0394d = 15.02 \u00B1 0.21 nm, n(633 nm) = "
                                      "2.27487 \u00B1 0.00012, residual 0.101 %T (noise 0.00017 %T): not trusted");
    // A noise-free fit: its tiny deviations keep their digits instead of "± 0".
    outcome.result->thicknessSdNm = 0.00018;
    outcome.result->thicknessNm = 2000.00003;
    EXPECT_EQ(FitResultLine(outcome).substr(0, 28), "d = 2000.00003 \u00B1 0.00018 nm");
    SpectrumFitOutcome failed;
    failed.reason = "The spectrum has no fringes to fit.";
    EXPECT_EQ(FitResultLine(failed), failed.reason);
}

}  // namespace
}  // namespace optc
