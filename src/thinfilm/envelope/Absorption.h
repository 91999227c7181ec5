#pragma once
// Photon energies, the absorption coefficient and the two Tauc ordinates at every
// spectrum point.
#include <functional>

#include "thinfilm/ThinFilmData.h"

namespace optc {

// hc in eV nm: E = 1239.83 / lambda.
inline constexpr double kPhotonEnergyFactor = 1239.83;

// TaucEnergy at every point in order. Returns false at the first wavelength that is
// not positive; the points before it keep their energies.
bool PhotonEnergies(ThinFilmData& data);

struct AbsorptionInputs {
    bool fringesFree = true;    // mode A: from the fringes-free transmission
    bool constantIndex = false; // n from the typed constant instead of the dispersion
    // The typed constant n: asked for each point in mode A, once for the pass in
    // mode B, so a bad text stops the work where it is read.
    std::function<double()> readConstantIndex;
    double n0 = 1.0;  // ambient medium
    double nS = 1.0;  // substrate
};

// Mode A (fringes-free): x = exp(-alpha d) from the geometric mean of the envelope
// model; FreeTrans values <= 0 become 0.01 first. Modes B and C: the measured
// transmission corrected for the reflections of the three interfaces. Fills
// AbsEnergy, TransFraction, Absorption, TaucDirect and TaucIndirect point by point;
// arithmetic faults raise at the failing point.
void AbsorptionAndTauc(ThinFilmData& data, const AbsorptionInputs& inputs);

}  // namespace optc
