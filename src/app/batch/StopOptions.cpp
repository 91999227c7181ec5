#include "app/batch/StopOptions.h"

#include <algorithm>

namespace optc {

std::vector<const char*> OptionsOf(ThinFilmMessage id) {
    using M = ThinFilmMessage;
    switch (id) {
        case M::NotAtGivenWavelength: return {"--natx"};
        case M::InvalidConstants: return {"--n0", "--ns"};
        case M::OrderRange: return {"--order"};
        case M::EnvelopeOrderRange: return {"--envelope"};
        case M::ExtremaOutsideSpectrum:
        case M::TooFewFringes:
        case M::ExtremaOutOfOrder:
        case M::TooManyExtrema:
        case M::NoPositiveThickness:
        case M::ImpossibleExtrema: return {kExtremaOption};
        case M::TooFewInRange:
        case M::RangeTooWide: return {"--wstart", "--wend"};
        case M::InvalidThickness: return {"--thickness"};
        case M::InvalidIndex: return {"--constant-n"};
        case M::NegativeLambda:
        case M::SpectrumRefused: return {"--spectrum"};
        case M::EgReversedBounds:
        case M::EgTooFewPoints:
        case M::EgNoPositiveGap: return {"--eg"};
        case M::FringesRefused: return {"--fringes"};
        case M::NothingToSave: return {"--save"};
        case M::ExtremaNotFound: return {"--find-extrema"};
        case M::Error: return {};
    }
    return {};
}

std::vector<const char*> OptionsOf(BulkMessage id) {
    using M = BulkMessage;
    switch (id) {
        case M::WrongThickness: return {"--thickness"};
        case M::InvalidIndex: return {"--constant-n"};
        case M::InvalidEnvironmentIndex: return {"--n0"};
        case M::ReflectionRange: return {"--constant-r"};
        case M::ResampleRefused:
        case M::GridCapacity: return {"--spectrum", "--reflection"};
        case M::EgReversedBounds:
        case M::EgTooFewPoints:
        case M::EgNoPositiveGap: return {"--eg"};
        case M::SpectrumRefused: return {"--spectrum"};
        case M::ReflectionRefused: return {"--reflection"};
        case M::Error: return {};
    }
    return {};
}

std::string StopSubject(const BatchOptions& o, const std::vector<const char*>& options, const std::string& typed,
                        const std::string& step) {
    if (!options.empty()) {
        std::vector<std::string> names;
        for (const char* option : options) {
            const bool found = option == std::string(kExtremaOption) && o.findExtrema && !o.fringes;
            names.push_back(found ? "--find-extrema" : option);
        }
        return NameOptions(o, names);
    }
    if (!typed.empty()) {
        for (const auto& [name, values] : o.given)
            if (std::find(values.begin(), values.end(), typed) != values.end()) return name + " " + ShownValues(name, values);
    }
    return step;
}

}  // namespace optc
