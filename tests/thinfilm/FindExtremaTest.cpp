// "Find Extrema" in the minima window: the extrema found become marks as clicks would
// make them, the user can still correct them, and closing the window hands them to
// Calculate; without fringes the marks stay and a message says why.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "SyntheticFilm.h"
#include "thinfilm/ExtremumFinder.h"
#include "thinfilm/Main_4.h"
#include "thinfilm/ThinFilmFixture.h"

namespace optc::testing {
namespace {

class FindExtremaTest : public ThinFilmWindowTest {
protected:
    FindExtremaTest() { form.SetMinimaForm(minima); }

    // Presses Determine Fringes; `inWindow` is what the user does in the minima window
    // before closing it with Ok.
    void Determine(const std::function<void()>& inWindow) {
        platform.modalScripts.push_back([this, inWindow](Form&) {
            inWindow();
            minima.Dispatch([&] { minima.BitBtn1.Click(); });
        });
        User([&] { form.Button2.Click(); });
    }
    void FindExtrema() { minima.Dispatch([&] { minima.FindExtrema.Click(); }); }
    void Press(MouseButton button, double x, double y) {
        minima.Dispatch([&] { minima.Chart1.OnClickSeries(0, button, x, y); });
    }

    // What the finder gives for the imported spectrum.
    std::vector<FringeExtremum> Expected() const {
        std::vector<double> lambda, trans;
        for (int i = 1; i <= d.SpecCount; ++i) {
            lambda.push_back(d.SpecLambda[i]);
            trans.push_back(d.SpecTrans[i]);
        }
        return FindFringeExtrema(lambda, trans).extrema;
    }

    TForm4 minima{platform, d};
};

// A mark's value for a finder's value, as a click there rounds it.
double Mark(double value, long double scale) {
    return static_cast<double>(static_cast<long double>(Round(static_cast<long double>(value) * scale)) / scale);
}

TEST_F(FindExtremaTest, FoundExtremaReplaceTheMarksAndCanBeCorrectedBeforeClosing) {
    // Wavelengths descending, as a file of wave numbers gives them.
    const synthetic::Points spectrum = synthetic::Spectrum(synthetic::TwoAndAHalfMicronFilm(), 350, 1500, 1151);
    ImportSpectrum(synthetic::Points(spectrum.rbegin(), spectrum.rend()));
    const std::vector<FringeExtremum> expected = Expected();
    const int n = static_cast<int>(expected.size());
    ASSERT_GE(n, 20);

    Determine([&] {
        Press(MouseButton::Left, 700.0, 80.0);  // a hand mark, replaced by the search
        FindExtrema();
        ASSERT_EQ(minima.Series2.Count(), n);
        EXPECT_EQ(d.ExtCount, n);
        EXPECT_TRUE(minima.Series2.Labelled());
        // The series holds the marks in ascending wavelength; the finder longest first.
        for (int k = 0; k < n; ++k) {
            const FringeExtremum& e = expected[static_cast<std::size_t>(n - 1 - k)];
            EXPECT_EQ(minima.Series2.XValue(k), Mark(e.lambda, 1000.0L)) << k;
            EXPECT_EQ(minima.Series2.YValue(k), Mark(e.trans, 100.0L)) << k;
            EXPECT_EQ(minima.Series2.Points()[static_cast<std::size_t>(k)].colour, clGreen);
        }
        // The shortest mark is deleted by a right click on it, and one is added.
        minima.Chart1.cursorIndexHook = [](int series) { return series == 1 ? 0 : -1; };
        Press(MouseButton::Right, minima.Series2.XValue(0), minima.Series2.YValue(0));
        minima.Chart1.cursorIndexHook = nullptr;
        Press(MouseButton::Left, 1450.25, 75.5);
        EXPECT_EQ(d.ExtCount, n);
    });
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    ASSERT_EQ(d.ExtCount, n);
    EXPECT_EQ(d.ExtLambda[1], 1450.25);
    for (int i = 2; i <= n; ++i)
        EXPECT_EQ(d.ExtLambda[i], Mark(expected[static_cast<std::size_t>(i - 2)].lambda, 1000.0L)) << i;
    // The n range proposed as after marking by hand: from the longest mark down to the
    // shortest when that lies at or below 600 nm.
    EXPECT_EQ(form.Wend.Text(), "1450.25");
    EXPECT_EQ(form.Wstart.Text(), d.ExtLambda[n] <= 600 ? FloatToStr(d.ExtLambda[n]) : "600");
}

TEST_F(FindExtremaTest, WithoutFringesTheMarksStayAndAMessageSaysWhy) {
    struct Case {
        const char* what;
        synthetic::Points spectrum;
        const char* message;
    };
    synthetic::Points substrate, fewPoints;
    for (int w = 300; w <= 1100; ++w) substrate.push_back({w, 91.83});
    for (int w = 500; w <= 503; ++w) fewPoints.push_back({w, 80.0 + w % 2});
    const Case cases[] = {
        {"bare substrate", synthetic::WithNoise(substrate, 0.1, 3), "No interference fringes were found in the spectrum."},
        {"four points", fewPoints, "The spectrum has too few points to find fringes."},
        {"no spectrum", {}, "The spectrum has too few points to find fringes."},
    };
    for (const Case& c : cases) {
        if (c.spectrum.empty()) {
            platform.openAnswers.push_back(std::nullopt);  // Import Spectrum cancelled
            User([&] { form.import1.Click(); });
        } else {
            ImportSpectrum(c.spectrum);
        }
        platform.messages.clear();
        Determine([&] {
            Press(MouseButton::Left, 501.5, 80.5);
            FindExtrema();
            EXPECT_EQ(minima.Series2.Count(), 1) << c.what;
        });
        EXPECT_EQ(platform.messages, std::vector<std::string>{c.message}) << c.what;
        ASSERT_EQ(d.ExtCount, 1) << c.what;
        EXPECT_EQ(d.ExtLambda[1], 501.5) << c.what;
    }
}

// From the spectrum alone to Calculate: the extrema found, handed over by closing the
// window, carry the envelope method through on films of known thickness.
TEST_F(FindExtremaTest, CalculateRunsOnTheExtremaFoundInTheSpectrumAlone) {
    struct Case {
        const char* what;
        synthetic::Film film;
        double from, to, step, noise;
    };
    const Case cases[] = {
        {"1 um film, 1 nm, noise-free", synthetic::OneMicronFilm(), 350, 1500, 1, 0},
        {"1 um film, 1 nm, noise 0.2 %T", synthetic::OneMicronFilm(), 350, 1500, 1, 0.2},
        {"2.5 um film, 1 nm, noise-free", synthetic::TwoAndAHalfMicronFilm(), 350, 1500, 1, 0},
        {"2.5 um film, 2 nm, noise 0.2 %T", synthetic::TwoAndAHalfMicronFilm(), 350, 1500, 2, 0.2},
        {"17 um film, 1.3 nm, noise-free", synthetic::ThickLowContrastFilm(), 560, 860, 1.3, 0},
        {"17 um film, 1.3 nm, noise 0.1 %T", synthetic::ThickLowContrastFilm(), 560, 860, 1.3, 0.1},
    };
    for (const Case& c : cases) {
        const int count = static_cast<int>(std::lround((c.to - c.from) / c.step)) + 1;
        synthetic::Points spectrum = synthetic::Spectrum(c.film, c.from, c.to, count);
        if (c.noise > 0) spectrum = synthetic::WithNoise(spectrum, c.noise, 11);
        ImportSpectrum(spectrum);
        Type(form.Const2, "1.52");
        Determine([&] { FindExtrema(); });
        const int found = static_cast<int>(Expected().size());
        Calculate();
        ASSERT_TRUE(platform.log.empty()) << c.what << ": " << platform.log.front();
        const double truth = c.film.thicknessNm * 1e-7;
        std::printf("    %s: %d extrema from %s to %s nm; Calculate's d = %s cm (%+.2f %%)\n", c.what, d.ExtCount,
                    FloatToStr(d.ExtLambda[d.ExtCount]).c_str(), FloatToStr(d.ExtLambda[1]).c_str(),
                    form.thickness.Text().c_str(), 100 * (d.FilmThickness - truth) / truth);
        EXPECT_EQ(d.ExtCount, found) << c.what;
        // The extrema Calculate took alternate, longest first, as the envelopes need.
        for (int i = 2; i <= d.ExtCount; ++i) {
            EXPECT_LT(d.ExtLambda[i], d.ExtLambda[i - 1]) << c.what << " " << i;
            EXPECT_EQ(d.ExtTrans[i] < d.ExtTrans[i - 1], d.ExtTrans[1] > d.ExtTrans[2] ? i % 2 == 0 : i % 2 == 1)
                << c.what << " " << i;
        }
        EXPECT_GT(d.RangeCount, 3) << c.what;
    }
}

}  // namespace
}  // namespace optc::testing
