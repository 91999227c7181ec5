// Calculate on small films whose envelopes, indices, thickness, fringes-free curve and
// absorption were worked out here from the formulas, independently of the program's
// own routines; and every stop of the calculation with the state it leaves.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "numerics/FloatText.h"
#include "ThinFilmFixture.h"
#include "thinfilm/envelope/Envelope.h"

namespace optc::testing {
namespace {

double Parabola(double x0, double y0, double x1, double y1, double x2, double y2, double x) {
    return y0 * (x - x1) * (x - x2) / ((x0 - x1) * (x0 - x2)) + y1 * (x - x0) * (x - x2) / ((x1 - x0) * (x1 - x2)) +
           y2 * (x - x0) * (x - x1) / ((x2 - x0) * (x2 - x1));
}

// n from the envelopes (transmissions in percent) on a substrate nS.
double IndexFromEnvelopes(double tMax, double tMin, double nS, bool transparent) {
    const double n = transparent ? 2 * nS * 100 / tMin - (nS * nS + 1) / 2
                                 : 2 * nS * 100 * (tMax - tMin) / (tMax * tMin) + (nS * nS + 1) / 2;
    return std::sqrt(n + std::sqrt(n * n - nS * nS));
}

// The geometric mean of the two envelopes of a film of index n, substrate nS, for the
// absorbance factor x, in percent.
double GeometricMeanEnvelope(double n, double nS, double x) {
    const double a = 16 * n * n * nS;
    const double b = std::pow(n + 1, 3) * (n + nS * nS);
    const double c = 2 * (n * n - 1) * (n * n - nS * nS);
    const double dd = std::pow(n - 1, 3) * (n - nS * nS);
    const double tM = a * x / (b - c * x + dd * x * x);
    const double tm = a * x / (b + c * x + dd * x * x);
    return 100 * std::sqrt(tM * tm);
}

// x in (0, 1] with GeometricMeanEnvelope(n, nS, x) = t, by bisection.
double SolveAbsorbance(double n, double nS, double t) {
    double lo = 0, hi = 1;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (GeometricMeanEnvelope(n, nS, mid) < t ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

double Reflectance(double a, double b) { return ((a - b) / (a + b)) * ((a - b) / (a + b)); }

// Least squares of a quadratic in u = 1e6/lambda^2 (scaled for a well-conditioned
// solution), solved by Cramer's rule in extended precision.
struct Quadratic {
    long double c0 = 0, c1 = 0, c2 = 0;
    double At(double lambda) const {
        const long double u = 1e6L / ((long double)lambda * lambda);
        return (double)(c0 + c1 * u + c2 * u * u);
    }
};
Quadratic FitQuadratic(const std::vector<double>& invSq, const std::vector<double>& n) {
    long double s[5] = {}, t[3] = {};
    for (std::size_t i = 0; i < invSq.size(); ++i) {
        const long double u = invSq[i] * 1e6L;
        long double p = 1;
        for (int k = 0; k < 5; ++k, p *= u) s[k] += p;
        t[0] += n[i];
        t[1] += n[i] * u;
        t[2] += n[i] * u * u;
    }
    auto det = [](long double a, long double b, long double c, long double d, long double e, long double f,
                  long double g, long double h, long double i) {
        return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    };
    const long double m = det(s[0], s[1], s[2], s[1], s[2], s[3], s[2], s[3], s[4]);
    Quadratic q;
    q.c0 = det(t[0], s[1], s[2], t[1], s[2], s[3], t[2], s[3], s[4]) / m;
    q.c1 = det(s[0], t[0], s[2], s[1], t[1], s[3], s[2], t[2], s[4]) / m;
    q.c2 = det(s[0], s[1], t[0], s[1], s[2], t[1], s[2], s[3], t[2]) / m;
    return q;
}

// A film with four extrema (first a maximum) over a 13-point ascending spectrum.
class SmallFilmTest : public ThinFilmWindowTest {
protected:
    void SetUpFilm() {
        std::vector<std::pair<double, double>> spectrum;
        const double trans[] = {0, 20, 40, 60, 70, 75, 80, 85, 82, 80, 85, 88, 90};
        for (int i = 0; i < 13; ++i) spectrum.push_back({400.0 + 50 * i, trans[i]});
        ImportSpectrum(spectrum);
        ImportFringes({{600, 56}, {700, 88}, {800, 60}, {900, 90}});
        Type(form.Const2, "1.5");
        Type(form.Tolerance, "3");
        Type(form.Wstart, "550");
        Type(form.Wend, "950");
        Type(form.envelope, "2");
        ASSERT_TRUE(platform.errors.empty()) << LastError();
    }
    const double nS = 1.5;
    const double envMax[4] = {90, 89, 88, 87};
    const double envMin[4] = {62, 60, 58, 56};
    const double lambdas[4] = {900, 800, 700, 600};
};

TEST_F(SmallFilmTest, EnvelopesIndicesDispersionAndThickness) {
    SetUpFilm();
    Calculate();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();

    EXPECT_EQ(d.MaxLambda[1], 900.0);
    EXPECT_EQ(d.MaxLambda[2], 700.0);
    EXPECT_EQ(d.MinLambda[1], 800.0);
    EXPECT_EQ(d.MinTrans[2], 56.0);
    std::vector<double> n(5);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(d.EnvMaxLambda[i], lambdas[i - 1]);
        EXPECT_EQ(d.EnvMinLambda[i], lambdas[i - 1]);
        EXPECT_NEAR(d.EnvMaxTrans[i], envMax[i - 1], 1e-9) << i;
        EXPECT_NEAR(d.EnvMinTrans[i], envMin[i - 1], 1e-9) << i;
        // Ts - Tol = 92.31 - 3: only the first upper envelope (90) lies above it.
        n[i] = IndexFromEnvelopes(envMax[i - 1], envMin[i - 1], nS, i == 1);
        EXPECT_NEAR(d.RefractionExp[i], n[i], 1e-10) << i;
        EXPECT_EQ(d.LambdaExp[i], lambdas[i - 1]);
    }
    EXPECT_NEAR(d.AuxN[1], 300.0 / 62 - 1.625, 1e-10);

    // Four extrema in 550..950: three midpoints between them, seven fit points.
    EXPECT_EQ(d.RangeCount, 4);
    ASSERT_EQ(d.FitCount, 7);
    EXPECT_DOUBLE_EQ(d.FitInvLambdaSq[1], 1.0 / (900.0 * 900.0));
    EXPECT_DOUBLE_EQ(d.FitInvLambdaSq[2], (1.0 / (800.0 * 800) + 1.0 / (900.0 * 900)) / 2);
    EXPECT_DOUBLE_EQ(d.FitRefraction[4], (n[2] + n[3]) / 2);
    EXPECT_DOUBLE_EQ(d.FitRefraction[7], n[4]);
    std::vector<double> xs, ys;
    for (int k = 1; k <= 7; ++k) {
        xs.push_back(d.FitInvLambdaSq[k]);
        ys.push_back(d.FitRefraction[k]);
    }
    const Quadratic q = FitQuadratic(xs, ys);
    EXPECT_EQ(d.DispCoef[3], 0.0);

    // The grid 550..949.
    EXPECT_EQ(d.DispCount, 401);
    EXPECT_EQ(d.DispLambda[1], 550.0);
    EXPECT_EQ(d.DispLambda[400], 949.0);
    EXPECT_EQ(d.DispLambda[401], 0.0);
    for (int k : {1, 84, 400}) EXPECT_NEAR(d.DispRefraction[k], q.At(d.DispLambda[k]), 1e-7) << k;
    const double n633 = d.DispRefraction[84];
    ASSERT_EQ(d.DispLambda[84], 633.0);
    EXPECT_EQ(form.n633show.Text(), FloatToStr(std::trunc(n633 * 1e4) / 1e4));

    // Two minima, 800 and 600 nm, with the indices at the third and second extremum.
    const double la = 800e-7, lb = 600e-7;
    const double thick = la * lb / (2 * (la * n[3] - lb * n[2]));
    EXPECT_NEAR(d.FilmThickness, thick, 1e-15);
    EXPECT_EQ(form.thickness.Text(), FloatToStr(std::nearbyint(thick * 1e9) / 1e9));
    EXPECT_NEAR(StrToFloat(form.thickness.Text()), thick, 0.5e-9);

    for (Edit* e : {&form.Estart, &form.Eend, &form.Ytauc1, &form.Ytauc2}) EXPECT_TRUE(e->Enabled());
}

TEST_F(SmallFilmTest, FringesFreeTransmissionFollowsTheEdgeAndTheEnvelopeMeans) {
    SetUpFilm();
    Calculate();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();

    double mean[6];
    for (int i = 1; i <= 4; ++i) {
        mean[i] = std::sqrt(envMax[i - 1] * envMin[i - 1]);
        EXPECT_NEAR(d.FreeExtTrans[i], mean[i], 1e-9);
        EXPECT_EQ(d.FreeExtLambda[i], lambdas[i - 1]);
    }
    // The walk from 1000 nm stops at the last point above 30 %: 500 nm, 40 %.
    EXPECT_EQ(d.FreeExtLambda[5], 500.0);
    EXPECT_EQ(d.FreeExtTrans[5], 40.0);
    mean[5] = 40;
    const double sx[6] = {0, 900, 800, 700, 600, 500};

    auto expected = [&](double lambda) {
        if (lambda > 900) return mean[1];
        if (lambda <= 500) return -1.0;  // measured
        // The parabola through the support points around the last one passed.
        int j = lambda > 700 ? 1 : lambda > 600 ? 2 : 3;
        return Parabola(sx[j], mean[j], sx[j + 1], mean[j + 1], sx[j + 2], mean[j + 2], lambda);
    };
    for (int i = 1; i <= 13; ++i) {
        const double lambda = d.SpecLambda[i];
        EXPECT_EQ(d.FreeLambda[i], lambda);
        const double e = expected(lambda);
        if (i == 1) {
            EXPECT_EQ(d.FreeTrans[1], 0.01);  // a measured 0 became 0.01 in mode A
        } else if (e < 0) {
            EXPECT_EQ(d.FreeTrans[i], d.SpecTrans[i]) << lambda;
        } else {
            EXPECT_NEAR(d.FreeTrans[i], e, 1e-6) << lambda;
        }
    }
}

TEST_F(SmallFilmTest, AbsorptionFromTheFringesFreeCurveInvertsTheEnvelopeModel) {
    SetUpFilm();
    Calculate();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    const double thick = d.FilmThickness;
    // At 0.01 % the two terms under the outer root cancel exactly in double: x comes
    // out 0 and the logarithm takes 0.0001 instead.
    EXPECT_EQ(d.TransFraction[1], 0.0);
    EXPECT_DOUBLE_EQ(d.Absorption[1], -std::log(0.0001) / thick);
    for (int i : {2, 5, 9, 13}) {
        const double lambda = d.SpecLambda[i];
        // The index the calculation uses there: the fitted polynomial, extrapolated.
        const double inv = 1.0 / (lambda * lambda);
        const double n = d.DispCoef[0] + d.DispCoef[1] * inv + d.DispCoef[2] * inv * inv;
        const double x = SolveAbsorbance(n, nS, d.FreeTrans[i]);
        EXPECT_NEAR(d.TransFraction[i], x, 1e-9 * (1 + x)) << lambda;
        const double alpha = -std::log(x) / thick;
        EXPECT_NEAR(d.Absorption[i], alpha, 1e-6 * alpha) << lambda;
        const double e = 1239.83 / lambda;
        EXPECT_DOUBLE_EQ(d.TaucEnergy[i], e);
        EXPECT_EQ(d.AbsEnergy[i], d.TaucEnergy[i]);
        EXPECT_DOUBLE_EQ(d.TaucDirect[i], (d.Absorption[i] * e) * (d.Absorption[i] * e));
        EXPECT_DOUBLE_EQ(d.TaucIndirect[i], std::sqrt(d.Absorption[i] * e));
    }
    EXPECT_EQ(d.Tauc[1], 0.0);  // left for the Tauc view
}

TEST_F(SmallFilmTest, AbsorptionFromTheMeasuredSpectrumWithConstantOrFittedIndex) {
    SetUpFilm();
    Type(form.Const1, "1.1");
    User([&] { form.FixThickness.Click(); });
    Type(form.thickness, "0.0001");
    User([&] { form.FrFTr.Click(); });   // modes B and C
    User([&] { form.nu633.Click(); });   // mode B: the constant n
    Type(form.ninp, "2.2");
    Calculate();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    EXPECT_EQ(d.FilmThickness, 0.0001);
    EXPECT_EQ(form.thickness.Text(), "0.0001");  // typed, not rewritten

    const double n0 = 1.1;
    auto alphaFor = [&](double n, double t) {
        const double loss = (1 - Reflectance(n, n0)) * (1 - Reflectance(n, nS)) * (1 - Reflectance(nS, n0));
        return -std::log((t == 0 ? 0.0001 : t) / loss) / 0.0001;
    };
    for (int i : {1, 3, 8, 13}) {
        const double t = d.SpecTrans[i] / 100;
        EXPECT_EQ(d.TransFraction[i], t);
        EXPECT_NEAR(d.Absorption[i], alphaFor(2.2, t), 1e-9 * std::fabs(alphaFor(2.2, t))) << i;
    }
    EXPECT_GT(d.Absorption[1], d.Absorption[2]);  // T = 0 counted as 0.0001

    User([&] { form.nu633.Click(); });  // mode C: n from the dispersion polynomial
    Calculate();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    for (int i : {2, 7, 12}) {
        const double lambda = d.SpecLambda[i];
        const double inv = 1.0 / (lambda * lambda);
        const double n = d.DispCoef[0] + d.DispCoef[1] * inv + d.DispCoef[2] * inv * inv;
        const double a = alphaFor(n, d.SpecTrans[i] / 100);
        EXPECT_NEAR(d.Absorption[i], a, 1e-9 * std::fabs(a)) << i;
    }
}

TEST_F(SmallFilmTest, CalculateResetsTheGraphAndGapControls) {
    SetUpFilm();
    form.Direct.SetChecked(true);  // its handler runs now and again when Calculate unchecks it
    d.Tauc[2] = 5;
    d.GraphMode = 1;
    d.TaucLine[1] = 3;
    form.EgOutput.SetText("2.1");
    form.Series2.AddXY(1, 1, clRed);
    form.RadioButton1.SetChecked(true);
    Calculate();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    EXPECT_FALSE(form.Direct.Checked());
    EXPECT_EQ(d.TaucLine[1], 0.0);  // the Direct handler ran
    EXPECT_FALSE(form.RadioButton1.Checked());
    EXPECT_EQ(form.Series2.Count(), 0);
    EXPECT_EQ(form.EgOutput.Text(), "");
    EXPECT_EQ(d.GraphMode, 0);
    EXPECT_EQ(d.Tauc[2], 0.0);
}

TEST_F(SmallFilmTest, LocalEnvelopesThroughThreeNeighbours) {
    SetUpFilm();
    // Six extrema, first a minimum: three minima and three maxima, envelope order 2.
    ImportFringes({{1000, 60}, {900, 90}, {800, 58}, {700, 88}, {600, 55}, {500, 85}});
    Type(form.Wstart, "450");
    Type(form.Wend, "1050");
    Calculate();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    auto pMin = [](double x) { return Parabola(1000, 60, 800, 58, 600, 55, x); };
    auto pMax = [](double x) { return Parabola(900, 90, 700, 88, 500, 85, x); };
    const double eMin[] = {60, 59, 58, pMin(700), 55, pMin(500)};
    const double eMax[] = {91, 90, pMax(800), 88, pMax(600), 85};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_NEAR(d.EnvMinTrans[i], eMin[i - 1], 1e-6) << i;
        EXPECT_NEAR(d.EnvMaxTrans[i], eMax[i - 1], 1e-6) << i;
    }
    // Three minima: the thickness uses the second and third (800 and 600 nm).
    const double la = 800e-7, lb = 600e-7;
    EXPECT_NEAR(d.FilmThickness, la * lb / (2 * (la * d.RefractionExp[3] - lb * d.RefractionExp[2])), 1e-15);
    // Six extrema in range and Order 2.
    EXPECT_EQ(d.FitCount, 11);
}

TEST_F(SmallFilmTest, EstimateOutsideTheRangeIsSkippedWithAMessage) {
    SetUpFilm();
    Type(form.natx, "960");
    form.n633show.SetText("1.5");
    Calculate();
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{
                  "Unable to calculate n at given wavelength! Press Ok to continue without estimating it"});
    EXPECT_TRUE(form.not633.Checked());
    EXPECT_FALSE(form.n633show.Visible());
    EXPECT_FALSE(form.natx.Enabled());
    EXPECT_EQ(form.n633show.Text(), "1.5");  // not rewritten while not633 is checked
    EXPECT_TRUE(form.Estart.Enabled());      // the run went on to the end

    // natx equal to Wstart is inside (the test is strict).
    platform.messages.clear();
    User([&] { form.not633.Click(); });
    Type(form.natx, "550");
    Calculate();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(form.n633show.Text(), FloatToStr(std::trunc(d.DispRefraction[1] * 1e4) / 1e4));
}

TEST_F(SmallFilmTest, NoGridPointAtTheEstimateShowsZero) {
    SetUpFilm();
    Type(form.Wstart, "550.5");  // grid 550.5, 551.5, ...: 632.5 and 633.5 round to even 632 and 634
    Calculate();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    EXPECT_EQ(form.n633show.Text(), "0");
    EXPECT_EQ(d.DispCount, 401);
}

TEST_F(SmallFilmTest, StopsAtTheEntriesLeaveTheirStatedState) {
    SetUpFilm();
    d.EnvMaxTrans[1] = 1234;  // of an earlier run: untouched by a stop before the envelopes
    d.LambdaExp[1] = 7;
    form.RadioButton1.SetChecked(true);
    form.Series1.AddXY(1, 1, clRed);
    const int shown = form.Series1.Count();

    Type(form.Const1, "0");
    Type(form.Const2, "x");  // not read: Const1 already failed
    Calculate();
    EXPECT_EQ(LastMessage(), "Enter valid values of constant Refractive Indexes");
    EXPECT_TRUE(platform.errors.empty());
    EXPECT_EQ(d.LambdaExp[1], 0.0);
    EXPECT_EQ(d.EnvMaxTrans[1], 1234.0);
    EXPECT_TRUE(form.RadioButton1.Checked());  // chart and radio buttons untouched
    EXPECT_EQ(form.Series1.Count(), shown);

    Type(form.Const1, "1");
    Type(form.Const2, "0");
    Calculate();
    EXPECT_EQ(LastMessage(), "Enter valid values of constant Refractive Indexes");
    EXPECT_EQ(platform.messages.size(), 2u);
    Type(form.Const2, "1.5");

    const std::string order = "Polynom order should be within 0 and 10 values!";
    const std::string envOrder = "Polynom order should be within 0 and 5 values!";
    for (auto [o, e, message] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {"11", "2", order}, {"-2", "2", order}, {"2", "6", envOrder}, {"2", "-1", envOrder}}) {
        Type(form.Order, o);
        Type(form.envelope, e);
        platform.messages.clear();
        Calculate();
        EXPECT_EQ(LastMessage(), message) << o << " " << e;
        EXPECT_FALSE(form.RadioButton1.Checked());
        EXPECT_EQ(form.Series1.Count(), 0);
        EXPECT_EQ(d.DispStart, 550.0);
        EXPECT_EQ(d.EnvMaxTrans[1], 1234.0);
    }
    // The extreme orders are accepted.
    Type(form.Order, "10");
    Type(form.envelope, "5");
    platform.messages.clear();
    Calculate();
    EXPECT_TRUE(platform.messages.empty()) << LastMessage();
    EXPECT_NE(d.EnvMaxTrans[1], 1234.0);

    // A typed text that is no number stops with the conversion error.
    Type(form.Tolerance, "1,5");
    Calculate();
    EXPECT_EQ(LastError(), "'1,5' is not a valid floating point value");
    Type(form.Tolerance, "1");
    Type(form.Order, "2.5");
    Calculate();
    EXPECT_EQ(LastError(), "'2.5' is not a valid integer value");
}

TEST_F(SmallFilmTest, StopsForTooFewExtremaKeepTheSplitOrTheFitPoints) {
    SetUpFilm();
    ImportFringes({{900, 90}, {800, 60}, {700, 88}});
    Calculate();
    EXPECT_EQ(LastMessage(), "Not enouph fringers! Please, use bulk section of the program");
    EXPECT_EQ(d.MaxLambda[2], 700.0);  // the lists are written
    EXPECT_EQ(d.MinLambda[1], 800.0);
    EXPECT_EQ(d.LambdaExp[1], 0.0);

    ImportFringes({{600, 56}, {700, 88}, {800, 60}, {900, 90}});
    Type(form.Wstart, "850");
    Type(form.natx, "900");
    platform.messages.clear();
    d.DispCoef[2] = 9;
    Calculate();
    EXPECT_EQ(LastMessage(),
              "Not enouph fringers included! Please, extend range of refractive index calculations, or use bulk "
              "module of the program");
    EXPECT_EQ(d.RangeCount, 1);
    EXPECT_EQ(d.FitCount, 1);
    EXPECT_EQ(d.FitInvLambdaSq[1], 1.0 / (900.0 * 900.0));
    EXPECT_EQ(d.DispCoef[2], 0.0);
    EXPECT_EQ(d.DispCount, 0);
    EXPECT_NE(d.RefractionExp[4], 0.0);  // n at the extrema and the fringes-free curve are there
    EXPECT_NE(d.FreeTrans[13], 0.0);
    EXPECT_EQ(d.DispLambda[1], 0.0);

    Type(form.Wstart, "950");
    Type(form.Wend, "990");
    Type(form.natx, "960");
    Calculate();
    EXPECT_EQ(LastError(), "PolyFit called with less than two points");
    EXPECT_EQ(d.RangeCount, 0);
    EXPECT_EQ(d.FitCount, -1);
    EXPECT_EQ(d.DispCount, 0);
    EXPECT_NE(d.RefractionExp[1], 0.0);

    // Two extrema in range: a straight line through them and their midpoint.
    Type(form.Wstart, "750");
    Type(form.natx, "800");
    Type(form.Order, "5");
    platform.errors.clear();
    Calculate();
    EXPECT_TRUE(platform.errors.empty()) << LastError();
    EXPECT_EQ(d.FitCount, 3);
    EXPECT_EQ(d.DispCoef[2], 0.0);
    ASSERT_EQ(d.DispLambda[51], 800.0);
    EXPECT_NEAR(d.DispRefraction[51], d.RefractionExp[2], 1e-9);
    EXPECT_NEAR(d.DispRefraction[151], d.RefractionExp[1], 1e-9);
}

TEST_F(SmallFilmTest, StopsAtTheThicknessAndTheWavelengths) {
    SetUpFilm();
    User([&] { form.FixThickness.Click(); });
    for (const std::string typed : {"0", "-0.0001"}) {
        Type(form.thickness, typed);
        platform.messages.clear();
        Calculate();
        EXPECT_EQ(LastMessage(), "Enter valid thickness value d");
        EXPECT_EQ(form.thickness.Text(), typed);
        EXPECT_EQ(d.DispCount, 401);  // the grid and the estimate are there
        EXPECT_NE(form.n633show.Text(), "0");
        EXPECT_EQ(d.TaucEnergy[1], 0.0);
        EXPECT_FALSE(form.Estart.Enabled());
    }
    User([&] { form.FixThickness.Click(); });

    User([&] { form.nu633.Click(); });
    Type(form.ninp, "0");
    platform.messages.clear();
    Calculate();
    EXPECT_EQ(LastMessage(), "Enter valid values of Refractive Index n");
    EXPECT_EQ(d.DispCount, 401);
    Type(form.ninp, "2.2");
    Calculate();
    // d = la lb / (2 n (la - lb)) with the two minima 800 and 600 nm.
    EXPECT_NEAR(d.FilmThickness, 800e-7 * 600e-7 / (2 * 2.2 * 200e-7), 1e-15);
    EXPECT_EQ(form.thickness.Text(), "5.4545E-5");
    User([&] { form.nu633.Click(); });

    // A wavelength of 0 inside the spectrum, whose T spans the extrema's.
    std::vector<std::pair<double, double>> spectrum;
    for (int i = 0; i < 13; ++i) spectrum.push_back({i == 6 ? 0.0 : 400.0 + 50 * i, i == 0 ? 95.0 : 50.0});
    ImportSpectrum(spectrum);
    ImportFringes({{600, 56}, {700, 88}, {800, 60}, {900, 90}});
    Type(form.Wstart, "550");
    platform.messages.clear();
    Calculate();
    EXPECT_EQ(LastMessage(), "Not acceptable (negative) lambda value!");
    EXPECT_DOUBLE_EQ(d.TaucEnergy[6], 1239.83 / 650);
    EXPECT_EQ(d.TaucEnergy[8], 0.0);
    EXPECT_NE(d.FilmThickness, 0.0);
    EXPECT_EQ(d.Absorption[1], 0.0);
}

// Values no film can have stop the run with a message instead of a result. The
// spectrum spans 400 to 1000 nm.
TEST_F(SmallFilmTest, ImpossibleEntriesAndResultsAreRefused) {
    const std::string constants = "Enter valid values of constant Refractive Indexes";
    const std::string outside = "The fringe extrema must lie within the wavelength range of the spectrum.";
    const Points alternating = {{600, 56}, {700, 88}, {800, 60}, {900, 90}};
    struct Case {
        const char* what;
        Points fringes;
        Edit* edit;
        const char* typed;
        bool constantN;
        std::string message;
    };
    const Case cases[] = {
        {"n0 below 0", alternating, &form.Const1, "-1", false, constants},
        {"nS below 0", alternating, &form.Const2, "-1.5", false, constants},
        {"constant n below 0", alternating, &form.ninp, "-2.2", true, "Enter valid values of Refractive Index n"},
        {"extremum above the spectrum", {{600, 56}, {700, 88}, {800, 60}, {1000.5, 90}}, nullptr, "", false, outside},
        {"extremum below the spectrum", {{399, 56}, {700, 88}, {800, 60}, {900, 90}}, nullptr, "", false, outside},
        // Out of order, the minima would read shortest first and make d negative.
        {"extrema out of order", {{900, 90}, {600, 56}, {700, 88}, {800, 60}}, nullptr, "", true,
         "Fringe extremum 3 (700 nm, T = 88 %) is out of order: the extrema must run from the longest wavelength to "
         "the shortest, and 600 nm comes before it."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUpFilm();
        ImportFringes(c.fringes);
        Type(form.Wstart, "550");
        if (c.constantN) {
            User([&] { form.nu633.Click(); });
            Type(form.ninp, "2.2");
        }
        if (c.edit) Type(*c.edit, c.typed);
        form.thickness.SetText("0.0002");
        platform.messages.clear();
        Calculate();
        EXPECT_EQ(platform.messages, std::vector<std::string>{c.message});
        EXPECT_TRUE(platform.errors.empty()) << LastError();
        EXPECT_EQ(form.thickness.Text(), "0.0002");
        EXPECT_EQ(d.TaucEnergy[1], 0.0);
        EXPECT_FALSE(form.Estart.Enabled());
        if (c.constantN) User([&] { form.nu633.Click(); });
        Type(form.Const1, "1");
    }
}

TEST_F(SmallFilmTest, ArithmeticFaultsStopWhereTheyHappen) {
    SetUpFilm();
    // Mode A with n = 1: the absorbance formula divides 0 by 0.
    User([&] { form.FixThickness.Click(); });
    Type(form.thickness, "0.0001");
    User([&] { form.nu633.Click(); });
    Type(form.ninp, "1");
    Calculate();
    EXPECT_EQ(LastError(), "Invalid floating point operation");
    EXPECT_EQ(d.AbsEnergy[1], d.TaucEnergy[1]);
    EXPECT_EQ(d.TransFraction[1], 0.0);
    EXPECT_FALSE(form.Estart.Enabled());

    // A grid starting at 0 nm divides by zero.
    Type(form.ninp, "2");
    Type(form.Wstart, "0");
    Calculate();
    EXPECT_EQ(LastError(), "Floating point division by zero");
    EXPECT_EQ(d.DispCount, 0);
    EXPECT_EQ(d.TaucEnergy[1], 0.0);
}

TEST_F(SmallFilmTest, ExtremaOutOfOrderAreRefusedWithoutReadingOutsideTheLists) {
    SetUpFilm();
    // The third extremum repeats the wavelength of the first minimum.
    ImportFringes({{900, 90}, {800, 60}, {800, 88}, {700, 58}, {650, 87}, {600, 56}});
    Calculate();
    EXPECT_EQ(LastMessage(), "Fringe extrema 2 and 3 lie at one wavelength, 800 nm: each extremum must be given once.");
    EXPECT_TRUE(platform.errors.empty());
    EXPECT_EQ(d.EnvMinTrans[3], 0.0);  // refused before the envelopes
    EXPECT_EQ(d.FreeExtTrans[1], 0.0);
    EXPECT_EQ(d.LambdaExp[1], 0.0);
    // The envelopes themselves refuse such a list without reading outside it.
    EXPECT_FALSE(BuildEnvelopes(d, SplitExtrema(d), 3));
    EXPECT_EQ(d.EnvMinTrans[3], 60.0);  // written before the window left the list
}

TEST_F(SmallFilmTest, AnOverwideRangeIsRefusedBeforeTheGridOverflows) {
    SetUpFilm();
    Type(form.Wstart, "1");
    Type(form.Wend, "150000");
    Calculate();
    EXPECT_EQ(LastMessage(),
              "The wavelength range for n calculations is too wide: it must hold at most 100000 points 1 nm apart.");
    EXPECT_EQ(d.DispCount, kCapacity + 1);
    EXPECT_EQ(d.DispLambda[kCapacity], 100000.0);
    EXPECT_EQ(d.TaucEnergy[1], 0.0);
}

TEST_F(SmallFilmTest, TheEstimateIsReadAtEveryGridPoint) {
    SetUpFilm();
    User([&] { form.not633.Click(); });
    Type(form.natx, "");
    Calculate();
    EXPECT_EQ(LastError(), "'' is not a valid floating point value");
    EXPECT_EQ(d.DispLambda[1], 550.0);  // the first grid point was written
    EXPECT_EQ(d.DispCount, 0);
}

}  // namespace
}  // namespace optc::testing
