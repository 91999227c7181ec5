#pragma once
// The "spectrumFit" member of a thin-film summary: null when no fit was asked for,
// {"reason": ...} when it could not run, else its result.
#include <optional>
#include <string>

#include "thinfilm/fit/FullSpectrumFit.h"

namespace optc {

class JsonWriter;

void WriteSpectrumFit(JsonWriter& json, const std::optional<SpectrumFitOutcome>& outcome);
std::string SpectrumFitJson(const std::optional<SpectrumFitOutcome>& outcome);

}  // namespace optc
