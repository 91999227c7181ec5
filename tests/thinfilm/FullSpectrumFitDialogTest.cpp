// The Fit Spectrum dialog driven through the Thin Films window's logic, on a film of
// the tests' own formula (1000 nm, spread +-15 nm): the result line, the parameter
// table and the charts for each model choice, what the window keeps, "Use This
// Thickness", and the faults: a slit width that is no number, and a cancelled fit that
// leaves everything as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "SyntheticFilm.h"
#include "ThinFilmFixture.h"
#include "thinfilm/fit/FullSpectrumFitForm.h"
#include "thinfilm/fit/FullSpectrumFitText.h"
#include "thinfilm/orders/FringeOrdersText.h"

namespace optc::testing {
namespace {

class FullSpectrumFitDialogTest : public ThinFilmWindowTest {
protected:
    FullSpectrumFitDialogTest() {
        synthetic::Film film;
        film.spreadNm = 15;
        const auto clean = synthetic::Spectrum(film, 400, 1500, 2000, false);
        const auto extrema = synthetic::Extrema(clean, 460);
        ImportSpectrum(synthetic::Spectrum(film, 400, 1500, 2000));
        ImportFringes(extrema);
        Type(form.Const2, "1.52");
        Type(form.Wstart, FloatToStr(extrema.back().first));
        Type(form.Wend, FloatToStr(extrema.front().first));
        Type(form.natx, "633");
        Calculate();
    }
    // Opens the dialog; `inside` is what the user does there before Close.
    void OpenFit(const std::function<void()>& inside) {
        platform.modalScripts.push_back([this, inside](Form& shown) {
            ASSERT_EQ(&shown, &form.Fit);
            inside();
            form.Fit.Dispatch([&] { form.Fit.CloseButton.Click(); });
        });
        User([&] { form.FitSpectrumButton.Click(); });
        EXPECT_TRUE(platform.modalScripts.empty());
    }
    void InFit(const std::function<void()>& event) { form.Fit.Dispatch(event); }
    static const FitParameter* Parameter(const SpectrumFitResult& r, int index, DispersionLaw law) {
        for (const FitParameter& p : r.parameters)
            if (p.name == FitParameterName(index, law)) return &p;
        return nullptr;
    }
    bool HasParameter(const char* name) const {
        for (const auto& row : form.Fit.Table.Rows())
            if (row.front() == name) return true;
        return false;
    }
};

TEST_F(FullSpectrumFitDialogTest, EachModelChoiceReachesTheFitAndTheDialogShowsItsResult) {
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    ASSERT_TRUE(form.FitSpectrumButton.Enabled());
    FullSpectrumFitForm& fit = form.Fit;
    struct Case {
        const char* name;
        std::function<void()> choose;
        bool spread;        // dd among the parameters and in the result line
        DispersionLaw law;  // its parameters' names in the table
        double dTolerance;  // nm from the truth
        const char* reason = nullptr;  // the fit gives no result, but this reason
        const char* windowNs = "1.52";  // nS typed in the window before the dialog opens
    };
    double defaultResidual = 0, defaultD = 0;
    for (const Case& c : std::vector<Case>{
             {"as it opens", [] {}, true, DispersionLaw::Cauchy, 0.5},
             {"no spread", [&] { fit.Spread.Click(); }, false, DispersionLaw::Cauchy, 20},
             // The fringes' maxima give nS, their depth the spread: both free, both found.
             {"nS fitted", [&] { fit.FitSubstrate.Click(); }, true, DispersionLaw::Cauchy, 0.5},
             {"Sellmeier", [&] { fit.Sellmeier.Click(); }, true, DispersionLaw::Sellmeier, 5},
             {"three Cauchy terms", [&] { fit.CauchyThree.Click(); }, true, DispersionLaw::CauchyThree, 0.5},
             {"5 nm slit", [&] { fit.Slit.SetText("5"); }, true, DispersionLaw::Cauchy, 5},
             // No fit can be had: the line gives the fit's reason, nothing else is shown.
             {"nS beyond 5", [] {}, true, DispersionLaw::Cauchy, 0,
              "The fit's options are not valid: nS must lie between 1 and 5.", "7"},
         }) {
        SCOPED_TRACE(c.name);
        Type(form.Const2, c.windowNs);
        OpenFit([&] {
            EXPECT_EQ(fit.ResultLine.Text(), "");
            EXPECT_FALSE(fit.UseThickness.Enabled());
            EXPECT_GT(fit.Measured.Count(), 1000);
            // Calculate's alpha is there to compare with before any fit.
            EXPECT_GT(fit.EnvelopeAlpha.Count(), 0);
            InFit(c.choose);
            InFit([&] { fit.FitButton.Click(); });
            // The window keeps what the dialog fitted, result or reason.
            ASSERT_TRUE(form.Outcome().spectrumFit);
            EXPECT_EQ(form.Outcome().spectrumFit->reason, fit.Outcome().reason);
            if (c.reason) {
                EXPECT_FALSE(fit.Outcome().result);
                EXPECT_EQ(fit.ResultLine.Text(), c.reason);
                EXPECT_TRUE(fit.Table.Rows().empty());
                EXPECT_EQ(fit.Fitted.Count() + fit.Residual.Count() + fit.FitAlpha.Count(), 0);
                EXPECT_FALSE(fit.UseThickness.Enabled() || fit.Copy.Enabled() || fit.SaveTable.Enabled());
                EXPECT_TRUE(fit.FitButton.Enabled());
                return;
            }
            ASSERT_TRUE(fit.Outcome().result) << fit.Outcome().reason;
            const SpectrumFitResult& r = *fit.Outcome().result;
            std::printf("    %s: %s\n", c.name, fit.ResultLine.Text().c_str());
            EXPECT_EQ(fit.ResultLine.Text(), FitResultLine(fit.Outcome()));
            EXPECT_EQ(fit.ResultLine.Text().rfind("d = ", 0), 0u) << fit.ResultLine.Text();
            EXPECT_EQ(fit.ResultLine.Text().find("\u0394d = ") != std::string::npos, c.spread) << fit.ResultLine.Text();
            EXPECT_NEAR(r.thicknessNm, 1000.0, c.dTolerance);
            EXPECT_EQ(HasParameter(FitParameterName(kSpread, c.law)), c.spread);
            // nS is in the table either way: fitted with its deviation, or as typed.
            const FitParameter* nS = Parameter(r, kSubstrate, c.law);
            ASSERT_NE(nS, nullptr);
            if (fit.FitSubstrate.Checked()) {
                EXPECT_NEAR(nS->value, 1.52, 0.002);
                EXPECT_GT(nS->sd, 0.0);
            } else {
                EXPECT_EQ(nS->value, 1.52);
                EXPECT_EQ(nS->sd, 0.0);
            }
            EXPECT_TRUE(HasParameter(FitParameterName(kDispersion1, c.law)));
            EXPECT_EQ(fit.Table.Rows().size(), r.parameters.size() + 1);  // and n at 633 nm
            EXPECT_EQ(fit.Fitted.Count(), static_cast<int>(r.points.size()));
            EXPECT_EQ(fit.Residual.Count(), static_cast<int>(r.points.size()));
            EXPECT_GT(fit.FitAlpha.Count(), 0);
            EXPECT_TRUE(fit.UseThickness.Enabled() && fit.Copy.Enabled() && fit.FitButton.Enabled());
            EXPECT_FALSE(fit.Cancel.Enabled());
            ASSERT_TRUE(form.Outcome().spectrumFit->result);
            EXPECT_EQ(form.Outcome().spectrumFit->result->thicknessNm, r.thicknessNm);
            InFit([&] { fit.Copy.Click(); });
            EXPECT_EQ(platform.clipboard.substr(0, 15), "Wavelength, nm\t");
            if (std::string(c.name) == "as it opens") {
                defaultResidual = r.rmsResidual, defaultD = r.thicknessNm;
            } else if (!c.spread) {
                // A spread the model leaves out shows in the residual.
                EXPECT_GT(r.rmsResidual, 3 * defaultResidual);
            } else {
                EXPECT_NE(r.thicknessNm, defaultD);
            }
        });
        // The choices stay for the next showing; put them back.
        InFit([&] {
            fit.Spread.SetChecked(true);
            fit.FitSubstrate.SetChecked(false);
            fit.Cauchy.Click();
            fit.Slit.SetText("0");
        });
        Type(form.Const2, "1.52");
    }

    // Use This Thickness types the fitted thickness, as the user would, and closes.
    const std::string before = form.thickness.Text();
    double used = 0;
    platform.modalScripts.push_back([&](Form&) {
        InFit([&] { fit.FitButton.Click(); });
        ASSERT_TRUE(fit.Outcome().result);
        used = fit.Outcome().result->thicknessNm;
        InFit([&] { fit.UseThickness.Click(); });
    });
    User([&] { form.FitSpectrumButton.Click(); });
    EXPECT_TRUE(form.FixThickness.Checked());
    EXPECT_TRUE(form.thickness.Enabled());
    EXPECT_EQ(form.thickness.Text(), ThicknessCmText(used));
    EXPECT_NE(form.thickness.Text(), before);
}

// A slit width that is no number, or below 0, or a fitted range that is no range, stops
// with a message naming what the boxes hold; a fit cancelled while it runs says so. Either way the window keeps the fit it had and
// its thickness entry, and the dialog is ready to fit again.
TEST_F(FullSpectrumFitDialogTest, BadSlitAndCancelLeaveEverythingAsItWas) {
    FullSpectrumFitForm& fit = form.Fit;
    OpenFit([&] { InFit([&] { fit.FitButton.Click(); }); });
    ASSERT_TRUE(form.Outcome().spectrumFit && form.Outcome().spectrumFit->result);
    const double kept = form.Outcome().spectrumFit->result->thicknessNm;
    const std::string thickness = form.thickness.Text();
    struct Case {
        const char* name;
        const char* slit;
        bool cancel;
        const char* line;     // the result line after Fit
        const char* message;  // the start of the message shown, "" for none
        const char* from = "";
        const char* to = "";
    };
    const char* const badRange = "The fitted range (nm) must be empty (the spectrum's end) or numbers above 0";
    for (const Case& c : std::vector<Case>{
             {"letters", "abc", false, "", "The slit width (nm) must be a number of 0 or more"},
             {"negative", "-1", false, "", "The slit width (nm) must be a number of 0 or more"},
             {"not finite", "1e999", false, "", "The slit width (nm) must be a number of 0 or more"},
             {"range reversed", "0", false, "", badRange, "900", "500"},
             {"range from letters", "0", false, "", badRange, "abc", ""},
             {"range to 0", "0", false, "", badRange, "", "0"},
             {"cancelled", "0", true, kFitCancelled, ""},
         }) {
        SCOPED_TRACE(c.name);
        platform.messages.clear();
        OpenFit([&] {
            // The user's Cancel arrives while the fit runs.
            fit.SetRunner([&](std::function<SpectrumFitOutcome()> work, std::function<void(SpectrumFitOutcome)> done) {
                EXPECT_TRUE(fit.Cancel.Enabled());
                EXPECT_FALSE(fit.FitButton.Enabled() || fit.Spread.Enabled() || fit.Slit.Enabled());
                if (c.cancel) fit.Cancel.Click();
                done(work());
            });
            InFit([&] { fit.Slit.SetText(c.slit); });
            InFit([&] { fit.FitFrom.SetText(c.from); });
            InFit([&] { fit.FitTo.SetText(c.to); });
            InFit([&] { fit.FitButton.Click(); });
            fit.SetRunner({});
            EXPECT_EQ(fit.ResultLine.Text(), c.line);
            if (*c.message) {
                ASSERT_EQ(platform.messages.size(), 1u);
                EXPECT_EQ(platform.messages[0].rfind(c.message, 0), 0u) << platform.messages[0];
                const std::string held = *c.from || *c.to ? std::string("\"") + c.from + "\" and \"" + c.to + "\""
                                                          : std::string("\"") + c.slit + "\"";
                EXPECT_NE(platform.messages[0].find(held), std::string::npos) << platform.messages[0];
            } else {
                EXPECT_TRUE(platform.messages.empty());
            }
            EXPECT_FALSE(fit.Outcome().result);
            EXPECT_FALSE(fit.UseThickness.Enabled() || fit.Copy.Enabled() || fit.SaveTable.Enabled());
            EXPECT_EQ(fit.Fitted.Count(), 0);
            EXPECT_TRUE(fit.FitButton.Enabled() && fit.Slit.Enabled());
            EXPECT_FALSE(fit.Cancel.Enabled());
            InFit([&] { fit.Slit.SetText("0"); });
            InFit([&] { fit.FitFrom.SetText(""); });
            InFit([&] { fit.FitTo.SetText(""); });
        });
        ASSERT_TRUE(form.Outcome().spectrumFit && form.Outcome().spectrumFit->result);
        EXPECT_EQ(form.Outcome().spectrumFit->result->thicknessNm, kept);
        EXPECT_EQ(form.thickness.Text(), thickness);
    }
}

// The parameter table shows each value to the second significant digit of its
// deviation, and a held parameter as it is, whatever the sizes.
TEST(FitParameterRowsTest, ValuesToTheDeviationsSecondDigit) {
    SetDecimalSeparator('.');
    const struct {
        double value, sd;
        const char *valueText, *sdText;
    } cases[] = {
        {2001.12300273236, 3.56280304705128, "2001.1", "3.6"},
        {29959.4471075691, 143.51954996175, "29959", "144"},
        {2.19881415299929, 0.00391372952673343, "2.1988", "0.0039"},
        {0.102779019005678, 0.000391723252886138, "0.10278", "0.00039"},
        {0.0, 5.44163621109777, "0.0", "5.4"},
        {1000.0000273, 0.000182, "1000.00003", "0.00018"},
        {-1.25, 0.1, "-1.25", "0.10"},
        {1.52, 0.0, "1.52", "0"},
    };
    SpectrumFitResult r;
    for (const auto& c : cases) r.parameters.push_back({"p", c.value, c.sd});
    r.natNm = 633;
    r.nAtNat = 2.27358397974165;
    r.nAtNatSd = 0.00405160441915593;
    const auto rows = FitParameterRows(r);
    ASSERT_EQ(rows.size(), std::size(cases) + 1);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i], (std::vector<std::string>{"p", cases[i].valueText, cases[i].sdText}));
    }
    EXPECT_EQ(rows.back(), (std::vector<std::string>{"n(633 nm)", "2.2736", "0.0041"}));
}

}  // namespace
}  // namespace optc::testing
