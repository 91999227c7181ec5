#pragma once
// Runs of many spectra: the spectra of a run (each --spectrum, then the spectrum files
// of --folder), the options that go with them (--save-dir, --summary, --jobs), and each
// spectrum's own options: the same for every spectrum, with its files named after it
// in --save-dir.
#include <string>

#include "app/batch/BatchCommandLine.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace optc {

// --spectrum, which may be given more than once, and the options of runs of many
// spectra, in an analysis of the command line.
void DeclareSpectrum(CLI::App& analysis, BatchOptions& o, const char* meaning);
void DeclareManySpectra(CLI::App& analysis, BatchOptions& o);
// Options that may be given more than once.
bool Repeatable(const CLI::Option& option);

// A spectrum's name in the names of its files: its file name without the ending
// ("spot07" for "day/spot07.txt").
std::string SpectrumName(const std::string& path);

// The spectrum files of a folder, in byte order of their names: regular files with an
// ending that an import reads (.txt, .csv, .jdx...), not hidden, and not the results
// files of another spectrum there (a run that saves into the folder it reads must find
// the same spectra the next time). Files named `skip` are left out as well.
std::vector<std::string> FolderSpectra(const std::string& folder, const BatchOptions& o,
                                       const std::vector<std::string>& skip);

// Completes the options after parsing: --jobs read, the folder's spectra added, and a
// run of one spectrum given the names of its files in --save-dir. Returns why the
// command line is wrong, or nothing.
std::string GatherSpectra(BatchOptions& o);

// The checks of a run of several spectra: every input can be read, and no file the run
// writes (results, tables, extrema, reports, the summary) is an input or another file
// of the run. Returns why the command line is wrong, or nothing.
std::string CheckSpectra(const BatchOptions& o);

// The options of one spectrum of the run: the spectrum itself, and with --save-dir
// BASE = DIR/<its name>, each file of --orders, --save-extrema named DIR/<its
// name><the ending given>. The options given are rewritten to match, so that a stop
// names this spectrum's files.
BatchOptions OptionsFor(const BatchOptions& o, const std::string& spectrum);

}  // namespace optc
