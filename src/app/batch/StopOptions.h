#pragma once
// The options of the batch command line each stop of the windows is about: a switch
// over every id of the windows' message catalogues, so that a new id does not build
// (-Wswitch) until it has its options here.
#include <string>
#include <vector>

#include "app/batch/BatchCommandLine.h"
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

// The subject of a stop on standard error: the stop's options as the command line
// gave them (kExtremaOption naming --find-extrema in a run that found its extrema),
// else the option that gave a text that is not a number, else the step the run was
// taking. Every value is cut to the 40 characters a message quotes.
std::string StopSubject(const BatchOptions& o, const std::vector<const char*>& options, const std::string& typed,
                        const std::string& step);

}  // namespace optc
