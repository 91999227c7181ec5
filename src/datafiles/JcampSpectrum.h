#pragma once
// Spectra in JCAMP-DX (versions 4.24 and 5.01), the exchange format of the IUPAC that
// spectrophotometer software writes: one block of one spectrum, its data as
// ##XYDATA=(X++(Y..Y)) in any of the standard's forms or as ##XYPOINTS=(XY..XY).
#include <string>

#include "datafiles/PairReader.h"
#include "datafiles/ImportKind.h"
#include "datafiles/TextLines.h"

namespace optc {

struct JcampOutcome {
    std::string units;  // how the file's own units were read, e.g. "1/cm, transmittance in %"
};

// Reads the spectrum into the table in file order, converted by the file's own units
// (##XUNITS, ##YUNITS) to nm and %. The abscissas of ##XYDATA are those of ##FIRSTX,
// ##LASTX and ##NPOINTS; the X that begins each line, ##DELTAX, the number of points
// and the check values of compressed lines are checked against them. A file that
// is not one spectrum of the kind the import reads, or that breaks the format,
// raises FileRefusal naming the line; file errors raise EInOutError, floating-point
// faults the program's errors.
JcampOutcome ReadJcampSpectrum(LineReader& lines, const std::string& fileName, SpectrumKind kind, PairTable& into);

}  // namespace optc
