#include "thinfilm/window/ThinFilmMessages.h"

#include "ui/TaucMessages.h"

namespace optc {

const char* ThinFilmMessageText(ThinFilmMessage id) {
    switch (id) {
        case ThinFilmMessage::NotAtGivenWavelength:
            return "Unable to calculate n at given wavelength! Press Ok to continue without estimating it";
        case ThinFilmMessage::InvalidConstants: return "Enter valid values of constant Refractive Indexes";
        case ThinFilmMessage::ExtremaOutsideSpectrum:
            return "The fringe extrema must lie within the wavelength range of the spectrum.";
        case ThinFilmMessage::OrderRange: return "Polynom order should be within 0 and 10 values!";
        case ThinFilmMessage::EnvelopeOrderRange: return "Polynom order should be within 0 and 5 values!";
        case ThinFilmMessage::TooFewFringes: return "Not enouph fringers! Please, use bulk section of the program";
        case ThinFilmMessage::ExtremaOutOfOrder:
            return "The fringe extrema must be ordered by wavelength and alternate between maxima and minima.";
        case ThinFilmMessage::TooManyExtrema: return "Too many fringe extrema: at most 99999 can be used.";
        case ThinFilmMessage::TooFewInRange:
            return "Not enouph fringers included! Please, extend range of refractive index calculations, or use "
                   "bulk module of the program";
        case ThinFilmMessage::RangeTooWide:
            return "The wavelength range for n calculations is too wide: it must hold at most 100000 points "
                   "1 nm apart.";
        case ThinFilmMessage::InvalidThickness: return "Enter valid thickness value d";
        case ThinFilmMessage::InvalidIndex: return "Enter valid values of Refractive Index n";
        case ThinFilmMessage::NoPositiveThickness:
            return "The fringe extrema give no positive film thickness: check that they alternate between maxima "
                   "and minima.";
        case ThinFilmMessage::NegativeLambda: return "Not acceptable (negative) lambda value!";
        case ThinFilmMessage::NothingToSave: return "Calculate first: there are no results to save.";
        case ThinFilmMessage::EgReversedBounds: return TaucMessageText(TaucMessage::ReversedBounds);
        case ThinFilmMessage::EgTooFewPoints: return TaucMessageText(TaucMessage::TooFewPoints);
        case ThinFilmMessage::EgNoPositiveGap: return TaucMessageText(TaucMessage::NoPositiveGap);
        case ThinFilmMessage::SpectrumRefused:
        case ThinFilmMessage::FringesRefused:
        case ThinFilmMessage::ExtremaNotFound:
        case ThinFilmMessage::ImpossibleExtrema:
        case ThinFilmMessage::Error: return nullptr;
    }
    return nullptr;
}

}  // namespace optc
