#pragma once
// The kinds of spectrum file the imports read, in one table: each with its name, the
// endings that choose it and its reader. The format choice, the open dialogs' filter
// and the guide's list all come from this table, so a new format is one row.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "datafiles/ByteSource.h"
#include "datafiles/ImportKind.h"
#include "datafiles/PairReader.h"

namespace optc {

// What a reader tells beside the points.
struct SpectrumFileInfo {
    std::string fileUnits;     // JCAMP-DX: how its own units were read; empty: the start window's apply
    bool moreColumns = false;  // CSV: rows with more than two columns
    std::optional<std::string> rangeNote;  // values a little outside 0 to 100 %, after the units
};

// What an import asks of a reader besides the bytes.
struct SpectrumRequest {
    std::string fileName;  // as messages name the file
    RestartMode mode = RestartMode::Below100;
    SpectrumKind kind = SpectrumKind::Transmission;
};

// Reads the points into the table in file order. A file the reader refuses raises
// FileRefusal with the message to show; file errors raise EInOutError.
using SpectrumReader = SpectrumFileInfo (*)(ByteSource& bytes, const SpectrumRequest& request, PairTable& into);

struct SpectrumFormat {
    std::string_view name;                     // "CSV": the filter says "CSV files"
    std::span<const std::string_view> endings;  // lower case, with the dot
    SpectrumReader read;
};

// Text first: it is the format of every ending that no other format claims.
std::span<const SpectrumFormat> SpectrumFormats();

// The format the file's ending chooses, in any case of letters.
const SpectrumFormat& SpectrumFormatOf(const std::string& path);

// Reads the bytes by the format's reader, after what every format shares: UTF-16 text
// is refused by name (FileRefusal).
SpectrumFileInfo ReadSpectrum(const SpectrumFormat& format, ByteSource& bytes, const SpectrumRequest& request,
                              PairTable& into);

// "Spectra (<every ending>);;<name> files (<its endings>);;...;;All files (*)".
std::string SpectrumFilter();

}  // namespace optc
