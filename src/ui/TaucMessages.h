#pragma once
// The messages of the Tauc plot both analysis windows share: each by its id, with the
// text the window shows.
namespace optc {

enum class TaucMessage {
    ReversedBounds,  // Estart above Eend
    TooFewPoints,    // fewer than two points inside the energy window
    NoPositiveGap,   // the fitted line meets the energy axis at 0 eV or below
};

const char* TaucMessageText(TaucMessage id);

}  // namespace optc
