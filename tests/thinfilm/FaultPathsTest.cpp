// Faults that reach the user only through the window: the error texts arrive in the
// error box and the run stops where the fault happened.
#include "ThinFilmFixture.h"

namespace optc::testing {
namespace {

using ThinFilmFaultPaths = ThinFilmWindowTest;

TEST_F(ThinFilmFaultPaths, ZeroWaveNumberStopsTheImportBeforeItChangesAnything) {
    ImportSpectrum({{400, 80}, {401, 70}});
    units.waveNumber = true;
    ImportSpectrum({{25000, 80}, {0, 70}, {20000, 60}});
    EXPECT_EQ(LastError(), "Floating point division by zero");
    // The file is converted before it is stored: the earlier spectrum is still there.
    EXPECT_EQ(d.SpecAscending, 1);
    EXPECT_EQ(d.SpecCount, 2);
    EXPECT_EQ(d.SpecLambda[2], 401.0);
}

// First extremum a maximum: minima at positions 2 and 4, both at 512 nm, would give
// a normal matrix that eliminates to an exact zero pivot; they are refused before the
// line fit, by the extremum that breaks the order.
TEST_F(ThinFilmFaultPaths, TwoFirstMinimaAtOneWavelengthAreRefusedBeforeTheLineFit) {
    ImportSpectrum({{400, 50}, {500, 60}, {600, 70}, {700, 95}});
    ImportFringes({{700, 90}, {512, 60}, {600, 88}, {512, 61}});
    Calculate();
    EXPECT_TRUE(platform.errors.empty()) << LastError();
    EXPECT_EQ(LastMessage(), "Fringe extremum 3 (600 nm, T = 88 %) is out of order: the extrema must run from the "
                             "longest wavelength to the shortest, and 512 nm comes before it.");
    EXPECT_FALSE(form.Estart.Enabled());
}

}  // namespace
}  // namespace optc::testing
