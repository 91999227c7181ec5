// The README's walk-throughs of the example spectra, step by step through the real
// windows' logic: every figure the guide quotes is checked here, so the guide cannot
// drift from what the program shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/Application.h"
#include "numerics/FloatText.h"
#include "support/SourceTree.h"
#include "support/TempFolder.h"
#include "ui/ScriptedPlatform.h"

namespace optc {
namespace {

using testing::kExamples;

namespace fs = std::filesystem;

std::vector<std::string> Lines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class ExamplesGuide : public ::testing::Test {
protected:
    ExamplesGuide() { SetDecimalSeparator('.'); }

    // The start window's button opens the analysis window; `steps` is what the user
    // does there before pressing Exit.
    void InWindow(Button& open, Form& window, Button& exit, const std::function<void()>& steps) {
        platform.modalScripts.push_back([&, steps](Form& shown) {
            EXPECT_EQ(&shown, &window);
            steps();
            User(window, [&exit] { exit.Click(); });
        });
        User(app.Form2, [&open] { open.Click(); });
        ASSERT_TRUE(platform.modalScripts.empty());
    }
    // One user event through the window's door.
    void User(Form& form, const std::function<void()>& event) { form.Dispatch(event); }
    void Import(Form& form, Button& button, const std::string& file) {
        platform.openAnswers.push_back((kExamples / file).string());
        User(form, [&button] { button.Click(); });
    }
    void Type(Form& form, Edit& edit, const std::string& text) {
        User(form, [&edit] { edit.SetFocused(true); });
        User(form, [&edit, &text] { edit.SetText(text); });
        User(form, [&edit] { edit.SetFocused(false); });
    }
    void Save(Form& form, Button& button, const std::string& base) {
        platform.saveAnswers.push_back((dir / base).string());
        User(form, [&button] { button.Click(); });
    }
    // Nothing went wrong: no message box, no error box.
    void ExpectQuiet() { EXPECT_TRUE(platform.log.empty()) << platform.log.front(); }
    // "Direct Gap Semiconductor", "Tauc Plot", the energy range, "Eg Calculation" in the
    // Thin Films window: the optical gap shown.
    std::string DirectGap(TForm1& f, const std::string& from, const std::string& to) {
        User(f, [&] { f.Direct.Click(); });
        User(f, [&] { f.RadioButton3.Click(); });
        Type(f, f.Estart, from);
        Type(f, f.Eend, to);
        User(f, [&] { f.CalculatEg.Click(); });
        ExpectQuiet();
        return f.EgOutput.Text();
    }

    ScriptedPlatform platform;
    Application app{platform};
    TForm1& Form1 = app.Form1;
    TForm3& Form3 = app.Form3;
    testing::TempFolder temp{"examples_guide"};
    fs::path dir = temp.Path();
};

TEST_F(ExamplesGuide, ThinFilmOnGlassInNanometresAndPercent) {
    TForm1& f = Form1;
    InWindow(app.Form2.Button2, f, f.BitBtn1, [&] {
        Import(f, f.import1, "thinfilm-transmission.txt");
        EXPECT_EQ(f.Data().SpecCount, 801);
        EXPECT_TRUE(f.Button2.Enabled());
        Import(f, f.Import2, "thinfilm-fringes.txt");
        EXPECT_EQ(f.Data().ExtCount, 18);
        EXPECT_EQ(f.Wstart.Text(), "544.56");
        EXPECT_EQ(f.Wend.Text(), "1048.07");

        Type(f, f.Const2, "1.52");
        User(f, [&] { f.Calculate.Click(); });
        ExpectQuiet();
        EXPECT_EQ(f.thickness.Text(), "0.000204255");
        EXPECT_EQ(f.n633show.Text(), "2.2723");
        EXPECT_EQ(f.OrdersNote.Text(), "Fringe orders: 1998.1 \u00B1 3.0 nm (see Fringe Orders...)");

        User(f, [&] { f.Direct.Click(); });
        User(f, [&] { f.RadioButton3.Click(); });
        // The first Tauc plot proposes the whole energy range.
        EXPECT_EQ(f.Estart.Text(), "1.12711818181818");
        EXPECT_EQ(f.Eend.Text(), "4.13276666666667");
        Type(f, f.Estart, "2.45");
        Type(f, f.Eend, "2.7");
        User(f, [&] { f.CalculatEg.Click(); });
        ExpectQuiet();
        EXPECT_EQ(f.EgOutput.Text(), "2.3995");
        Save(f, f.Button1, "film");

        // 10. Fringe Orders: the thickness from the orders of all 18 extrema.
        platform.modalScripts.push_back([&](Form& shown) {
            ASSERT_EQ(&shown, &f.Orders);
            EXPECT_EQ(f.Orders.ResultLine.Text(),
                      "d = 1998.1 \u00B1 3.0 nm, 0.000199814 cm (14 of 18 extrema, 7 pairs left out)");
            const auto& rows = f.Orders.Table.Rows();
            ASSERT_EQ(rows.size(), 18u);
            EXPECT_EQ(rows.front().cells, (std::vector<std::string>{"1048.07", "min", "69.59", "2.2273", "1998.6",
                                                                     "8.5", "1999.9", "2.2292", ""}));
            EXPECT_EQ(rows.back().cells, (std::vector<std::string>{"544.56", "max", "61.88", "2.1102", "", "17",
                                                                    "2193.5", "2.3165", "d2"}));
            // n2 at the 14 extrema used: within 0.006 of the true n.
            for (const FringeOrderRow& row : f.Orders.Outcome().result->rows) {
                const double lambda = row.extremum.lambda;
                if (row.used) {
                    EXPECT_LT(std::abs(row.n2 - (2.2 + 3.0e4 / (lambda * lambda))), 0.006) << lambda;
                }
            }
            User(f.Orders, [&] { f.Orders.UseThickness.Click(); });
        });
        User(f, [&] { f.FringeOrders.Click(); });
        EXPECT_TRUE(f.FixThickness.Checked());
        EXPECT_EQ(f.thickness.Text(), "0.000199814");

        // 11. Calculate with the refined thickness: alpha grows by 2.2 %, n and Eg stay.
        const double alpha = f.Data().Absorption[1];
        User(f, [&] { f.Calculate.Click(); });
        EXPECT_EQ(f.n633show.Text(), "2.2723");
        EXPECT_EQ(FloatToStr(f.Data().Absorption[1]), "46094.569809804");
        EXPECT_NEAR(f.Data().Absorption[1] / alpha, 1.0222, 0.0001);
        EXPECT_EQ(DirectGap(f, "2.45", "2.7"), "2.3995");
    });

    // The four results files: header, then one row per point.
    const auto ref = Lines(dir / "filmRef.txt"), abs = Lines(dir / "filmAbs.txt");
    const auto tauc = Lines(dir / "filmtauc.txt"), free = Lines(dir / "filmFreeTrans.txt");
    ASSERT_EQ(ref.size(), 1u + 504u);
    EXPECT_EQ(ref[1], "544.56  2.19705906114242  1048.07  2.22727447946492");
    EXPECT_EQ(ref[18], "561.56  2.22148121616308  544.56  2.1102322549688");
    EXPECT_EQ(ref[19], "562.56  2.22272373882146");
    EXPECT_EQ(ref.back().substr(0, 9), "1047.56  ");
    // n at the extrema against the film's true dispersion: within 0.001 down to
    // 780 nm, within 0.02 down to 649 nm.
    for (std::size_t row = 1; row <= 18; ++row) {
        double lambda = 0, n = 0;
        std::sscanf(ref[row].c_str(), "%*f %*f %lf %lf", &lambda, &n);
        const double truth = 2.2 + 3.0e4 / (lambda * lambda);
        if (lambda >= 780.0) {
            EXPECT_LT(std::abs(n - truth), 0.001) << lambda;
        }
        if (lambda >= 649.0) {
            EXPECT_LT(std::abs(n - truth), 0.02) << lambda;
        }
    }
    ASSERT_EQ(abs.size(), 1u + 801u);
    EXPECT_EQ(abs[1], "4.13276666666667  45092.4165349581");
    ASSERT_EQ(tauc.size(), 1u + 801u);
    EXPECT_EQ(tauc[1], "4.13276666666667  34728721229.3504   1.73857232104111E+0010");
    ASSERT_EQ(free.size(), 1u + 801u);
    EXPECT_EQ(free[1], "300  0.125");
}

// Fit Spectrum on example 1 after Calculate, with the choices as the dialog opens:
// the thickness near the truth, but not trusted, and the warning says why; fitted from
// 510 nm, where the example's absorption follows the model's edge, exact and trusted.
TEST_F(ExamplesGuide, ThinFilmFitOfTheWholeSpectrum) {
    TForm1& f = Form1;
    InWindow(app.Form2.Button2, f, f.BitBtn1, [&] {
        Import(f, f.import1, "thinfilm-transmission.txt");
        Import(f, f.Import2, "thinfilm-fringes.txt");
        Type(f, f.Const2, "1.52");
        User(f, [&] { f.Calculate.Click(); });
        ExpectQuiet();
        platform.modalScripts.push_back([&](Form& shown) {
            ASSERT_EQ(&shown, &f.Fit);
            User(f.Fit, [&] { f.Fit.FitButton.Click(); });
            EXPECT_EQ(f.Fit.ResultLine.Text(), "d = 2000.0 \u00B1 3.6 nm, \u0394d = 0.0 \u00B1 5.4 nm, n(633 nm) = 2.2749 "
                                               "\u00B1 0.0040, residual 0.565 %T (noise 0.00017 %T): not trusted");
            EXPECT_EQ(f.Fit.Warnings.Text(), "The residual, 0.565 %T, is 3351.2 times the noise, 0.00017 %T: the model "
                                             "does not describe this spectrum.");
            // From 510 nm, where the edge is the model's: trusted, and exact.
            User(f.Fit, [&] { f.Fit.FitFrom.SetText("510"); });
            User(f.Fit, [&] { f.Fit.FitButton.Click(); });
            EXPECT_EQ(f.Fit.ResultLine.Text(), "d = 2000.00003 \u00B1 0.00018 nm, \u0394d = 0.000 \u00B1 0.039 nm, n(633 nm) = "
                                               "2.27487100 \u00B1 0.00000021, residual 2.9E-5 %T (noise 0.00027 %T)");
            EXPECT_EQ(f.Fit.Warnings.Text(), "");
            User(f.Fit, [&] { f.Fit.CloseButton.Click(); });
        });
        User(f, [&] { f.FitSpectrumButton.Click(); });
    });
}

TEST_F(ExamplesGuide, ThinFilmFromTheSpectrumAlone) {
    TForm1& f = Form1;
    TForm4& minima = app.Form4;
    InWindow(app.Form2.Button2, f, f.BitBtn1, [&] {
        Import(f, f.import1, "thinfilm-transmission.txt");
        Type(f, f.Const2, "1.52");
        platform.modalScripts.push_back([&](Form&) {
            User(minima, [&] { minima.FindExtrema.Click(); });
            ASSERT_EQ(minima.Series2.Count(), 18);
            const auto mark = [&](int k) {
                return FloatToStr(minima.Series2.XValue(k)) + " " + FloatToStr(minima.Series2.YValue(k));
            };
            EXPECT_EQ(mark(0), "544.715 61.87");
            EXPECT_EQ(mark(17), "1048.078 69.59");
            User(minima, [&] { minima.BitBtn1.Click(); });
        });
        User(f, [&] { f.Button2.Click(); });
        EXPECT_EQ(f.Fileshow2.Text(), "determined by user");
        EXPECT_EQ(f.Wstart.Text(), "544.715");
        EXPECT_EQ(f.Wend.Text(), "1048.078");
        // The 18 extrema of the examples' fringes file, each within 0.2 nm.
        const auto hand = Lines(kExamples / "thinfilm-fringes.txt");
        ASSERT_EQ(hand.size(), 2u + 18u);
        for (int i = 1; i <= 18; ++i)
            EXPECT_NEAR(f.Data().ExtLambda[i], std::stod(hand[static_cast<std::size_t>(i + 1)]), 0.2) << i;
        User(f, [&] { f.Calculate.Click(); });
        EXPECT_EQ(f.thickness.Text(), "0.000204247");
        EXPECT_EQ(f.n633show.Text(), "2.2714");
        EXPECT_EQ(f.OrdersNote.Text(), "Fringe orders: 1998.3 \u00B1 2.7 nm (see Fringe Orders...)");
        platform.modalScripts.push_back([&](Form&) {
            EXPECT_EQ(f.Orders.ResultLine.Text(),
                      "d = 1998.3 \xC2\xB1 2.7 nm, 0.000199828 cm (14 of 18 extrema, 8 pairs left out)");
            User(f.Orders, [&] { f.Orders.CloseButton.Click(); });
        });
        User(f, [&] { f.FringeOrders.Click(); });
        EXPECT_EQ(DirectGap(f, "2.45", "2.7"), "2.3994");
    });
}

// The film's spectrum as instrument software exports it, CSV with semicolons and
// decimal commas and JCAMP-DX in DIF form: the same 801 numbers as the text file, so
// the same figures and byte for byte the same results files.
TEST_F(ExamplesGuide, ThinFilmFromInstrumentExports) {
    TForm1& f = Form1;
    InWindow(app.Form2.Button2, f, f.BitBtn1, [&] {
        std::vector<double> lambda, trans;
        for (const std::string name : {"txt", "csv", "jdx"}) {
            SCOPED_TRACE(name);
            const std::string file = "thinfilm-transmission." + name;
            Import(f, f.import1, file);
            ExpectQuiet();
            const ThinFilmData& d = f.Data();
            ASSERT_EQ(d.SpecCount, 801);
            EXPECT_EQ(f.Fileshow1.Text(), (name == "jdx" ? "(units from the file: nm, transmittance in %) " : "") +
                                              (kExamples / file).lexically_normal().string());
            if (lambda.empty()) {
                lambda.assign(d.SpecLambda.From1(), d.SpecLambda.From1() + 801);
                trans.assign(d.SpecTrans.From1(), d.SpecTrans.From1() + 801);
            }
            EXPECT_TRUE(std::equal(lambda.begin(), lambda.end(), d.SpecLambda.From1()));
            EXPECT_TRUE(std::equal(trans.begin(), trans.end(), d.SpecTrans.From1()));

            Import(f, f.Import2, "thinfilm-fringes.txt");
            Type(f, f.Const2, "1.52");
            User(f, [&] { f.Calculate.Click(); });
            EXPECT_EQ(f.thickness.Text(), "0.000204255");
            EXPECT_EQ(f.n633show.Text(), "2.2723");
            User(f, [&] { f.Direct.SetChecked(true); });
            User(f, [&] { f.RadioButton3.Click(); });
            Type(f, f.Estart, "2.45");
            Type(f, f.Eend, "2.7");
            User(f, [&] { f.CalculatEg.Click(); });
            ExpectQuiet();
            EXPECT_EQ(f.EgOutput.Text(), "2.3995");
            Save(f, f.Button1, "film-" + name);
        }
    });
    for (const char* ending : {"Ref.txt", "Abs.txt", "tauc.txt", "FreeTrans.txt"}) {
        const std::string fromText = testing::ReadFile((dir / ("film-txt" + std::string(ending))).string());
        EXPECT_FALSE(fromText.empty()) << ending;
        for (const char* name : {"film-csv", "film-jdx"})
            EXPECT_EQ(testing::ReadFile((dir / (name + std::string(ending))).string()), fromText) << name << ending;
    }
}

TEST_F(ExamplesGuide, ThinFilmInWaveNumbersAndFractions) {
    TForm1& f = Form1;
    User(app.Form2, [&] { app.Form2.RadioButton2.Click(); });  // "WaveVector (1/cm)"
    User(app.Form2, [&] { app.Form2.RadioButton4.Click(); });  // "Transmission in a.u."
    InWindow(app.Form2.Button2, f, f.BitBtn1, [&] {
        Import(f, f.import1, "thinfilm-wavenumber.txt");
        // Converted to nanometres and percent, longest wavelength first.
        ASSERT_EQ(f.Data().SpecCount, 801);
        EXPECT_EQ(FloatToStr(f.Data().SpecLambda[1]), "1099.9999989");
        EXPECT_EQ(FloatToStr(f.Data().SpecTrans[1]), "89.6053");
        Import(f, f.Import2, "thinfilm-fringes-wavenumber.txt");
        EXPECT_EQ(f.Data().ExtCount, 18);
        EXPECT_EQ(f.Wstart.Text(), "544.559981920609");
        EXPECT_EQ(f.Wend.Text(), "1048.06971759761");

        Type(f, f.Const2, "1.52");
        User(f, [&] { f.Calculate.Click(); });
        ExpectQuiet();
        // The 15-digit texts of the range fall just inside the outermost extrema.
        EXPECT_EQ(f.Data().RangeCount, 16);
        EXPECT_EQ(f.thickness.Text(), "0.000204255");
        EXPECT_EQ(f.n633show.Text(), "2.2763");
        auto ordersLine = [&] {
            platform.modalScripts.push_back([&](Form&) { User(f.Orders, [&] { f.Orders.CloseButton.Click(); }); });
            User(f, [&] { f.FringeOrders.Click(); });
            return f.Orders.ResultLine.Text();
        };
        const std::string withTheProposedRange = ordersLine();

        // A range typed a little wider takes all 18 extrema again.
        Type(f, f.Wstart, "544");
        Type(f, f.Wend, "1049");
        User(f, [&] { f.Calculate.Click(); });
        ExpectQuiet();
        EXPECT_EQ(f.Data().RangeCount, 18);
        EXPECT_EQ(f.n633show.Text(), "2.2724");

        // The orders take every extremum, whatever the n range.
        EXPECT_EQ(ordersLine(), "d = 1998.9 \u00B1 4.3 nm, 0.000199888 cm (15 of 18 extrema, 8 pairs left out)");
        EXPECT_EQ(withTheProposedRange, ordersLine());

        EXPECT_EQ(DirectGap(f, "2.45", "2.7"), "2.3995");
    });
}

TEST_F(ExamplesGuide, BulkPlateWithEachSourceOfReflection) {
    TForm3& f = Form3;
    auto gap = [&] {
        User(f, [&] { f.Calculate.Click(); });
        User(f, [&] { f.RadioButton3.Click(); });  // indirect gap: Direct stays unchecked
        Type(f, f.Estart, "3.55");
        Type(f, f.Eend, "3.8");
        User(f, [&] { f.CalculatEg.Click(); });
        ExpectQuiet();
    };
    InWindow(app.Form2.Button1, f, f.BitBtn1, [&] {
        // At the start the constant R = 18 % is the source, its edit still disabled.
        EXPECT_TRUE(f.InpR.Checked());
        EXPECT_FALSE(f.Refl.Enabled());

        // 1. The reflection spectrum, on another grid: both are resampled.
        Import(f, f.import1, "bulk-transmission.txt");
        Import(f, f.Button2, "bulk-reflection.txt");
        EXPECT_FALSE(f.InpR.Checked());
        EXPECT_FALSE(f.InpN.Checked());
        Type(f, f.Thickness, "0.1");
        gap();
        EXPECT_EQ(f.Data().SpecCount, 551);
        EXPECT_EQ(f.Data().ReflCount, 277);
        EXPECT_EQ(f.Data().AbsCount, 552);
        EXPECT_EQ(f.EgOutput.Text(), "3.5003");
        Save(f, f.Button1, "plate");

        // 2. The constant index n = 1.9: with both boxes unchecked one click checks InpN.
        User(f, [&] { f.InpN.Click(); });
        EXPECT_TRUE(f.InpN.Checked());
        Type(f, f.Refrn633, "1.9");
        gap();
        EXPECT_EQ(f.Data().AbsCount, 551);
        EXPECT_EQ(f.EgOutput.Text(), "3.5002");
        Save(f, f.Button1, "plateN");

        // 3. The constant reflection 9.6314 %: the first click on InpR unchecks InpN,
        // the second checks InpR.
        User(f, [&] { f.InpR.Click(); });
        EXPECT_FALSE(f.InpN.Checked());
        EXPECT_FALSE(f.InpR.Checked());
        User(f, [&] { f.InpR.Click(); });
        EXPECT_TRUE(f.InpR.Checked());
        Type(f, f.Refl, "9.6314");
        gap();
        EXPECT_EQ(f.EgOutput.Text(), "3.5002");
    });

    const auto abs = Lines(dir / "plateAbs.txt"), tauc = Lines(dir / "platetauc.txt");
    ASSERT_EQ(abs.size(), 1u + 552u);
    EXPECT_EQ(abs[1], "1.5497875  -0.093198447753927");
    ASSERT_EQ(tauc.size(), 1u + 552u);
    EXPECT_EQ(tauc[1], "1.5497875  0.380049719574215  -1.07006640016318E+0002");
    const auto absN = Lines(dir / "plateNAbs.txt");
    ASSERT_EQ(absN.size(), 1u + 551u);
    EXPECT_EQ(absN[1], "1.5497875  -0.093196499510307");
}

}  // namespace
}  // namespace optc
