// "Find Extrema" in the minima window: the extrema found become marks as clicks would
// make them, open to correction, and closing the window hands them to Calculate;
// without fringes the marks stay and a message says why.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "SyntheticFilm.h"
#include "datafiles/MeasuredRange.h"
#include "thinfilm/extrema/ExtremumFinder.h"
#include "thinfilm/window/Main_4.h"
#include "thinfilm/ThinFilmFixture.h"

namespace optc::testing {
namespace {

class FindExtremaTest : public ThinFilmWindowTest {
protected:
    FindExtremaTest() { form.SetMinimaForm(minima); }

    // Imports the spectrum and presses Determine Fringes, then in the minima window
    // Find Extrema, then `correct`, then Ok.
    void FindAndClose(const synthetic::Points& spectrum, const std::function<void()>& correct = [] {}) {
        ImportSpectrum(spectrum);
        platform.modalScripts.push_back([this, correct](Form&) {
            Press(MouseButton::Left, 700.0, 80.0);  // a hand mark, replaced by the search
            minima.Dispatch([&] { minima.FindExtrema.Click(); });
            correct();
            minima.Dispatch([&] { minima.BitBtn1.Click(); });
        });
        User([&] { form.Button2.Click(); });
    }
    void Press(MouseButton button, double x, double y) {
        minima.Dispatch([&] { minima.Chart1.OnClickSeries(0, button, x, y); });
    }

    TForm4 minima{platform, d};
};

TEST_F(FindExtremaTest, FoundExtremaBecomeMarksThatCanBeCorrectedBeforeClosing) {
    // Wavelengths descending, as a file of wave numbers gives them.
    const auto spectrum = synthetic::Spectrum(synthetic::TwoAndAHalfMicronFilm(), 350, 1500, 1151);
    std::vector<double> lambda, trans;
    for (const auto& [x, y] : spectrum) {
        lambda.insert(lambda.begin(), x);
        trans.insert(trans.begin(), y);
    }
    const std::vector<FoundExtremum> expected = FindFringeExtrema(lambda, trans).extrema;
    const int n = static_cast<int>(expected.size());
    ASSERT_GE(n, 20);
    FindAndClose(synthetic::Points(spectrum.rbegin(), spectrum.rend()), [&] {
        ASSERT_EQ(minima.Series2.Count(), n);
        EXPECT_TRUE(minima.Series2.Labelled());
        // The shortest mark goes with a right click on it; a left click adds one.
        minima.Chart1.cursorIndexHook = [](int series) { return series == 1 ? 0 : -1; };
        Press(MouseButton::Right, minima.Series2.XValue(0), minima.Series2.YValue(0));
        minima.Chart1.cursorIndexHook = nullptr;
        Press(MouseButton::Left, 1495.25, 75.5);
    });
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    ASSERT_EQ(d.ExtCount, n);
    EXPECT_EQ(d.ExtLambda[1], 1495.25);
    // Each found extremum rounded as a click's mark is: 0.001 nm and 0.01 %.
    const auto mark = [](double v, long double scale) {
        return static_cast<double>(static_cast<long double>(Round(static_cast<long double>(v) * scale)) / scale);
    };
    for (int i = 2; i <= n; ++i) {
        EXPECT_EQ(d.ExtLambda[i], mark(expected[static_cast<std::size_t>(i - 2)].lambda, 1000.0L)) << i;
        EXPECT_EQ(d.ExtTrans[i], mark(expected[static_cast<std::size_t>(i - 2)].trans, 100.0L)) << i;
    }
    // The n range proposed as after marking by hand.
    EXPECT_EQ(form.Wend.Text(), "1495.25");
    EXPECT_EQ(form.Wstart.Text(), d.ExtLambda[n] <= 600 ? FloatToStr(d.ExtLambda[n]) : "600");

    // A bare substrate: the message, and the hand mark stays.
    synthetic::Points substrate;
    for (int w = 300; w <= 1100; ++w) substrate.push_back({w, 91.83});
    FindAndClose(synthetic::WithNoise(substrate, 0.1, 3));
    EXPECT_EQ(platform.messages, std::vector<std::string>{"No interference fringes were found in the spectrum."});
    ASSERT_EQ(d.ExtCount, 1);
    EXPECT_EQ(d.ExtLambda[1], 700.0);
}

// From the spectrum alone to Calculate and the fringe orders: the extrema found carry
// the envelope method through on films of known thickness.
TEST_F(FindExtremaTest, CalculateRunsOnTheExtremaFoundInTheSpectrumAlone) {
    const std::tuple<const char*, synthetic::Film, double, double, double, double> cases[] = {
        {"1 um film, 1 nm, noise-free", synthetic::OneMicronFilm(), 350, 1500, 1, 0},
        {"1 um film, 1 nm, noise 0.2 %T", synthetic::OneMicronFilm(), 350, 1500, 1, 0.2},
        {"2.5 um film, 1 nm, noise-free", synthetic::TwoAndAHalfMicronFilm(), 350, 1500, 1, 0},
        {"2.5 um film, 2 nm, noise 0.2 %T", synthetic::TwoAndAHalfMicronFilm(), 350, 1500, 2, 0.2},
        {"17 um film, 1.3 nm, noise-free", synthetic::ThickLowContrastFilm(), 560, 860, 1.3, 0},
        {"17 um film, 1.3 nm, noise 0.1 %T", synthetic::ThickLowContrastFilm(), 560, 860, 1.3, 0.1},
    };
    for (const auto& [what, film, from, to, step, noise] : cases) {
        auto spectrum = synthetic::Spectrum(film, from, to, static_cast<int>(std::lround((to - from) / step)) + 1);
        FindAndClose(noise > 0 ? synthetic::WithNoise(spectrum, noise, 11) : spectrum);
        Type(form.Const2, "1.52");
        Calculate();
        // Noise at the absorption edge dips below 0 %: the import says so and goes on.
        for (const std::string& entry : platform.log)
            ASSERT_TRUE(entry.rfind("message: ", 0) == 0 && IsRangeNote(entry.substr(9))) << what << ": " << entry;
        EXPECT_GT(d.RangeCount, 3) << what;

        // The fringe orders of those extrema give the thickness to within 0.5 % on a
        // clean spectrum and 1.5 % on a noisy one.
        std::optional<FringeOrdersOutcome> orders;
        platform.modalScripts.push_back([&](Form&) {
            orders = form.Orders.Outcome();
            form.Orders.Dispatch([&] { form.Orders.CloseButton.Click(); });
        });
        User([&] { form.FringeOrders.Click(); });
        ASSERT_TRUE(orders && orders->result) << what << ": " << (orders ? orders->reason : "no dialog");
        const double ordersError = orders->result->thicknessNm / film.thicknessNm - 1;
        std::printf("    %s: %d extrema from %s to %s nm; Calculate's d %+.2f %%, fringe orders' d %+.3f %%\n",
                    what, d.ExtCount, FloatToStr(d.ExtLambda[d.ExtCount]).c_str(), FloatToStr(d.ExtLambda[1]).c_str(),
                    100 * (d.FilmThickness / (film.thicknessNm * 1e-7) - 1), 100 * ordersError);
        EXPECT_LT(std::fabs(ordersError), noise > 0 ? 0.015 : 0.005) << what;
    }
}

}  // namespace
}  // namespace optc::testing
