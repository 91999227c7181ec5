#include "app/BatchRun.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <sstream>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "app/Application.h"
#include "app/Version.h"
#include "numerics/FloatText.h"
#include "datafiles/CsvSpectrum.h"
#include "datafiles/PairReader.h"
#include "datafiles/ResultsFileSet.h"
#include "thinfilm/extrema/FringesFile.h"
#include "thinfilm/envelope/ThinFilmResults.h"
#include "ui/ScriptedPlatform.h"

namespace optc {

namespace {

constexpr const char* kProgram = "optical-constants-batch";

// The one message of a calculation that lets it go on, and the import's notes on a
// file that did not fit or had more columns: none ends the handler that shows it.
const std::set<std::string>& MessagesThatGoOn() {
    static const std::set<std::string> texts = {
        "Unable to calculate n at given wavelength! Press Ok to continue without estimating it",
        kTooManyPointsMessage,
        kMoreColumnsMessage,
    };
    return texts;
}

// The options a stopping message of a calculation or a gap fit is about, by the
// message's opening words (the texts are the windows' own).
const std::vector<std::pair<std::string, std::vector<std::string>>>& OptionsOfMessages() {
    static const std::vector<std::pair<std::string, std::vector<std::string>>> table = {
        {"Enter valid values of constant Refractive Indexes", {"--n0", "--ns"}},
        {"Polynom order should be within 0 and 10", {"--order"}},
        {"Polynom order should be within 0 and 5", {"--envelope"}},
        {"Not enouph fringers!", {"--fringes"}},
        {"The fringe extrema ", {"--fringes"}},
        {"Too many fringe extrema", {"--fringes"}},
        {"Not enouph fringers included!", {"--wstart", "--wend"}},
        {"The wavelength range for n calculations", {"--wstart", "--wend"}},
        {"Enter valid thickness value d", {"--thickness"}},
        {"Enter valid values of Refractive Index n", {"--constant-n"}},
        {"Not acceptable (negative) lambda value!", {"--spectrum"}},
        {"Wrong thickness value!", {"--thickness"}},
        {"Enter valid value of Refractive Index", {"--constant-n"}},
        {"Enter valid values of Environmental Refractive Indexes", {"--n0"}},
        {"Enter valid value of Reflection", {"--constant-r"}},
        {"Unable to resample the spectra", {"--spectrum", "--reflection"}},
        {"The common grid would exceed", {"--spectrum", "--reflection"}},
        {"Unable to calculate Eg!", {"--eg"}},
        {"The fitted line gives no positive optical gap", {"--eg"}},
    };
    return table;
}

// ---- The command line ----

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
    app.set_version_flag("--version", std::string(kProgram) + " " + kProgramVersion, "Print the version and exit.");

    CLI::App& thin = *app.add_subcommand("thinfilm");
    CLI::App& bulk = *app.add_subcommand("bulk");
    for (CLI::App* analysis : {&thin, &bulk}) {
        analysis->allow_extras();
        // --version after the analysis as well, as --help; listed once, with the others.
        analysis->set_version_flag("--version", std::string(kProgram) + " " + kProgramVersion)->group("");
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
    const char* n0 = "Refractive index of the surroundings, n0.";

    text(thin, "--spectrum", o.spectrum, "FILE", "The transmission spectrum (\"Import Spectrum\"). Required.");
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

    const char* oneSource = "none; a bulk run needs exactly one of --constant-r, --constant-n and --reflection-spectrum";
    text(bulk, "--spectrum", o.spectrum, "FILE", "The transmission spectrum (\"Import T Spectrum\"). Required.");
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

bool IsInputFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// The texts an option was given, or nothing when it was not given.
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

// Options as the command line gave them ("--ns -1.5"), or their names alone when none
// of them was given.
std::string NameOptions(const BatchOptions& o, const std::vector<std::string>& names) {
    std::string given, all;
    for (const std::string& name : names) {
        all += (all.empty() ? "" : ", ") + name;
        if (const auto* values = GivenValues(o, name)) {
            const std::string value = Joined(*values);
            given += (given.empty() ? "" : ", ") + name + (value.empty() ? "" : " " + value);
        }
    }
    return given.empty() ? all + " (not given)" : given;
}

// The files a run writes, each with its option, in the order they are written: the
// table of --orders (from the Fringe Orders dialog), the results files, named as Save
// Results names them, and the extrema file of --save-extrema.
std::vector<std::pair<const char*, std::string>> ResultsFiles(const BatchOptions& o) {
    std::vector<const char*> suffixes = {kAbsSuffix, kTaucSuffix};
    if (o.analysis == BatchAnalysis::ThinFilm) suffixes.insert(suffixes.end(), {kRefSuffix, kFreeTransSuffix});
    std::vector<std::pair<const char*, std::string>> files;
    if (o.orders) files.emplace_back("--orders", *o.orders);
    for (const char* suffix : suffixes) files.emplace_back("--save", o.save + suffix);
    if (o.saveExtrema) files.emplace_back("--save-extrema", *o.saveExtrema);
    return files;
}

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
        if (option->count() > static_cast<std::size_t>(std::max(perUse, 1)))
            return "option " + option->get_name() + " given twice";
        o.given.emplace_back(option->get_name(), perUse ? option->results() : std::vector<std::string>());
    }

    if (!GivenValues(o, "--spectrum")) return "--spectrum FILE is required";
    if (!GivenValues(o, "--save")) return "--save BASE is required";
    if (o.save.empty()) return "--save needs a non-empty BASE";
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
    // The window's import would silently read nothing from a missing file; a batch
    // run refuses it instead of computing on an empty spectrum.
    const std::pair<const char*, const std::string*> inputs[] = {
        {"--spectrum", &o.spectrum},
        {"--fringes", o.fringes ? &*o.fringes : nullptr},
        {"--reflection", o.reflection ? &*o.reflection : nullptr}};
    for (const auto& [option, file] : inputs)
        if (file && !IsInputFile(*file)) return "no such file: " + *file;
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
    return "";
}

// What the command line asks for: a run, or a text to print (--help, --version), or
// nothing but the reason it is wrong.
struct CommandLine {
    std::optional<BatchOptions> run;
    std::string print;
    std::string error;
};

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

// ---- Output ----

using Json = nlohmann::ordered_json;

// A text as nlohmann/json writes it into a string literal, quotes left out. The strict
// handler throws on bytes that are not valid UTF-8; ensure_ascii escapes DEL and
// everything beyond ASCII as well.
std::string Escaped(const std::string& text, bool ensureAscii) {
    const std::string literal = Json(text).dump(-1, ' ', ensureAscii, Json::error_handler_t::strict);
    return literal.substr(1, literal.size() - 2);
}

// The layout scripts have always read: one line, ", " between members and ": " after
// a key. Reals are written as the windows write them (FloatToStr), not in the
// library's shortest round-trip form.
void Write(std::string& out, const Json& value) {
    switch (value.type()) {
        case Json::value_t::object:
            out += '{';
            for (auto member = value.begin(); member != value.end(); ++member) {
                out += (member == value.begin() ? "" : ", ") + JsonString(member.key()) + ": ";
                Write(out, member.value());
            }
            out += '}';
            break;
        case Json::value_t::array:
            out += '[';
            for (auto element = value.begin(); element != value.end(); ++element) {
                if (element != value.begin()) out += ", ";
                Write(out, *element);
            }
            out += ']';
            break;
        case Json::value_t::string:
            out += JsonString(value.get_ref<const std::string&>());
            break;
        case Json::value_t::number_float:
            out += FloatToStr(value.get<double>());
            break;
        default:  // null, booleans and integers
            out += value.dump();
    }
}

std::string Written(const Json& value) {
    std::string out;
    Write(out, value);
    return out;
}

// The "fringeOrders" member of a thin-film summary.
Json FringeOrdersValue(const std::optional<FringeOrdersOutcome>& outcome) {
    if (!outcome) return nullptr;
    Json value = Json::object();
    if (!outcome->result) {
        value["reason"] = outcome->reason;
        return value;
    }
    // Every number of the result is finite; FloatToStr writes "." in batch runs.
    const FringeOrdersResult& r = *outcome->result;
    value["thicknessNm"] = r.thicknessNm;
    value["thicknessSdNm"] = r.thicknessSdNm;
    value["firstPassNm"] = r.firstPassNm;
    value["used"] = r.used;
    value["orderAmbiguous"] = r.orderAmbiguous;
    value["alternativeNm"] = r.orderAmbiguous ? Json(r.alternativeNm) : Json(nullptr);
    value["kindsSwapped"] = r.kindsSwapped;
    value["rows"] = Json::array();
    for (const FringeOrderRow& row : r.rows) {
        Json& json = value["rows"].emplace_back(Json::object());
        json["lambdaNm"] = row.extremum.lambda;
        json["type"] = row.extremum.kind == ExtremumKind::Maximum ? "max" : "min";
        json["n1"] = row.extremum.n1;
        json["order"] = row.order;
        json["d2Nm"] = row.thickness;
        json["n2"] = row.n2;
        json["used"] = row.used;
    }
    return value;
}

// ---- The replay ----

// The program's windows as the batch drives them: the start window with the unit
// choices and the two analysis windows, each with its own workspace.
class BatchSession {
public:
    explicit BatchSession(const BatchOptions& options) : o_(options) {}

    int Run(std::ostream& out) {
        if (o_.waveNumber) User(Form2, [this] { Form2.RadioButton2.Click(); });
        if (o_.fraction) User(Form2, [this] { Form2.RadioButton4.Click(); });

        // The start window's button opens the analysis window modally; the steps are
        // what the user does there, then Save Results and Exit.
        const bool thin = o_.analysis == BatchAnalysis::ThinFilm;
        Button& open = thin ? Form2.Button2 : Form2.Button1;
        Form& window = thin ? static_cast<Form&>(Form1) : Form3;
        Button& save = thin ? Form1.Button1 : Form3.Button1;
        Button& exit = thin ? Form1.BitBtn1 : Form3.BitBtn1;
        platform_.modalScripts.push_back([&, thin](Form&) {
            if (thin) {
                ThinFilmSteps();
                OrdersSteps();
            } else
                BulkSteps();
            Save(window, save);
            // The extrema used, whatever happened, as Save Results writes the results.
            if (o_.saveExtrema) {
                Step("--save-extrema " + *o_.saveExtrema);
                Perform(window, [this] {
                    WriteFileAllOrNone(*o_.saveExtrema,
                                       [this](const std::string& part) { WriteFringesFile(Form1.Data(), part); });
                });
            }
            Perform(window, [&exit] { exit.Click(); });
        });
        Perform(Form2, [&open] { open.Click(); });

        WriteSummary(out, thin);
        return stop_ ? kBatchStopped : kBatchDone;
    }

    // The message or error that stopped the run, and the file or option it is about.
    const std::optional<std::string>& StopText() const { return stop_; }
    const std::string& StopSubject() const { return stopSubject_; }

private:
    // What the next steps work on, named for a message that stops the run there.
    void Step(std::string subject) { step_ = std::move(subject); }

    // The option or file a stopping text is about: known messages by their options, a
    // text that is not a number by the option that gave it, anything else by its step.
    std::string SubjectOf(const std::string& text) const {
        for (const auto& [opening, options] : OptionsOfMessages())
            if (text.rfind(opening, 0) == 0) return NameOptions(o_, options);
        // "'<text>' is not a valid floating point value": the option that gave the text.
        const std::size_t quoteEnd = text.find("' is not a valid ");
        if (text.rfind('\'', 0) == 0 && quoteEnd != std::string::npos) {
            const std::string typed = text.substr(1, quoteEnd - 1);
            for (const auto& [name, values] : o_.given)
                if (std::find(values.begin(), values.end(), typed) != values.end()) return name + " " + Joined(values);
        }
        return step_;
    }

    // Runs one user event through the window's door, unless the run has stopped.
    bool User(Form& form, const std::function<void()>& event) {
        return !stop_ && Perform(form, event);
    }

    // Runs the event whatever happened before. True while nothing has stopped the
    // run: a new error, or a new message other than those that let a handler go on.
    bool Perform(Form& form, const std::function<void()>& event) {
        const std::size_t before = platform_.log.size();
        form.Dispatch(event);
        for (std::size_t i = before; i < platform_.log.size() && !stop_; ++i) {
            const std::string& entry = platform_.log[i];
            static const std::string error = "error: ", message = "message: ";
            if (entry.compare(0, error.size(), error) == 0) {
                stop_ = entry.substr(error.size());
            } else if (entry.compare(0, message.size(), message) == 0) {
                std::string text = entry.substr(message.size());
                if (!MessagesThatGoOn().count(text)) stop_ = std::move(text);
            }
            if (stop_) stopSubject_ = SubjectOf(*stop_);
        }
        return !stop_;
    }

    bool Click(Form& form, Button& button) {
        return User(form, [&button] { button.Click(); });
    }

    // A click on an import whose open dialog answers with `path`, the file of `option`.
    bool Import(Form& form, Button& button, const char* option, const std::string& path) {
        Step(std::string(option) + " " + path);
        platform_.openAnswers.clear();
        platform_.openAnswers.push_back(path);
        const bool goOn = Click(form, button);
        platform_.openAnswers.clear();
        return goOn;
    }

    // Typing as the window sees it: the edit takes the focus, the text changes, the
    // focus leaves.
    bool Type(Form& form, Edit& edit, const std::string& text) {
        User(form, [&edit] { edit.SetFocused(true); });
        User(form, [&edit, &text] { edit.SetText(text); });
        User(form, [&edit] { edit.SetFocused(false); });
        return !stop_;
    }

    bool TypeIfGiven(Form& form, Edit& edit, const std::optional<std::string>& text) {
        return !text || Type(form, edit, *text);
    }

    // A click on the box when it is not in the wanted state.
    bool SetBox(Form& form, CheckBox& box, bool checked) {
        return box.Checked() == checked || User(form, [&box] { box.Click(); });
    }

    void ThinFilmSteps() {
        TForm1& f = Form1;
        if (!Import(f, f.import1, "--spectrum", o_.spectrum)) return;
        if (o_.fringes && !Import(f, f.Import2, "--fringes", *o_.fringes)) return;
        if (o_.findExtrema && !FindExtrema()) return;

        if (!TypeIfGiven(f, f.Wstart, o_.wstart) || !TypeIfGiven(f, f.Wend, o_.wend) ||
            !TypeIfGiven(f, f.natx, o_.natx) || !TypeIfGiven(f, f.Const1, o_.n0) ||
            !TypeIfGiven(f, f.Const2, o_.ns) || !TypeIfGiven(f, f.Tolerance, o_.tolerance) ||
            !TypeIfGiven(f, f.Order, o_.order) || !TypeIfGiven(f, f.envelope, o_.envelope))
            return;

        if (o_.noEstimate && !SetBox(f, f.not633, true)) return;
        if (o_.constantN && !(SetBox(f, f.nu633, true) && Type(f, f.ninp, *o_.constantN))) return;
        if (o_.thickness && !(SetBox(f, f.FixThickness, true) && Type(f, f.thickness, *o_.thickness))) return;
        if (o_.noFringesFree && !SetBox(f, f.FrFTr, false)) return;

        Step(f.Calculate.Caption());
        if (!Click(f, f.Calculate)) return;
        GapSteps(f, f.Direct, f.RadioButton3, f.Estart, f.Eend, f.CalculatEg);
    }

    // Determine Fringes, where the user presses Find Extrema and closes the minima
    // window with Ok.
    bool FindExtrema() {
        Step("--find-extrema");
        TForm4& minima = app_.Form4;
        platform_.modalScripts.push_back([&minima](Form&) {
            minima.Dispatch([&minima] { minima.FindExtrema.Click(); });
            minima.Dispatch([&minima] { minima.BitBtn1.Click(); });
        });
        return Click(Form1, Form1.Button2);
    }

    void BulkSteps() {
        TForm3& f = Form3;
        if (!Import(f, f.import1, "--spectrum", o_.spectrum)) return;
        if (o_.reflection && !Import(f, f.Button2, "--reflection", *o_.reflection)) return;
        if (!ChooseReflectionSource()) return;
        if (!TypeIfGiven(f, f.Thickness, o_.thickness) || !TypeIfGiven(f, f.Const1, o_.n0)) return;
        Step(f.Calculate.Caption());
        if (!Click(f, f.Calculate)) return;
        GapSteps(f, f.Direct, f.RadioButton3, f.Estart, f.Eend, f.CalculatEg);
    }

    // The clicks a user makes on InpN and InpR until the wanted source is checked and
    // its edit can be typed into. The boxes' handlers nest, so a click does not always
    // lead straight there; three clicks reach every source from every state.
    bool ChooseReflectionSource() {
        TForm3& f = Form3;
        auto clickUntil = [&](CheckBox& box, const std::function<bool()>& reached) {
            for (int click = 0; click < 3 && !reached(); ++click)
                if (!User(f, [&box] { box.Click(); })) return false;
            return true;
        };
        if (o_.constantR) {
            return clickUntil(f.InpR, [&] { return f.InpR.Checked() && f.Refl.Enabled(); }) &&
                   Type(f, f.Refl, *o_.constantR);
        }
        if (o_.constantN) {
            return clickUntil(f.InpN, [&] { return f.InpN.Checked() && f.Refrn633.Enabled(); }) &&
                   Type(f, f.Refrn633, *o_.constantN);
        }
        return clickUntil(f.InpN, [&] { return !f.InpN.Checked(); }) &&
               clickUntil(f.InpR, [&] { return !f.InpR.Checked(); });
    }

    // After a calculation that completed: the gap type, the Tauc plot and, with an
    // energy window, the optical gap.
    void GapSteps(Form& f, CheckBox& direct, RadioButton& tauc, Edit& estart, Edit& eend, Button& eg) {
        Step(tauc.Caption());
        if (o_.direct && !SetBox(f, direct, true)) return;
        if (!User(f, [&tauc] { tauc.Click(); })) return;
        if (!o_.eg) return;
        Step(NameOptions(o_, {"--eg"}));
        if (!Type(f, estart, o_.eg->first) || !Type(f, eend, o_.eg->second)) return;
        Click(f, eg);
    }

    // After a complete Calculate, whatever the gap steps did: the Fringe Orders dialog,
    // with --orders its table saved, then Close. A table asked for that cannot be made
    // stops the run with the dialog's reason.
    void OrdersSteps() {
        TForm1& f = Form1;
        if (!f.FringeOrders.Enabled()) return;
        FringeOrdersForm& dialog = f.Orders;
        platform_.modalScripts.push_back([this, &dialog](Form&) {
            orders_ = dialog.Outcome();
            if (o_.orders && orders_->result) {
                platform_.saveAnswers.clear();
                platform_.saveAnswers.push_back(*o_.orders);
                Perform(dialog, [&dialog] { dialog.SaveTable.Click(); });
                platform_.saveAnswers.clear();
            } else if (o_.orders && !stop_) {
                stop_ = orders_->reason;
                stopSubject_ = "--orders " + *o_.orders;
            }
            Perform(dialog, [&dialog] { dialog.CloseButton.Click(); });
        });
        Perform(f, [&f] { f.FringeOrders.Click(); });
    }

    // Save Results runs whatever happened before, as a user who presses it after a
    // message would. A file error stops the run like any other error.
    void Save(Form& form, Button& button) {
        Step("--save " + o_.save);
        platform_.saveAnswers.clear();
        platform_.saveAnswers.push_back(o_.save);
        Perform(form, [&button] { button.Click(); });
        platform_.saveAnswers.clear();
    }

    void WriteSummary(std::ostream& out, bool thin) {
        Json summary = Json::object();
        summary["message"] = stop_ ? Json(*stop_) : Json(nullptr);
        summary["notes"] = Json::array();
        for (const std::string& entry : platform_.log) {
            const std::size_t colon = entry.find(": ");
            summary["notes"].push_back(colon == std::string::npos ? entry : entry.substr(colon + 2));
        }
        if (thin) {
            const ThinFilmData& d = Form1.Data();
            summary["thickness"] = Form1.thickness.Text();
            summary["n633show"] = Form1.n633show.Text();
            summary["EgOutput"] = Form1.EgOutput.Text();
            summary["SpecCount"] = d.SpecCount;
            summary["ExtCount"] = d.ExtCount;
            summary["DispCount"] = d.DispCount;
            summary["RangeCount"] = d.RangeCount;
            summary["FitCount"] = d.FitCount;
            summary["Wstart"] = Form1.Wstart.Text();
            summary["Wend"] = Form1.Wend.Text();
            summary["not633"] = Form1.not633.Checked();
            summary["fringeOrders"] = FringeOrdersValue(orders_);
        } else {
            const BulkData& d = Form3.Data();
            summary["thickness"] = Form3.Thickness.Text();
            summary["n633show"] = nullptr;
            summary["EgOutput"] = Form3.EgOutput.Text();
            summary["SpecCount"] = d.SpecCount;
            summary["ExtCount"] = nullptr;
            summary["DispCount"] = nullptr;
            summary["AbsCount"] = d.AbsCount;
            summary["ReflCount"] = d.ReflCount;
        }
        out << Written(summary) << "\n";
    }

    const BatchOptions& o_;
    std::optional<std::string> stop_;  // the first stopping message or error
    std::string stopSubject_;
    std::string step_;
    std::optional<FringeOrdersOutcome> orders_;  // what the Fringe Orders dialog showed

    ScriptedPlatform platform_;
    Application app_{platform_};
    TForm2& Form2 = app_.Form2;
    TForm3& Form3 = app_.Form3;
    TForm1& Form1 = app_.Form1;
};

}  // namespace


const std::string& BatchUsage() {
    static const std::string usage =
        "usage: optical-constants-batch thinfilm --spectrum FILE [--fringes FILE | --find-extrema]\n"
        "           [--save-extrema FILE] [--wavenumber] [--fraction]\n"
        "           [--n0 T] [--ns T] [--tolerance T] [--wstart T] [--wend T] [--natx T] [--no-estimate]\n"
        "           [--constant-n T] [--thickness T] [--no-fringes-free] [--order T] [--envelope T]\n"
        "           [--direct] [--eg EMIN EMAX] [--orders FILE] --save BASE\n"
        "       optical-constants-batch bulk --spectrum FILE [--reflection FILE] [--wavenumber] [--fraction]\n"
        "           (--constant-r T | --constant-n T [--n0 T] | --reflection-spectrum) [--thickness T]\n"
        "           [--direct] [--eg EMIN EMAX] --save BASE\n"
        "\n"
        "Replays the steps of the Thin Films or the Bulk window and writes the results files\n"
        "named after BASE, and with --orders the fringe-orders table to FILE. Every T is\n"
        "typed into its edit as given, with \".\" as the decimal separator.\n"
        "--reflection-spectrum needs --reflection FILE, and a bulk --n0 needs --constant-n.\n"
        "A JSON summary goes to standard output; a message that stops the run is also\n"
        "written to standard error with the file or option it is about. Exit status: 0 when\n"
        "the files were written and no message stopped the run, 1 when a message or an\n"
        "error stopped it or standard output could not be written, 2 for a wrong command\n"
        "line (also a results file that would overwrite an input file or another results\n"
        "file of the run).\n"
        "\n"
        "--find-extrema takes the fringe extrema that \"Find Extrema\" finds in the spectrum\n"
        "(Determine Fringes, Find Extrema, Ok); --save-extrema writes the extrema used as a\n"
        "fringes file that --fringes and \"Import Fringes\" read back.\n";
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

std::string FringeOrdersJson(const std::optional<FringeOrdersOutcome>& outcome) {
    return Written(FringeOrdersValue(outcome));
}

std::string JsonString(const std::string& text) {
    // nlohmann/json's handlers for invalid UTF-8 replace a whole broken sequence by one
    // U+FFFD or drop it; the summary keeps every byte instead. So the text goes to the
    // library one character at a time: the shortest piece of one to four bytes that
    // the strict handler accepts is a character, and a byte that begins none is read
    // as its Latin-1 character.
    std::string literal = "\"";
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 0;
        for (std::size_t n = 1; !length && n <= 4 && i + n <= text.size(); ++n) {
            try {
                // ASCII with DEL escaped along with the control characters; a character
                // beyond ASCII as it is.
                literal += Escaped(text.substr(i, n), n == 1);
                length = n;
            } catch (const Json::type_error&) {
                // an incomplete or invalid sequence so far
            }
        }
        if (!length) {
            // ensure_ascii writes the Latin-1 character (two bytes in UTF-8) as \u00XX.
            const auto byte = static_cast<unsigned char>(text[i]);
            literal += Escaped({static_cast<char>(0xC0 | byte >> 6), static_cast<char>(0x80 | (byte & 0x3F))}, true);
            length = 1;
        }
        i += length;
    }
    return literal + "\"";
}

namespace {

// A summary or a text that did not reach standard output (a full disk, a closed pipe)
// is a failed run, whatever the run did.
int Delivered(std::ostream& out, std::ostream& err, int status) {
    out.flush();
    if (out) return status;
    err << kProgram << ": standard output could not be written\n";
    return kBatchStopped;
}

}  // namespace

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CommandLine line = ReadCommandLine(args);
    if (!line.error.empty()) {
        err << kProgram << ": " << line.error << "\n\n" << BatchUsage();
        return kBatchWrongUsage;
    }
    if (!line.run) {
        out << line.print;
        return Delivered(out, err, kBatchDone);
    }
    // Number texts are read and written with "." in batch runs, whatever the locale.
    const char separator = DecimalSeparator();
    SetDecimalSeparator('.');
    const auto session = std::make_unique<BatchSession>(*line.run);
    const int status = session->Run(out);
    SetDecimalSeparator(separator);
    // The JSON keeps the window's text; the person at the terminal learns what it is about.
    if (session->StopText()) err << kProgram << ": " << session->StopSubject() << ": " << *session->StopText() << "\n";
    return Delivered(out, err, status);
}

}  // namespace optc
