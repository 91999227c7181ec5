#pragma once
// The bulk absorption calculation: photon energy, absorption coefficient and Tauc
// ordinates of every point, from the transmission spectrum and one of three sources
// of reflection. When the reflection spectrum lies on another wavelength grid, both
// spectra are first resampled onto a common grid by local quadratics.
#include <stdexcept>
#include <string>

#include "bulk/BulkData.h"
#include "bulk/BulkMessages.h"

namespace optc {

enum class ReflectionSource {
    ConstantN,  // R from a constant refractive index against the environment's index
    ConstantR,  // a constant reflection in percent
    Spectrum,   // the imported reflection spectrum
};

// Raised by the resampling when it cannot build the common grid. The window shows the
// text in a message box, as it does for its other input checks.
class ResampleRefused : public std::runtime_error {
public:
    explicit ResampleRefused(BulkMessage id) : std::runtime_error(BulkMessageText(id)), id_(id) {}
    BulkMessage Id() const { return id_; }

private:
    BulkMessage id_;
};

// Photon energy in eV of a wavelength in nm; 0 for a wavelength of 0 or below.
double PhotonEnergy(double lambda);

// Transmission in % as a fraction; an exact 0 counts as 0.00001 %.
double TransFractionOf(double percent);

// Constant refractive index n against the environment index n0. Uses SpecCount points.
void AbsorptionConstantN(BulkData& d, double n, double n0);

// Constant reflection, in %.
void AbsorptionConstantR(BulkData& d, double reflPercent);

// Whether the reflection spectrum lies on the transmission grid: the first and last
// wavelengths, the counts and the first step agree exactly. Two empty spectra do.
bool ShareGrid(const BulkData& d);

// The reflection spectrum: on the transmission grid point by point, otherwise on the
// common grid (ResampleOntoCommonGrid). Sets AbsCount.
void AbsorptionFromSpectrum(BulkData& d);

// Builds GridLambda/GridTrans and GridReflLambda/GridRefl and sets AbsCount to the
// shorter of the two. Raises ResampleRefused for a step of 0 or below, a spectrum of
// fewer than three points or a grid beyond the capacity; a floating-point error when
// one spectrum is empty.
void ResampleOntoCommonGrid(BulkData& d);

}  // namespace optc
