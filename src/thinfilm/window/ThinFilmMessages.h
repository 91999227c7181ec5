#pragma once
// Every message the Thin Films window shows or stops with, by its id: Calculate's own
// (their texts are kept here, ThinFilmMessageText), the Tauc plot's, the imports'
// refusals, what Find Extrema found missing, and an error box.
namespace optc {

enum class ThinFilmMessage {
    // ---- Calculate ----
    NotAtGivenWavelength,  // a note: Calculate goes on without the n estimate
    InvalidConstants,
    ExtremaOutsideSpectrum,
    OrderRange,
    EnvelopeOrderRange,
    TooFewFringes,
    ExtremaOutOfOrder,
    TooManyExtrema,
    TooFewInRange,
    RangeTooWide,
    InvalidThickness,
    InvalidIndex,
    NoPositiveThickness,
    NegativeLambda,
    // ---- Save Results ----
    NothingToSave,
    // ---- Eg Calculation (the Tauc plot's catalogue) ----
    EgReversedBounds,
    EgTooFewPoints,
    EgNoPositiveGap,
    // ---- Texts made elsewhere: they name a file, a line or a verdict ----
    SpectrumRefused,  // Import Spectrum: the file was refused or holds no pair of numbers
    FringesRefused,   // Import Fringes: the same
    ExtremaNotFound,  // Determine Fringes: Find Extrema found none (the minima window's verdict)
    ImpossibleExtrema,  // Calculate or Fringe Orders: extrema no spectrum can have, by name
    Error,            // an error box ended the event
};

// The text the window shows for an id; nullptr for the texts made elsewhere, which a
// stop carries itself.
const char* ThinFilmMessageText(ThinFilmMessage id);

}  // namespace optc
