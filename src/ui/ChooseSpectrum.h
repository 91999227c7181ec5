#pragma once
// The open dialog of every import, and the chosen file read and brought to nm and %
// before anything of the window changes.
#include <optional>
#include <string>

#include "datafiles/ImportReading.h"
#include "ui/Platform.h"

namespace optc {

// Shows the open dialog and reads the chosen file. Nothing when the user cancels or
// names no existing file; nothing either, after the message that says why, when the
// file is refused or holds no point: that message's text then goes to *refusal when
// given. File and conversion errors are raised.
std::optional<ChosenSpectrum> ChooseSpectrum(Platform& platform, RestartMode mode, SpectrumKind kind,
                                             UnitChoices units, std::string* refusal = nullptr);

}  // namespace optc
