#pragma once
// The options of the batch command line each stop of the windows is about: a switch
// over every id of the windows' message catalogues, so that a new id does not build
// (-Wswitch) until it has its options here.
#include <vector>

#include "bulk/BulkMessages.h"
#include "thinfilm/window/ThinFilmMessages.h"

namespace optc {

// The option that stands for where the fringe extrema came from: --fringes FILE, or
// --find-extrema when the run found them.
inline constexpr const char* kExtremaOption = "--fringes";

// Options by their long names; none for an error box, which is about the step the run
// was taking (or the option that gave a text that is not a number).
std::vector<const char*> OptionsOf(ThinFilmMessage id);
std::vector<const char*> OptionsOf(BulkMessage id);

}  // namespace optc
