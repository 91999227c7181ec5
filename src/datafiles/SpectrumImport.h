#pragma once
// The reading half of every import: the open dialog, then the chosen file read and
// brought to nm and %, all before anything of the window changes, so that a cancelled
// dialog or a refused file leaves the window exactly as it was.
#include <optional>
#include <string>

#include "datafiles/PairReader.h"
#include "datafiles/UnitChoices.h"
#include "ui/Platform.h"

namespace optc {

// A file the user chose, read and converted: what an import then stores.
struct ChosenSpectrum {
    std::string path;
    const PairTable& pairs;  // good until the next import reads a file
};

// Reads a spectrum file into `into`. Every import reads through here, so that a
// reader chosen by the file's ending can take the place of the pair reader.
void ReadSpectrumFile(const std::string& path, RestartMode mode, PairTable& into);

// "No pair of numbers was found in <file name>."
std::string NoPairsMessage(const std::string& path);

// Shows the open dialog for "*.txt" and reads the chosen file. Nothing when the user
// cancels or names no existing file; nothing either, after the refusal message, when
// the file holds no point. File and conversion errors are raised.
std::optional<ChosenSpectrum> ChooseSpectrum(Platform& platform, RestartMode mode, UnitChoices units);

}  // namespace optc
