#include "bulk/BulkMessages.h"

#include "ui/TaucMessages.h"

namespace optc {

const char* BulkMessageText(BulkMessage id) {
    switch (id) {
        case BulkMessage::WrongThickness: return "Wrong thickness value!";
        case BulkMessage::InvalidIndex: return "Enter valid value of Refractive Index";
        case BulkMessage::InvalidEnvironmentIndex: return "Enter valid values of Environmental Refractive Indexes";
        case BulkMessage::ReflectionRange: return kReflectionRangeMessage;
        case BulkMessage::ResampleRefused: return kResampleRefusedMessage;
        case BulkMessage::GridCapacity: return kGridCapacityMessage;
        case BulkMessage::EgReversedBounds: return TaucMessageText(TaucMessage::ReversedBounds);
        case BulkMessage::EgTooFewPoints: return TaucMessageText(TaucMessage::TooFewPoints);
        case BulkMessage::EgNoPositiveGap: return TaucMessageText(TaucMessage::NoPositiveGap);
        case BulkMessage::SpectrumRefused:
        case BulkMessage::ReflectionRefused:
        case BulkMessage::Error: return nullptr;
    }
    return nullptr;
}

}  // namespace optc
