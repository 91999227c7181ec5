#include "ui/TaucMessages.h"

namespace optc {

const char* TaucMessageText(TaucMessage id) {
    switch (id) {
        case TaucMessage::ReversedBounds:
            return "Unable to calculate Eg! The minimum value is greater than maximum one! Please, check them";
        case TaucMessage::TooFewPoints:
            return "Unable to calculate Eg! There is not enouph points for tangent line! Please, increase eV region";
        case TaucMessage::NoPositiveGap:
            return "The fitted line gives no positive optical gap: choose another energy range.";
    }
    return "";
}

}  // namespace optc
