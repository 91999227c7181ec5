#pragma once
// The fringe extrema written as a fringes file, the format "Import Fringes" reads: a
// header line, then one wavelength-transmission pair per extremum.
#include <string>

#include "thinfilm/ThinFilmData.h"

namespace optc {

// Writes ExtLambda/ExtTrans[1..ExtCount] in their order (longest wavelength first),
// each number in the shortest form with "." that reads back to the same value, so
// that importing the file gives the same extrema. A failure raises the file layer's
// error.
void WriteFringesFile(const ThinFilmData& d, const std::string& path);

}  // namespace optc
