#include "app/batch/BatchCommandLine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <set>
#include <sstream>

#include <CLI/CLI.hpp>

#include "app/Version.h"
#include "app/batch/BatchReport.h"
#include "app/batch/InputSpectra.h"
#include "datafiles/FileErrors.h"
#include "datafiles/QuotedText.h"
#include "datafiles/ResultsFileSet.h"
#include "thinfilm/envelope/ThinFilmResults.h"

namespace optc {

namespace {

// The analyses are CLI11 subcommands, each with the options that belong to it in
// the order of the usage (a message about a typed text names the first option that
// gave it). A value is taken as it stands, even when it looks like an option. Words
// the parser does not know are kept, not refused, so that the batch can say what
// they are in its own words. Each option shows in --help with its default: the
// window's, where an edit is not given.
void DeclareCommandLine(CLI::App& app, BatchOptions& o) {
    app.allow_extras();
    app.require_subcommand(0, 1);
    app.option_defaults()->group("Other options")->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.set_help_flag("-h,--help", "Print this text and exit.");
    app.set_version_flag("--version", std::string(kBatchProgram) + " " + kProgramVersion, "Print the version and exit.");

    CLI::App& thin = *app.add_subcommand("thinfilm");
    CLI::App& bulk = *app.add_subcommand("bulk");
    for (CLI::App* analysis : {&thin, &bulk}) {
        analysis->allow_extras();
        // --version after the analysis as well, as --help; listed once, with the others.
        analysis->set_version_flag("--version", std::string(kBatchProgram) + " " + kProgramVersion)->group("");
        analysis->option_defaults()->group("Options of a " + analysis->get_name() + " run");
    }
    const auto text = [](CLI::App& analysis, const char* name, auto& value, const char* valueName,
                         const char* meaning, const char* fallback = "") {
        analysis.add_option(name, value, meaning)->option_text(valueName)->default_str(fallback);
    };
    const auto flag = [](CLI::App& analysis, const char* name, bool& value, const char* meaning,
                         const char* fallback) { analysis.add_flag(name, value, meaning)->default_str(fallback); };
    const auto units = [&](CLI::App& analysis) {
        flag(analysis, "--wavenumber", o.waveNumber,
             "The first column holds wave numbers in 1/cm (\"WaveVector (1/cm)\").", "wavelengths in nm");
        flag(analysis, "--fraction", o.fraction,
             "The second column holds fractions of 1 (\"Transmission in a.u.\").", "percent");
    };
    const auto gap = [&](CLI::App& analysis) {
        flag(analysis, "--direct", o.direct,
             "\"Direct Gap Semiconductor\": the Tauc plot shows (αhν)² instead of (αhν)^½.", "an indirect gap");
        text(analysis, "--eg", o.eg, "EMIN EMAX", "Fit the optical gap between EMIN and EMAX eV (\"Eg Calculation\").",
             "no fit");
    };
    const auto saveOnStop = [&](CLI::App& analysis) {
        flag(analysis, "--save-on-stop", o.saveOnStop,
             "Write the results files (and --orders, --save-extrema) also when a message or an error stopped "
             "the run, from what the workspace holds then.",
             "none written after a stop");
    };
    const auto report = [&](CLI::App& analysis) {
        text(analysis, "--report", o.report, "FILE",
             "Write the report of \"Save Report...\" to FILE, a PDF (with --save-dir, the ending of each "
             "spectrum's report: .pdf gives DIR/spot07.pdf); an existing file that is not a PDF is not replaced.",
             "not written");
    };
    const char* n0 = "Refractive index of the surroundings, n0.";

    DeclareSpectrum(thin, o, "The transmission spectrum (\"Import Spectrum\"). Required.");
    text(thin, "--save", o.save, "BASE",
         "Save Results: BASERef.txt, BASEAbs.txt, BASEtauc.txt and BASEFreeTrans.txt. Required.");
    text(thin, "--fringes", o.fringes, "FILE", "The fringe extrema (\"Import Fringes\").",
         "none; without --find-extrema, Calculate finds too few fringes");
    flag(thin, "--find-extrema", o.findExtrema,
         "Take the extrema that \"Find Extrema\" finds in the spectrum (\"Determine Fringes\", \"Find Extrema\", "
         "\"Ok\"); not with --fringes.",
         "off");
    text(thin, "--save-extrema", o.saveExtrema, "FILE", "Write the extrema used as a fringes file.", "not written");
    units(thin);
    text(thin, "--n0", o.n0, "T", n0, "1");
    text(thin, "--ns", o.ns, "T", "Refractive index of the substrate, nS.", "2");
    text(thin, "--tolerance", o.tolerance, "T", "Tolerance of the maxima below the substrate transmission, %.", "1");
    text(thin, "--wstart", o.wstart, "T", "Start of the wavelength range of n(λ), nm.", "proposed by the extrema");
    text(thin, "--wend", o.wend, "T", "End of the wavelength range of n(λ), nm.", "proposed by the extrema");
    text(thin, "--natx", o.natx, "T", "The wavelength at which n is reported, nm (digits only).", "633");
    flag(thin, "--no-estimate", o.noEstimate, "\"Do not show any estimated n value\".", "n is reported");
    text(thin, "--constant-n", o.constantN, "T", "\"Use constant n =\" this refractive index.", "n is calculated");
    text(thin, "--thickness", o.thickness, "T",
         "\"Do not calculate d, use input value\": the film's thickness in cm.", "d is calculated");
    flag(thin, "--no-fringes-free", o.noFringesFree, "Leave \"Use fringes-free Transmission\" unchecked.",
         "checked");
    text(thin, "--order", o.order, "T", "Order of the n(λ) polynomial.", "2");
    text(thin, "--envelope", o.envelope, "T", "Order of the local envelope polynomials.", "3");
    gap(thin);
    text(thin, "--orders", o.orders, "FILE", "Save the table of \"Fringe Orders...\" (\"Save Table...\").",
         "not saved");
    flag(thin, "--use-orders-thickness", o.useOrdersThickness,
         "After \"Fringe Orders...\": \"Use This Thickness\", then Calculate and the gap steps again with the "
         "thickness from the fringe orders, also when the first Calculate stopped.",
         "off");
    DeclareFitOptions(thin, o.fit);
    saveOnStop(thin);
    report(thin);
    DeclareManySpectra(thin, o);

    const char* oneSource = "none; a bulk run needs exactly one of --constant-r, --constant-n and --reflection-spectrum";
    DeclareSpectrum(bulk, o, "The transmission spectrum (\"Import T Spectrum\"). Required.");
    text(bulk, "--save", o.save, "BASE", "Save Results: BASEAbs.txt and BASEtauc.txt. Required.");
    text(bulk, "--reflection", o.reflection, "FILE", "The reflection spectrum (\"Import R spectrum\").", "none");
    units(bulk);
    text(bulk, "--n0", o.n0, "T", n0, "1");
    text(bulk, "--constant-n", o.constantN, "T",
         "Reflection from this constant refractive index (\"Enter Refractive index n = const\"); "
         "with --n0 if given.",
         oneSource);
    text(bulk, "--constant-r", o.constantR, "T", "A constant reflection, % (\"Enter Reflection R = const , %\").",
         oneSource);
    flag(bulk, "--reflection-spectrum", o.reflectionSpectrum,
         "Reflection from the spectrum of --reflection, which it needs.", oneSource);
    text(bulk, "--thickness", o.thickness, "T", "Thickness of the sample, cm.", "1");
    gap(bulk);
    saveOnStop(bulk);
    report(bulk);
    DeclareManySpectra(bulk, o);
}

CLI::App& Analysis(CLI::App& app, BatchAnalysis analysis) {
    return *app.get_subcommand(analysis == BatchAnalysis::ThinFilm ? "thinfilm" : "bulk");
}

// CLI11's option lines: the name with the value it takes, then the meaning and the
// default, wrapped to 80 columns.
class HelpFormatter : public CLI::Formatter {
public:
    HelpFormatter() { column_width(kColumn); }

    std::string make_option_opts(const CLI::Option* option) const override {
        return option->get_option_text().empty() ? "" : " " + option->get_option_text();
    }

    std::string make_option_desc(const CLI::Option* option) const override {
        const std::string& fallback = option->get_default_str();
        return Wrapped(option->get_description() + (fallback.empty() ? "" : " Default: " + fallback + "."));
    }

private:
    static constexpr std::size_t kColumn = 24;

    static std::string Wrapped(const std::string& text) {
        std::string wrapped, line;
        std::istringstream words(text);
        for (std::string word; words >> word;) {
            if (!line.empty() && line.size() + 1 + word.size() > 80 - kColumn) {
                wrapped += line + "\n";
                line.clear();
            }
            line += (line.empty() ? "" : " ") + word;
        }
        return wrapped + line;
    }
};

}  // namespace

std::string InputFileFault(const char* option, const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        const int err = errno;
        if (err == ENOENT) return "no such file: " + path;
        return std::string(option) + " " + FileDetail(path, SystemReason(err, path));
    }
    if (S_ISDIR(st.st_mode)) return std::string(option) + " " + FileDetail(path, "it is a folder, not a file");
    if (!S_ISREG(st.st_mode))
        return std::string(option) + " " + FileDetail(path, "it is a pipe or a device, not a file");
    if (::access(path.c_str(), R_OK) != 0) {
        const int err = errno;
        return std::string(option) + " " + FileDetail(path, SystemReason(err, path));
    }
    return "";
}

namespace {

// Two names of one file: the same path once made absolute with its links resolved
// (neither need exist), or the same file where both exist (a hard link).
bool SameFile(const std::string& a, const std::string& b) {
    const auto whole = [](const std::string& path) {
        std::error_code ec;
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
        return ec ? std::filesystem::absolute(path, ec).lexically_normal() : resolved;
    };
    std::error_code ec;
    return whole(a) == whole(b) || std::filesystem::equivalent(a, b, ec);
}

// What the parser leaves to the batch: the analysis must come first, words it does
// not know and options given twice are refused, then the options are checked
// together. Returns why the command line is wrong, or nothing.
std::string CheckCommandLine(CLI::App& app, const std::vector<std::string>& args, BatchOptions& o) {
    const std::vector<CLI::App*> parsed = app.get_subcommands();
    if (parsed.empty() || args[0] != parsed[0]->get_name())
        return args.empty() ? "no analysis given (thinfilm or bulk)"
                            : "unknown analysis '" + args[0] + "' (thinfilm or bulk)";
    CLI::App& analysis = *parsed[0];
    o.analysis = analysis.get_name() == "thinfilm" ? BatchAnalysis::ThinFilm : BatchAnalysis::Bulk;
    const CLI::App& other =
        Analysis(app, o.analysis == BatchAnalysis::ThinFilm ? BatchAnalysis::Bulk : BatchAnalysis::ThinFilm);

    // Words the analysis does not know, then those CLI11 hands back after a "--".
    std::vector<std::string> unknown = analysis.remaining();
    const std::vector<std::string> afterEnd = app.remaining();
    unknown.insert(unknown.end(), afterEnd.begin(), afterEnd.end());
    if (!unknown.empty()) {
        const std::string& word = unknown.front();
        if (other.get_option_no_throw(word))
            return "option " + word + " does not belong to a " + analysis.get_name() + " run";
        return "unknown option '" + word + "'";
    }
    for (const CLI::Option* option : analysis.get_options()) {
        if (!option->count()) continue;
        const int perUse = option->get_items_expected_max();
        if (option->count() > static_cast<std::size_t>(std::max(perUse, 1)) && !Repeatable(*option))
            return "option " + option->get_name() + " given twice";
        o.given.emplace_back(option->get_name(), perUse ? option->results() : std::vector<std::string>());
    }

    if (!GivenValues(o, "--spectrum") && !o.folder) return "--spectrum FILE is required";
    if (!GivenValues(o, "--save") && !o.saveDir) return "--save BASE is required";
    if (!o.saveDir && o.save.empty()) return "--save needs a non-empty BASE";
    if (o.fringes && o.findExtrema) return "--fringes and --find-extrema exclude each other";
    if (o.analysis == BatchAnalysis::Bulk) {
        const int sources = (o.constantR ? 1 : 0) + (o.constantN ? 1 : 0) + (o.reflectionSpectrum ? 1 : 0);
        if (sources != 1) return "a bulk run needs exactly one of --constant-r, --constant-n and --reflection-spectrum";
        // Options that do nothing without their partner.
        if (o.reflectionSpectrum && !o.reflection) return "option --reflection-spectrum needs --reflection";
        if (o.n0 && !o.constantN) return "option --n0 needs --constant-n";
    }
    // natx accepts digits only; a user cannot type anything else into it.
    if (o.natx && o.natx->find_first_not_of("0123456789") != std::string::npos) return "--natx takes digits only";
    if (std::string fault = CheckFitOptions(o.fit); !fault.empty()) return fault;
    if (std::string fault = GatherSpectra(o); !fault.empty()) return fault;
    if (o.spectra.size() > 1) return CheckSpectra(o);
    // The window's import would silently read nothing from a missing file; a batch
    // run refuses it instead of computing on an empty spectrum.
    const std::pair<const char*, const std::string*> inputs[] = {
        {"--spectrum", &o.spectrum},
        {"--fringes", o.fringes ? &*o.fringes : nullptr},
        {"--reflection", o.reflection ? &*o.reflection : nullptr}};
    for (const auto& [option, file] : inputs)
        if (file)
            if (std::string fault = InputFileFault(option, *file); !fault.empty()) return fault;
    // Saving must never destroy what the run reads, nor one result another.
    const auto results = ResultsFiles(o);
    for (const auto& [output, result] : results) {
        for (const auto& [option, file] : inputs) {
            std::error_code ec;
            if (file && std::filesystem::equivalent(result, *file, ec))
                return "results file " + result + " would overwrite the " + option + " file";
        }
    }
    for (auto later = results.begin(); later != results.end(); ++later) {
        for (auto earlier = results.begin(); earlier != later; ++earlier) {
            if (SameFile(later->second, earlier->second))
                return "results file " + later->second + " of " + later->first + " would overwrite the " +
                       earlier->first + " file";
        }
    }
    if (o.report)
        if (std::string fault = ReportFileFault(*o.report); !fault.empty()) return fault;
    return o.summary ? CheckSpectra(o) : "";
}

}  // namespace

CommandLine ReadCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    BatchOptions o;
    CLI::App app;
    DeclareCommandLine(app, o);
    std::vector<std::string> lastFirst(args.rbegin(), args.rend());  // the order CLI11 takes
    try {
        app.parse(lastFirst);
    } catch (const CLI::CallForHelp&) {
        line.print = BatchHelp();
        return line;
    } catch (const CLI::CallForVersion& version) {
        line.print = version.what() + std::string("\n");
        return line;
    } catch (const CLI::ArgumentMismatch& e) {
        // The values of an option run past the end of the command line:
        // "--eg: 2 required [TEXT,TEXT] missing".
        const std::string what = e.what();
        line.error = what;
        for (const CLI::App* analysis : app.get_subcommands())
            if (const CLI::Option* option = analysis->get_option_no_throw(what.substr(0, what.find(':'))))
                line.error = "option " + option->get_name() +
                             (option->get_items_expected_max() > 1 ? " needs two values" : " needs a value");
        return line;
    } catch (const CLI::ParseError& e) {
        line.error = e.what();
        return line;
    }
    line.error = CheckCommandLine(app, args, o);
    if (line.error.empty()) line.run = std::move(o);
    return line;
}

const std::string& BatchUsage() {
    static const std::string usage =
        "usage: optical-constants-batch thinfilm --spectrum FILE [--fringes FILE | --find-extrema]\n"
        "           [--save-extrema FILE] [--wavenumber] [--fraction]\n"
        "           [--n0 T] [--ns T] [--tolerance T] [--wstart T] [--wend T] [--natx T] [--no-estimate]\n"
        "           [--constant-n T] [--thickness T] [--no-fringes-free] [--order T] [--envelope T]\n"
        "           [--direct] [--eg EMIN EMAX] [--orders FILE] [--use-orders-thickness]\n"
        "           [--fit [--slit-width NM] [--fit-dispersion LAW] [--fit-absorption LAW] [--fit-uniform]\n"
        "           [--fit-substrate] [--fit-from NM] [--fit-to NM] [--fit-table FILE] [--use-fit-thickness]]\n"
        "           [--save-on-stop] --save BASE\n"
        "       optical-constants-batch bulk --spectrum FILE [--reflection FILE] [--wavenumber] [--fraction]\n"
        "           (--constant-r T | --constant-n T [--n0 T] | --reflection-spectrum) [--thickness T]\n"
        "           [--direct] [--eg EMIN EMAX] [--save-on-stop] --save BASE\n"
        "       optical-constants-batch thinfilm|bulk (--spectrum FILE ... | --folder DIR) [the options above]\n"
        "           [--summary FILE] [--jobs N] --save-dir DIR\n"
        "\n"
        "Replays the steps of the Thin Films or the Bulk window and writes the results files\n"
        "named after BASE, and with --orders the fringe-orders table to FILE. Every T is\n"
        "typed into its edit as given, with \".\" as the decimal separator.\n"
        "--reflection-spectrum needs --reflection FILE, and a bulk --n0 needs --constant-n.\n"
        "A JSON summary goes to standard output; a message that stops the run is also\n"
        "written to standard error with the file or option it is about, and no file is\n"
        "written then (--save-on-stop writes them all the same). Exit status: 0 when the\n"
        "files were written and no message stopped the run, 1 when a message or an error\n"
        "stopped it or standard output could not be written, 2 for a wrong command line\n"
        "(also a results file that would overwrite an input file or another results file\n"
        "of the run).\n"
        "\n"
        "--find-extrema takes the fringe extrema that \"Find Extrema\" finds in the spectrum\n"
        "(Determine Fringes, Find Extrema, Ok); --save-extrema writes the extrema used as a\n"
        "fringes file that --fringes and \"Import Fringes\" read back.\n"
        "\n"
        "Several spectra (--spectrum given more than once, --folder) are each analysed with\n"
        "the same options, N at once, their results named after them in --save-dir;\n"
        "standard output then gets one JSON summary line for each, with its \"file\" first,\n"
        "a spectrum that stops does not stop the others, and the exit status is 1 when any\n"
        "of them stopped. --summary writes a CSV table with a row for each spectrum.\n";
    return usage;
}

const std::string& BatchHelp() {
    static const std::string help = [] {
        BatchOptions unused;
        CLI::App app;
        DeclareCommandLine(app, unused);
        const HelpFormatter format;
        std::string text = BatchUsage();
        for (const BatchAnalysis analysis : {BatchAnalysis::ThinFilm, BatchAnalysis::Bulk})
            text += format.make_groups(&Analysis(app, analysis), CLI::AppFormatMode::Sub);
        return text + format.make_groups(&app, CLI::AppFormatMode::Normal);
    }();
    return help;
}

std::vector<std::string> BatchOptionNames() {
    BatchOptions unused;
    CLI::App app;
    DeclareCommandLine(app, unused);
    std::vector<std::string> names;
    for (const CLI::App* command : {&app, &Analysis(app, BatchAnalysis::ThinFilm), &Analysis(app, BatchAnalysis::Bulk)})
        for (const CLI::Option* option : command->get_options())
            // A hidden option (the analyses' own --version) has no name of its own.
            if (!option->get_name().empty() && std::find(names.begin(), names.end(), option->get_name()) == names.end())
                names.push_back(option->get_name());
    return names;
}

const std::vector<std::string>* GivenValues(const BatchOptions& o, const std::string& name) {
    for (const auto& [option, values] : o.given)
        if (option == name) return &values;
    return nullptr;
}

std::string Joined(const std::vector<std::string>& values) {
    std::string joined;
    for (const std::string& value : values) joined += (&value == &values.front() ? "" : " ") + value;
    return joined;
}

std::string ShownValues(const std::string& option, const std::vector<std::string>& values) {
    static const std::set<std::string> files = {"--spectrum", "--fringes", "--reflection",
                                                "--save",     "--orders",  "--save-extrema", "--fit-table", "--report"};
    if (files.count(option)) return Joined(values);
    std::vector<std::string> shown;
    for (const std::string& value : values) shown.push_back(ShownText(value));
    return Joined(shown);
}

std::string NameOptions(const BatchOptions& o, const std::vector<std::string>& names) {
    std::string given, all;
    for (const std::string& name : names) {
        all += (all.empty() ? "" : ", ") + name;
        if (const auto* values = GivenValues(o, name)) {
            const std::string value = ShownValues(name, *values);
            given += (given.empty() ? "" : ", ") + name + (value.empty() ? "" : " " + value);
        }
    }
    return given.empty() ? all + " (not given)" : given;
}

std::vector<std::pair<const char*, std::string>> ResultsFiles(const BatchOptions& o) {
    std::vector<const char*> suffixes = {kAbsSuffix, kTaucSuffix};
    if (o.analysis == BatchAnalysis::ThinFilm) suffixes.insert(suffixes.end(), {kRefSuffix, kFreeTransSuffix});
    std::vector<std::pair<const char*, std::string>> files;
    if (o.orders) files.emplace_back("--orders", *o.orders);
    for (const char* suffix : suffixes) files.emplace_back("--save", o.save + suffix);
    if (o.saveExtrema) files.emplace_back("--save-extrema", *o.saveExtrema);
    if (o.fit.table) files.emplace_back("--fit-table", *o.fit.table);
    if (o.report) files.emplace_back("--report", *o.report);
    return files;
}

}  // namespace optc
