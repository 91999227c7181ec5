#pragma once
// Every message the Bulk window shows or stops with, by its id: Calculate's own input
// checks and the resampling's refusals (their texts are kept here, BulkMessageText),
// the Tauc plot's, the imports' refusals, and an error box.
namespace optc {

enum class BulkMessage {
    // ---- Calculate ----
    WrongThickness,
    InvalidIndex,
    InvalidEnvironmentIndex,
    ReflectionRange,
    ResampleRefused,
    GridCapacity,
    // ---- Eg Calculation (the Tauc plot's catalogue) ----
    EgReversedBounds,
    EgTooFewPoints,
    EgNoPositiveGap,
    // ---- Texts made elsewhere: they name a file or a line ----
    SpectrumRefused,    // Import T Spectrum: the file was refused or holds no pair of numbers
    ReflectionRefused,  // Import R spectrum: the same
    Error,              // an error box ended the event
};

// The texts that tests and the calculation name directly.
inline constexpr const char* kResampleRefusedMessage =
    "Unable to resample the spectra onto a common grid: each needs at least three points "
    "with distinct first and last wavelengths.";
inline constexpr const char* kGridCapacityMessage = "The common grid would exceed 100000 points.";
// Shown when the constant reflection typed is not a reflection of one face.
inline constexpr const char* kReflectionRangeMessage =
    "Enter valid value of Reflection R = const: from 0 up to, but not including, 100 %";

// The text the window shows for an id; nullptr for the texts made elsewhere, which a
// stop carries itself.
const char* BulkMessageText(BulkMessage id);

}  // namespace optc
