#pragma once
// The batch program's command line: its options (CLI11), the checks of the options
// together, the usage and the help text.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/batch/FitOptions.h"

namespace optc {

inline constexpr const char* kBatchProgram = "optical-constants-batch";

// Exit statuses of a batch run.
inline constexpr int kBatchDone = 0;      // no message stopped the run, files written
inline constexpr int kBatchStopped = 1;   // a message or an error stopped it
inline constexpr int kBatchWrongUsage = 2;

enum class BatchAnalysis { ThinFilm, Bulk };

// The command line, parsed. Every text is typed into its edit as given.
struct BatchOptions {
    BatchAnalysis analysis = BatchAnalysis::ThinFilm;
    std::string spectrum;  // the spectrum of one session
    std::optional<std::string> fringes;     // thin film
    bool findExtrema = false;               // thin film, instead of fringes
    std::optional<std::string> saveExtrema; // thin film
    std::optional<std::string> reflection;  // bulk
    bool waveNumber = false;
    bool fraction = false;
    std::optional<std::string> n0, ns, tolerance, wstart, wend, natx, order, envelope;
    std::optional<std::string> constantN, constantR, thickness;
    bool noEstimate = false;
    bool noFringesFree = false;
    bool reflectionSpectrum = false;
    bool direct = false;
    std::optional<std::pair<std::string, std::string>> eg;
    std::string save;
    std::optional<std::string> orders;  // thin film: the fringe-orders table
    bool useOrdersThickness = false;    // thin film: "Use This Thickness", then Calculate
    FitBatchOptions fit;                // thin film: Fit Spectrum
    bool saveOnStop = false;            // write the files also after a stop
    std::optional<std::string> report;  // the PDF report of Save Report...
    // Runs of many spectra (SpectrumList): every spectrum of the run, each --spectrum
    // then the spectrum files of --folder; the folder results are named in; the CSV
    // summary; how many spectra are analysed at once (0: one per core).
    std::vector<std::string> spectra;
    std::optional<std::string> folder, saveDir, summary, jobs;
    unsigned jobCount = 0;
    // Every option given, in the order of the usage, with the texts it took (none
    // for a flag): what a stopping message is about.
    std::vector<std::pair<std::string, std::vector<std::string>>> given;
};

// What the command line asks for: a run, or a text to print (--help, --version), or
// nothing but the reason it is wrong.
struct CommandLine {
    std::optional<BatchOptions> run;
    std::string print;
    std::string error;
};

CommandLine ReadCommandLine(const std::vector<std::string>& args);

// The usage text shown after a wrong command line: the synopsis and the rules.
const std::string& BatchUsage();
// The text of --help: the usage, then every option of each analysis with its meaning
// and its default.
const std::string& BatchHelp();

// Every option the command line knows, each by its long name, --help and --version
// included.
std::vector<std::string> BatchOptionNames();

// The texts an option was given, or nothing when it was not given.
const std::vector<std::string>* GivenValues(const BatchOptions& o, const std::string& name);
// Texts joined by blanks.
std::string Joined(const std::vector<std::string>& values);
// The values of an option as a message names them: a file's path whole, a typed text
// cut to the 40 characters a message quotes (a value of 65000 bytes is no subject).
std::string ShownValues(const std::string& option, const std::vector<std::string>& values);
// Options as the command line gave them ("--ns -1.5"), or their names alone when none
// of them was given.
std::string NameOptions(const BatchOptions& o, const std::vector<std::string>& names);

// Why an input file named on the command line cannot be read, naming the path and
// what is wrong with it; empty when it can.
std::string InputFileFault(const char* option, const std::string& path);

// The files a run writes, each with its option, in the order they are written: the
// table of --orders (from the Fringe Orders dialog), the results files, named as Save
// Results names them, the extrema file of --save-extrema, the table of --fit-table and
// the report of --report.
std::vector<std::pair<const char*, std::string>> ResultsFiles(const BatchOptions& o);

}  // namespace optc
