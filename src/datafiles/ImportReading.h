#pragma once
// The reading half of every import: the open dialog, then the chosen file read and
// brought to nm and %, all before anything of the window changes, so that a cancelled
// dialog or a refused file leaves the window exactly as it was.
#include <optional>
#include <string>

#include "datafiles/PairReader.h"
#include "datafiles/ImportKind.h"
#include "datafiles/ImportFormats.h"
#include "datafiles/UnitChoices.h"

namespace optc {

// The open dialogs' filter: every spectrum file first, then each format alone, then
// every file.
inline const std::string kSpectrumFilter = SpectrumFilter();

// Reads a spectrum file into `into`, by the reader its ending chooses (the table of
// ImportFormats.h): the JCAMP-DX reader converts by the file's own units, and any
// ending no format claims is read as text files always were. A file the readers
// refuse raises FileRefusal with the message to show.
SpectrumFileInfo ReadSpectrumFile(const std::string& path, RestartMode mode, SpectrumKind kind, PairTable& into);

// A file the user chose, read and converted: what an import then stores.
struct ChosenSpectrum {
    std::string path;
    const PairTable& pairs;  // good until the next import reads a file
    SpectrumFileInfo info;

    // The file label: the name as the window shows it, after a note of the file's own
    // units when they were used instead of the start window's.
    std::string Label(const std::string& shownName) const;
};

// "No pair of numbers was found in <file name>."
std::string NoPairsMessage(const std::string& path);

}  // namespace optc
