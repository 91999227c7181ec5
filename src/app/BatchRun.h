#pragma once
// Batch runs: one analysis replayed from the command line through the windows' own
// form logic on a platform without a display. The steps are those a user would take
// in the start window and the thin-film or bulk window; the results files are the
// ones Save Results writes, and a JSON summary goes to standard output.
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "thinfilm/orders/FringeOrders.h"

namespace optc {

// Exit statuses of a batch run.
inline constexpr int kBatchDone = 0;      // no message stopped the run, files written
inline constexpr int kBatchStopped = 1;   // a message or an error stopped it
inline constexpr int kBatchWrongUsage = 2;

enum class BatchAnalysis { ThinFilm, Bulk };

// The command line, parsed. Every text is typed into its edit as given.
struct BatchOptions {
    BatchAnalysis analysis = BatchAnalysis::ThinFilm;
    std::string spectrum;
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
    // Every option given, in the order of the usage, with the texts it took (none
    // for a flag): what a stopping message is about.
    std::vector<std::pair<std::string, std::vector<std::string>>> given;
};

// The usage text shown after a wrong command line: the synopsis and the rules.
const std::string& BatchUsage();
// The text of --help: the usage, then every option of each analysis with its meaning
// and its default.
const std::string& BatchHelp();

// Every option the command line knows, each by its long name, --help and --version
// included.
std::vector<std::string> BatchOptionNames();

// A JSON string literal for a text: quotes, backslashes, control characters and DEL
// escaped; bytes that are not valid UTF-8 are read as Latin-1, so the output is
// always valid UTF-8.
std::string JsonString(const std::string& text);

// The "fringeOrders" member of a thin-film summary: null when Calculate did not
// complete, {"reason": ...} when the orders cannot be found, else the result.
std::string FringeOrdersJson(const std::optional<FringeOrdersOutcome>& outcome);

// Runs a whole batch: parses the arguments, replays the steps, writes the JSON
// summary to `out` (or the usage text to `err`) and returns the exit status.
int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace optc
