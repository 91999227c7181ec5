#pragma once
// Spectra exported as CSV by spectrophotometer software: fields separated by commas,
// semicolons or tabs, decimal points or (where the separator is not a comma) decimal
// commas, header lines above the data, more columns than two.
#include <string>

#include "datafiles/PairReader.h"
#include "datafiles/TextLines.h"

namespace optc {

// The note an import shows after a file whose rows held more than two columns.
inline const char* kMoreColumnsMessage =
    "The file has more than two columns; the first two columns of numbers were read.";

struct CsvOutcome {
    bool moreColumns = false;
};

// Reads the points of a CSV file into the table, in file order and in the file's own
// numbers (the start window's unit choices are applied afterwards, as for text
// files). The separator is the first of semicolon, tab and comma that splits a line
// into two numbers; that line begins the data, every line above it is a header,
// and its first two fields that are not empty give the two columns. Every later row
// must hold numbers in both; empty lines are passed over. A row without them right
// after an empty line ends the data (the notes instrument software writes below a
// table); any row of numbers after that is refused, since it would be lost.
// A malformed row raises FileRefusal with a message naming its line; file errors
// raise EInOutError, a number beyond the doubles EOverflow.
CsvOutcome ReadCsvSpectrum(LineReader& lines, const std::string& fileName, PairTable& into);

}  // namespace optc
