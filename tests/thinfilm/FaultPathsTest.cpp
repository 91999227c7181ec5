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

TEST_F(ThinFilmFaultPaths, TwoFirstMinimaAtOneWavelengthMakeTheLineFitSingular) {
    // First extremum a maximum: minima at positions 2 and 4, both at 512 nm, whose
    // normal matrix eliminates to an exact zero pivot.
    ImportSpectrum({{400, 50}, {500, 60}, {600, 70}, {700, 80}});
    ImportFringes({{700, 90}, {512, 60}, {600, 88}, {512, 61}});
    Calculate();
    EXPECT_EQ(LastError(), "Error in GaussJordan: matrix is singular");
    EXPECT_FALSE(form.Estart.Enabled());
}

}  // namespace
}  // namespace optc::testing
