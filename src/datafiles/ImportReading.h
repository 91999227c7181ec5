#pragma once
// The reading half of every import: the open dialog, then the chosen file read and
// brought to nm and %, all before anything of the window changes, so that a cancelled
// dialog or a refused file leaves the window exactly as it was.
#include <optional>
#include <string>

#include "datafiles/PairReader.h"
#include "datafiles/ImportKind.h"
#include "datafiles/UnitChoices.h"

namespace optc {

// The open dialogs' filter: every spectrum file first, then each format alone, then
// every file.
inline const char* kSpectrumFilter =
    "Spectra (*.txt *.csv *.jdx *.dx *.jcamp);;Text files (*.txt);;CSV files (*.csv);;"
    "JCAMP-DX files (*.jdx *.dx *.jcamp);;All files (*)";

// What a reader tells beside the points.
struct SpectrumFileInfo {
    std::string fileUnits;     // JCAMP-DX: how its own units were read; empty: the start window's apply
    bool moreColumns = false;  // CSV: rows with more than two columns
};

// Reads a spectrum file into `into`, by the reader its ending chooses: ".csv" the CSV
// reader, ".jdx", ".dx" and ".jcamp" the JCAMP-DX reader (which converts by the
// file's own units), any other the pair reader, exactly as text files were always
// read. A file the readers refuse raises FileRefusal with the message to show.
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
