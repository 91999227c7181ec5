// Calculate: the three sources of reflection, zero transmissions, the resampling onto
// a common grid, the input messages and the refusals of the resampling.
#include <cmath>
#include <functional>

#include "BulkFixture.h"
#include "bulk/BulkCalculation.h"

namespace optc::testing {
namespace {

// The parabola through three points, evaluated at x (Lagrange form), as an
// independent check of the window fits.
double Parabola(double x0, double y0, double x1, double y1, double x2, double y2, double x) {
    return y0 * (x - x1) * (x - x2) / ((x0 - x1) * (x0 - x2)) + y1 * (x - x0) * (x - x2) / ((x1 - x0) * (x1 - x2)) +
           y2 * (x - x0) * (x - x1) / ((x2 - x0) * (x2 - x1));
}

class Calculation : public BulkWindowTest {
protected:
    void SetT(std::initializer_list<std::pair<double, double>> points) {
        SetSpectrum(data->SpecLambda, data->SpecTrans, data->SpecCount, points);
    }
    void SetR(std::initializer_list<std::pair<double, double>> points) {
        SetSpectrum(data->ReflLambda, data->ReflValue, data->ReflCount, points);
    }
    void UseReflectionSpectrum() {
        User([&] { form.InpR.Click(); });  // initial state -> both unchecked
        ASSERT_FALSE(form.InpN.Checked());
        ASSERT_FALSE(form.InpR.Checked());
    }
    void UseConstantN() {
        User([&] { form.InpR.Click(); });
        User([&] { form.InpN.Click(); });
        ASSERT_TRUE(form.InpN.Checked());
    }
    bool GapEditsEnabled() {
        return form.Estart.Enabled() && form.Eend.Enabled() && form.Ytauc1.Enabled() && form.Ytauc2.Enabled();
    }
};

TEST_F(Calculation, ConstantReflectionWithTheInitialEntries) {
    SetT({{600, 50}, {500, 0}, {400, 80}, {0, 50}});
    Calculate();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    EXPECT_EQ(data->AbsCount, 4);
    EXPECT_EQ(data->SampleThickness, 1.0);
    // 50 %: ln(0.6724 / 0.5).
    EXPECT_NEAR(data->Absorption[1], 0.296245303112269, 1e-14);
    EXPECT_NEAR(data->TaucEnergy[1], 2.06638333333333, 1e-13);
    EXPECT_EQ(data->AbsEnergy[1], data->TaucEnergy[1]);
    EXPECT_NEAR(data->TaucDirect[1], 0.374735405329166, 1e-14);
    EXPECT_NEAR(data->TaucIndirect[1], 0.782404215817805, 1e-14);
    // 0 % counts as 1e-7, and the fraction shows it.
    EXPECT_DOUBLE_EQ(data->TransFraction[2], 1e-7);
    EXPECT_NEAR(data->Absorption[2], 15.7211937735106, 1e-12);
    // Above (1 - R)^2 the absorption is negative; the indirect ordinate takes |a E|.
    EXPECT_NEAR(data->Absorption[3], -0.173758326133467, 1e-14);
    EXPECT_NEAR(data->TaucIndirect[3], 0.733878030550813, 1e-14);
    // A wavelength of 0: no energy and no Tauc ordinates, but an absorption.
    EXPECT_EQ(data->TaucEnergy[4], 0.0);
    EXPECT_EQ(data->AbsEnergy[4], 0.0);
    EXPECT_EQ(data->TaucDirect[4], 0.0);
    EXPECT_EQ(data->TaucIndirect[4], 0.0);
    EXPECT_NEAR(data->Absorption[4], 0.296245303112269, 1e-14);
    EXPECT_TRUE(GapEditsEnabled());
}

TEST_F(Calculation, ConstantRefractiveIndexTreatsZeroTransmissionAs1e4) {
    SetT({{600, 50}, {500, 0}});
    UseConstantN();  // n 2 against n0 1: R = 1/9, (1 - R)^2 = 64/81
    User([&] { form.Thickness.SetText("2"); });
    Calculate();
    ASSERT_TRUE(platform.log.empty());
    EXPECT_NEAR(data->Absorption[1], std::log((64.0 / 81.0) / 0.5) / 2, 1e-14);
    EXPECT_NEAR(data->Absorption[2], std::log((64.0 / 81.0) / 1e-4) / 2, 1e-13);
    EXPECT_EQ(data->TransFraction[2], 0.0);  // no substitution kept in the fraction
    EXPECT_EQ(data->SampleThickness, 2.0);

    // n = n0: no reflection, a = -ln(T) / d.
    User([&] { form.Refrn633.SetText("1,5"); });
    SetDecimalSeparator(',');
    User([&] { form.Const1.SetText("1,5"); });
    User([&] { form.Thickness.SetText("1"); });
    Calculate();
    ASSERT_TRUE(platform.log.empty());
    EXPECT_NEAR(data->Absorption[1], -std::log(0.5), 1e-15);
}

TEST_F(Calculation, ConstantRefractiveIndexOppositeToTheEnvironmentIsRefused) {
    // n = -n0 would divide by zero in R; no real medium has a negative index.
    SetT({{600, 50}});
    UseConstantN();
    User([&] { form.Refrn633.SetText("-1"); });
    Calculate();
    EXPECT_EQ(platform.messages, (std::vector<std::string>{"Enter valid value of Refractive Index"}));
    EXPECT_TRUE(platform.errors.empty());
    EXPECT_FALSE(GapEditsEnabled());
}

// A point's energy is stored before its absorption is computed: a failure at point 3
// leaves the energies of points 1 to 3, and none of point 4.
TEST_F(Calculation, AFailingPointKeepsItsEnergy) {
    struct Case {
        const char* source;
        std::function<void()> choose;  // from the source of the case before
        const char* thickness;
        const char* error;
    };
    const Case cases[] = {
        // 1/d = 1e307 times ln(1e10) overflows at the 1e-8 % point.
        {"constant R", [&] { User([&] { form.Refl.SetText("0"); }); }, "1e-307", "Floating point overflow"},
        {"constant n", [&] { UseConstantN(); User([&] { form.Refrn633.SetText("1"); }); }, "1e-307",
         "Floating point overflow"},
        // A reflection of 100 % leaves nothing to take the logarithm of.
        {"reflection spectrum",
         [&] {
             User([&] { form.InpN.Click(); });
             SetR({{800, 10}, {700, 10}, {600, 100}, {500, 10}});
         },
         "1", "Floating point division by zero"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        ClearLog();
        SetT({{800, 100}, {700, 100}, {600, 1e-8}, {500, 100}});
        c.choose();
        User([&] { form.Thickness.SetText(c.thickness); });
        Calculate();
        EXPECT_EQ(platform.errors, std::vector<std::string>{c.error});
        for (int i = 1; i <= 3; ++i) EXPECT_EQ(data->AbsEnergy[i], 1239.83 / (900 - 100 * i)) << i;
        EXPECT_EQ(data->AbsEnergy[4], 0.0);
    }
}

TEST_F(Calculation, SpectrumOnTheTransmissionGridIsTakenIndexByIndex) {
    // Equal counts, first, second and last wavelengths: one grid, though the inner
    // wavelength 600/620 differs.
    SetT({{800, 50}, {700, 50}, {600, 0}, {500, 40}});
    SetR({{800, 10}, {700, 20}, {620, 30}, {500, 100}});
    UseReflectionSpectrum();
    data->ReflValue[4] = 40;
    Calculate();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    EXPECT_EQ(data->AbsCount, 4);
    EXPECT_EQ(data->GridLambda[1], 0.0);  // no common grid built
    EXPECT_NEAR(data->Absorption[1], std::log(0.81 / 0.5), 1e-14);
    EXPECT_NEAR(data->Absorption[2], std::log(0.64 / 0.5), 1e-14);
    EXPECT_NEAR(data->Absorption[3], std::log(0.49 / 1e-7), 1e-12);
    EXPECT_NEAR(data->Absorption[4], std::log(0.36 / 0.4), 1e-14);

    // A reflection of exactly 100 % is the logarithm of 0.
    data->ReflValue[4] = 100;
    Calculate();
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"Floating point division by zero"}));
}

TEST_F(Calculation, ADifferentFirstWavelengthMeansTwoGrids) {
    SetT({{800, 50}, {700, 50}, {600, 50}, {500, 50}});
    SetR({{800.0000000001, 10}, {700, 20}, {600, 30}, {500, 40}});
    EXPECT_FALSE(ShareGrid(*data));
    UseReflectionSpectrum();
    Calculate();
    ASSERT_TRUE(platform.log.empty());
    EXPECT_NE(data->GridLambda[1], 0.0);
}

TEST_F(Calculation, WorkedResamplingExample) {
    SetT({{800, 10}, {700, 40}, {600, 20}, {500, 60}});
    SetR({{750, 30}, {650, 10}, {550, 25}, {450, 5}});
    UseReflectionSpectrum();
    Calculate();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    ASSERT_EQ(data->AbsCount, 4);
    const double grid[] = {750, 675, 600, 525};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_DOUBLE_EQ(data->GridLambda[i], grid[i - 1]) << i;
        EXPECT_EQ(data->GridReflLambda[i], data->GridLambda[i]) << i;
    }
    EXPECT_EQ(data->GridLambda[5], 0.0);
    // Transmission: 750 and 675 from 800/700/600, 600 and 525 from 700/600/500.
    EXPECT_NEAR(data->GridTrans[1], 31.25, 1e-9);
    EXPECT_NEAR(data->GridTrans[2], Parabola(800, 10, 700, 40, 600, 20, 675), 1e-9);
    EXPECT_NEAR(data->GridTrans[3], Parabola(700, 40, 600, 20, 500, 60, 600), 1e-9);
    EXPECT_NEAR(data->GridTrans[4], Parabola(700, 40, 600, 20, 500, 60, 525), 1e-9);
    // Reflection: 750, 675, 600 from 750/650/550, 525 from 650/550/450.
    EXPECT_NEAR(data->GridRefl[1], 30, 1e-9);
    EXPECT_NEAR(data->GridRefl[2], Parabola(750, 30, 650, 10, 550, 25, 675), 1e-9);
    EXPECT_NEAR(data->GridRefl[3], Parabola(750, 30, 650, 10, 550, 25, 600), 1e-9);
    EXPECT_NEAR(data->GridRefl[4], Parabola(650, 10, 550, 25, 450, 5, 525), 1e-9);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_NEAR(data->TaucEnergy[i], 1239.83 / grid[i - 1], 1e-12);
        double r = data->GridRefl[i] / 100, t = data->GridTrans[i] / 100;
        EXPECT_NEAR(data->Absorption[i], std::log((1 - r) * (1 - r) / std::fabs(t)), 1e-12) << i;
    }
    EXPECT_TRUE(GapEditsEnabled());
}

TEST_F(Calculation, AWindowWhoseIntervalWasSkippedStillYieldsOnePoint) {
    // h = 50 (300 nm over 6 points); 700/695/690 is narrower than a step. After 700,
    // x = 650 lies below that window's interval but above the point after it (600),
    // so that window gives 650 by extrapolation, and the next window starts at 600.
    SetT({{800, 10}, {700, 40}, {695, 42}, {690, 41}, {600, 20}, {500, 60}});
    SetR({{750, 30}, {650, 10}, {550, 25}, {450, 5}});
    UseReflectionSpectrum();
    Calculate();
    ASSERT_TRUE(platform.log.empty());
    ASSERT_EQ(data->AbsCount, 5);
    const double grid[] = {750, 700, 650, 600, 550};
    for (int i = 1; i <= 5; ++i) EXPECT_DOUBLE_EQ(data->GridLambda[i], grid[i - 1]) << i;
    EXPECT_NEAR(data->GridTrans[2], Parabola(800, 10, 700, 40, 695, 42, 700), 1e-9);
    // Extrapolated from a narrow window: the fit is ill-conditioned there.
    EXPECT_NEAR(data->GridTrans[3], Parabola(700, 40, 695, 42, 690, 41, 650), 1e-3);
    EXPECT_NEAR(data->GridTrans[4], Parabola(695, 42, 690, 41, 600, 20, 600), 1e-6);
    EXPECT_NEAR(data->GridTrans[5], Parabola(690, 41, 600, 20, 500, 60, 550), 1e-6);
}

TEST_F(Calculation, TransmissionWhollyAboveTheReflectionGivesNoPoints) {
    SetT({{1000, 50}, {900, 50}, {800, 50}});
    SetR({{700, 10}, {600, 10}, {500, 10}});
    UseReflectionSpectrum();
    Calculate();
    EXPECT_TRUE(platform.log.empty());
    EXPECT_EQ(data->AbsCount, 0);
    EXPECT_TRUE(GapEditsEnabled());
}

TEST_F(Calculation, ElementAfterAShorterReflectionFileCountsAsZero) {
    SetT({{800, 10}, {700, 40}, {600, 20}, {500, 60}});
    ImportR(WriteFile("long.txt", Pairs({{900, 1}, {800, 1}, {700, 1}, {600, 1}, {550, 1}})));
    ImportR(WriteFile("short.txt", Pairs({{750, 30}, {650, 10}, {550, 25}, {450, 5}})));
    ASSERT_EQ(data->ReflLambda[5], 550);  // left from the longer file
    Calculate();
    ASSERT_TRUE(platform.log.empty());
    // The last window still yields 525 nm although 525 < 550.
    EXPECT_EQ(data->AbsCount, 4);
    EXPECT_NEAR(data->GridRefl[4], Parabola(650, 10, 550, 25, 450, 5, 525), 1e-9);
}

TEST_F(Calculation, ResamplingRefusesWhatItCannotGrid) {
    UseReflectionSpectrum();
    const std::vector<std::string> refused{kResampleRefusedMessage};
    // Two reflection points.
    SetT({{800, 50}, {700, 50}, {600, 50}});
    SetR({{750, 10}, {650, 10}});
    Calculate();
    EXPECT_EQ(platform.messages, refused);
    EXPECT_EQ(data->AbsCount, 0);
    EXPECT_FALSE(GapEditsEnabled());
    // Equal first and last wavelengths: a step of 0.
    ClearLog();
    SetR({{700, 10}, {650, 10}, {700, 10}});
    Calculate();
    EXPECT_EQ(platform.messages, refused);
    // A descending grid step (first wavelength below the last).
    ClearLog();
    SetR({{600, 10}, {650, 10}, {700, 10}});
    Calculate();
    EXPECT_EQ(platform.messages, refused);
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(Calculation, GridBeyondTheCapacityIsRefused) {
    // A step of a thousandth of a nm (a reflection spectrum that returns to its first
    // wavelength) over a million nm in both passes.
    SetT({{1e6, 50}, {5e5, 50}, {1, 50}});
    SetR({{1e6, 10}, {2, 10}, {1, 10}, {1e6 - 0.004, 10}});
    UseReflectionSpectrum();
    Calculate();
    EXPECT_EQ(platform.messages, (std::vector<std::string>{kGridCapacityMessage}));
    EXPECT_EQ(data->AbsCount, 0);
    EXPECT_FALSE(GapEditsEnabled());

    // Only one pass would run beyond the capacity: the common grid is the other's.
    ClearLog();
    SetR({{1e6, 10}, {1e6 - 0.001, 10}, {1e6 - 0.003, 10}});
    Calculate();
    EXPECT_TRUE(platform.log.empty());
    EXPECT_EQ(data->AbsCount, 3);
    EXPECT_NEAR(data->GridLambda[kCapacity], 1e6 - (kCapacity - 1) * 0.001, 1e-3);

    // A step below the resolution of the wavelengths leaves x where it is; the grid
    // would never end.
    ClearLog();
    SetT({{3e17, 50}, {1.5e17, 50}, {1, 50}});
    SetR({{3e17, 10}, {3e17 - 128, 10}, {3e17 - 64, 10}});
    Calculate();
    EXPECT_EQ(platform.messages, (std::vector<std::string>{kGridCapacityMessage}));
}

TEST_F(Calculation, ExactlyOneEmptySpectrumIsAFloatingPointError) {
    UseReflectionSpectrum();
    SetT({{800, 50}, {700, 50}, {600, 50}});
    Calculate();  // no reflection spectrum
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"Floating point division by zero"}));
    ClearLog();
    SetT({});
    SetR({{800, 50}, {700, 50}, {600, 50}});
    Calculate();
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"Floating point division by zero"}));
    // Both empty: one grid, nothing to compute.
    ClearLog();
    SetR({});
    Calculate();
    EXPECT_TRUE(platform.log.empty());
    EXPECT_EQ(data->AbsCount, 0);
    EXPECT_TRUE(GapEditsEnabled());
}

TEST_F(Calculation, InputMessagesStopAndKeepWhatWasThere) {
    SetT({{600, 50}, {500, 40}});
    Calculate();
    User([&] { form.RadioButton2.Click(); });  // absorption graph
    ASSERT_EQ(form.Series2.Count(), 2);
    form.EgOutput.SetText("2.5");
    data->GraphMode = 1;
    data->TransCoef[0] = 7;

    // The constant R (the source at start) is checked too; the indices whatever the source.
    struct Case {
        Edit* edit;
        const char* text;
        const char* message;
    } cases[] = {{&form.Thickness, "0", "Wrong thickness value!"},
                 {&form.Thickness, "-0.1", "Wrong thickness value!"},
                 {&form.Refrn633, "0", "Enter valid value of Refractive Index"},
                 {&form.Refrn633, "-2", "Enter valid value of Refractive Index"},
                 {&form.Const1, "0", "Enter valid values of Environmental Refractive Indexes"},
                 {&form.Const1, "-1", "Enter valid values of Environmental Refractive Indexes"},
                 {&form.Refl, "-0.5", kReflectionRangeMessage},
                 {&form.Refl, "100", kReflectionRangeMessage},
                 {&form.Refl, "250", kReflectionRangeMessage}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.edit->Name()) + " " + c.text);
        ClearLog();
        SetT({{800, 50}, {700, 50}, {600, 50}});
        const std::string typed = c.edit->Text();
        User([&] { c.edit->SetText(c.text); });
        Calculate();
        EXPECT_EQ(platform.messages, (std::vector<std::string>{c.message}));
        // Done before the checks: stays done.
        EXPECT_EQ(data->GraphMode, 0);
        EXPECT_EQ(form.EgOutput.Text(), "");
        EXPECT_EQ(data->Absorption[1], 0.0);
        // Not reached: as before.
        EXPECT_EQ(data->AbsCount, 2);
        EXPECT_EQ(data->SampleThickness, 1.0);
        EXPECT_EQ(data->TransCoef[0], 7.0);
        EXPECT_TRUE(form.RadioButton2.Checked());
        EXPECT_EQ(form.Series2.Count(), 2);
        User([&] { c.edit->SetText(typed); });
        form.EgOutput.SetText("2.5");
        data->GraphMode = 1;
    }
    // No reflection at all is a reflection too.
    ClearLog();
    User([&] { form.Refl.SetText("0"); });
    Calculate();
    EXPECT_TRUE(platform.log.empty());
    EXPECT_EQ(data->AbsCount, 3);
}

TEST_F(Calculation, ANonNumberEndsWithTheConversionError) {
    SetT({{600, 50}});
    User([&] { form.Thickness.SetText("1.x"); });
    Calculate();
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"'1.x' is not a valid floating point value"}));
    // Refl is read only for the constant reflection.
    User([&] { form.Thickness.SetText("1"); });
    User([&] { form.InpR.Click(); });
    User([&] { form.InpR.Click(); });
    User([&] { form.Refl.SetText("abc"); });
    ClearLog();
    Calculate();
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"'abc' is not a valid floating point value"}));
    EXPECT_EQ(data->AbsCount, 0);  // read with the other entries, before anything is set
}

TEST_F(Calculation, SuccessLeavesNoGraphNoGapAndNoLine) {
    SetT({{600, 50}, {500, 40}, {400, 30}});
    Calculate();
    User([&] { form.Direct.Click(); });
    User([&] { form.RadioButton3.Click(); });  // Tauc view fills Tauc
    ASSERT_NE(data->Tauc[1], 0.0);
    ASSERT_GT(form.Series1.Count(), 0);
    data->TaucLine[0] = 1;
    data->TaucLine[1] = 2;
    form.EgOutput.SetText("2.1");

    Calculate();
    ASSERT_TRUE(platform.log.empty());
    EXPECT_FALSE(form.Direct.Checked());
    for (RadioButton* r : {&form.RadioButton1, &form.RadioButton2, &form.RadioButton3, &form.RadioButton4})
        EXPECT_FALSE(r->Checked()) << r->Name();
    for (int s = 0; s < 3; ++s) EXPECT_EQ(form.Chart1.Series(s).Count(), 0);
    EXPECT_EQ(form.EgOutput.Text(), "");
    EXPECT_EQ(data->TaucLine[0], 0.0);
    EXPECT_EQ(data->TaucLine[1], 0.0);
    EXPECT_EQ(data->Tauc[1], 0.0);
    EXPECT_EQ(data->GraphMode, 0);
    EXPECT_NE(data->TaucDirect[1], 0.0);
}

}  // namespace
}  // namespace optc::testing
