#include "app/BatchRun.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <sstream>

#include "app/Application.h"
#include "app/Version.h"
#include "numerics/FloatText.h"
#include "datafiles/CsvSpectrum.h"
#include "datafiles/PairReader.h"
#include "thinfilm/FringesFile.h"
#include "thinfilm/ThinFilmResults.h"
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

enum Applies { kThinFilm = 1, kBulk = 2, kBoth = 3 };

struct OptionRule {
    const char* name;
    int applies;
    // Exactly one of these is set: a flag, a text, or the two texts of --eg.
    bool BatchOptions::*flag = nullptr;
    std::optional<std::string> BatchOptions::*text = nullptr;
    bool energyWindow = false;
};

const std::vector<OptionRule>& OptionRules() {
    using O = BatchOptions;
    static const std::vector<OptionRule> rules = {
        {"--spectrum", kBoth},  // required, stored apart
        {"--save", kBoth},      // required, stored apart
        {"--fringes", kThinFilm, nullptr, &O::fringes},
        {"--find-extrema", kThinFilm, &O::findExtrema},
        {"--save-extrema", kThinFilm, nullptr, &O::saveExtrema},
        {"--reflection", kBulk, nullptr, &O::reflection},
        {"--wavenumber", kBoth, &O::waveNumber},
        {"--fraction", kBoth, &O::fraction},
        {"--n0", kBoth, nullptr, &O::n0},
        {"--ns", kThinFilm, nullptr, &O::ns},
        {"--tolerance", kThinFilm, nullptr, &O::tolerance},
        {"--wstart", kThinFilm, nullptr, &O::wstart},
        {"--wend", kThinFilm, nullptr, &O::wend},
        {"--natx", kThinFilm, nullptr, &O::natx},
        {"--no-estimate", kThinFilm, &O::noEstimate},
        {"--constant-n", kBoth, nullptr, &O::constantN},
        {"--constant-r", kBulk, nullptr, &O::constantR},
        {"--reflection-spectrum", kBulk, &O::reflectionSpectrum},
        {"--thickness", kBoth, nullptr, &O::thickness},
        {"--no-fringes-free", kThinFilm, &O::noFringesFree},
        {"--order", kThinFilm, nullptr, &O::order},
        {"--envelope", kThinFilm, nullptr, &O::envelope},
        {"--direct", kBoth, &O::direct},
        {"--eg", kBoth, nullptr, nullptr, true},
        {"--orders", kThinFilm, nullptr, &O::orders},
    };
    return rules;
}

bool IsInputFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// The value given to an option ("" for a flag), or nothing when it was not given.
std::optional<std::string> GivenValue(const BatchOptions& o, const std::string& name) {
    if (name == "--spectrum") return o.spectrum;
    if (name == "--save") return o.save;
    if (name == "--eg") return o.eg ? std::optional<std::string>(o.eg->first + " " + o.eg->second) : std::nullopt;
    for (const OptionRule& rule : OptionRules()) {
        if (name != rule.name) continue;
        if (rule.flag) return o.*(rule.flag) ? std::optional<std::string>("") : std::nullopt;
        if (rule.text) return o.*(rule.text);
    }
    return std::nullopt;
}

// Options as the command line gave them ("--ns -1.5"), or their names alone when none
// of them was given.
std::string NameOptions(const BatchOptions& o, const std::vector<std::string>& names) {
    std::string given, all;
    for (const std::string& name : names) {
        all += (all.empty() ? "" : ", ") + name;
        if (const auto value = GivenValue(o, name))
            given += (given.empty() ? "" : ", ") + name + (value->empty() ? "" : " " + *value);
    }
    return given.empty() ? all + " (not given)" : given;
}

// The files a run writes: the results files, named as Save Results names them, the
// extrema file of --save-extrema and the table of --orders.
std::vector<std::string> ResultsFiles(const BatchOptions& o) {
    std::vector<const char*> suffixes = {kAbsSuffix, kTaucSuffix};
    if (o.analysis == BatchAnalysis::ThinFilm) suffixes.insert(suffixes.end(), {kRefSuffix, kFreeTransSuffix});
    std::vector<std::string> files;
    for (const char* suffix : suffixes) files.push_back(o.save + suffix);
    if (o.saveExtrema) files.push_back(*o.saveExtrema);
    if (o.orders) files.push_back(*o.orders);
    return files;
}

// ---- Output ----

void AppendEscaped(std::string& out, unsigned char c) {
    static const char* hex = "0123456789abcdef";
    out += "\\u00";
    out += hex[c >> 4];
    out += hex[c & 0xF];
}

// Length of the valid UTF-8 sequence starting at text[i], or 0 when it is not one.
std::size_t Utf8Length(const std::string& text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // range of the first continuation byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return length;
}

std::string JsonText(const std::optional<std::string>& text) { return text ? JsonString(*text) : "null"; }

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
            if (o_.saveExtrema) Perform(window, [this] { WriteFringesFile(Form1.Data(), *o_.saveExtrema); });
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
            for (const OptionRule& rule : OptionRules()) {
                if (rule.flag) continue;
                const auto value = GivenValue(o_, rule.name);
                const bool gave = value && (rule.energyWindow ? o_.eg->first == typed || o_.eg->second == typed
                                                              : *value == typed);
                if (gave) return std::string(rule.name) + " " + *value;
            }
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
        std::ostringstream json;
        json << "{\"message\": " << JsonText(stop_) << ", \"notes\": [";
        for (std::size_t i = 0; i < platform_.log.size(); ++i) {
            const std::string& entry = platform_.log[i];
            const std::size_t colon = entry.find(": ");
            json << (i ? ", " : "") << JsonString(colon == std::string::npos ? entry : entry.substr(colon + 2));
        }
        json << "]";
        if (thin) {
            const ThinFilmData& d = Form1.Data();
            json << ", \"thickness\": " << JsonString(Form1.thickness.Text())
                 << ", \"n633show\": " << JsonString(Form1.n633show.Text())
                 << ", \"EgOutput\": " << JsonString(Form1.EgOutput.Text()) << ", \"SpecCount\": " << d.SpecCount
                 << ", \"ExtCount\": " << d.ExtCount << ", \"DispCount\": " << d.DispCount
                 << ", \"RangeCount\": " << d.RangeCount << ", \"FitCount\": " << d.FitCount
                 << ", \"Wstart\": " << JsonString(Form1.Wstart.Text())
                 << ", \"Wend\": " << JsonString(Form1.Wend.Text())
                 << ", \"not633\": " << (Form1.not633.Checked() ? "true" : "false")
                 << ", \"fringeOrders\": " << FringeOrdersJson(orders_);
        } else {
            const BulkData& d = Form3.Data();
            json << ", \"thickness\": " << JsonString(Form3.Thickness.Text()) << ", \"n633show\": null"
                 << ", \"EgOutput\": " << JsonString(Form3.EgOutput.Text()) << ", \"SpecCount\": " << d.SpecCount
                 << ", \"ExtCount\": null, \"DispCount\": null"
                 << ", \"AbsCount\": " << d.AbsCount << ", \"ReflCount\": " << d.ReflCount;
        }
        json << "}\n";
        out << json.str();
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
        "error stopped it, 2 for a wrong command line (also a results file that would\n"
        "overwrite an input file).\n"
        "\n"
        "--find-extrema takes the fringe extrema that \"Find Extrema\" finds in the spectrum\n"
        "(Determine Fringes, Find Extrema, Ok); --save-extrema writes the extrema used as a\n"
        "fringes file that --fringes and \"Import Fringes\" read back.\n";
    return usage;
}

std::optional<BatchOptions> ParseBatchArguments(const std::vector<std::string>& args, std::string& error) {
    BatchOptions o;
    if (args.empty()) {
        error = "no analysis given (thinfilm or bulk)";
        return std::nullopt;
    }
    if (args[0] == "thinfilm") {
        o.analysis = BatchAnalysis::ThinFilm;
    } else if (args[0] == "bulk") {
        o.analysis = BatchAnalysis::Bulk;
    } else {
        error = "unknown analysis '" + args[0] + "' (thinfilm or bulk)";
        return std::nullopt;
    }
    const int analysis = o.analysis == BatchAnalysis::ThinFilm ? kThinFilm : kBulk;

    std::set<std::string> seen;
    bool haveSpectrum = false, haveSave = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& name = args[i];
        const OptionRule* rule = nullptr;
        for (const OptionRule& r : OptionRules())
            if (name == r.name) rule = &r;
        if (!rule) {
            error = "unknown option '" + name + "'";
            return std::nullopt;
        }
        if (!(rule->applies & analysis)) {
            error = "option " + name + " does not belong to a " + args[0] + " run";
            return std::nullopt;
        }
        if (!seen.insert(name).second) {
            error = "option " + name + " given twice";
            return std::nullopt;
        }
        if (rule->flag) {
            o.*(rule->flag) = true;
            continue;
        }
        const std::size_t values = rule->energyWindow ? 2 : 1;
        if (args.size() - 1 - i < values) {
            error = "option " + name + (values == 2 ? " needs two values" : " needs a value");
            return std::nullopt;
        }
        if (rule->energyWindow) {
            o.eg = std::make_pair(args[i + 1], args[i + 2]);
        } else if (rule->text) {
            o.*(rule->text) = args[i + 1];
        } else if (name == "--spectrum") {
            o.spectrum = args[i + 1];
            haveSpectrum = true;
        } else {
            o.save = args[i + 1];
            haveSave = true;
        }
        i += values;
    }

    if (!haveSpectrum) {
        error = "--spectrum FILE is required";
        return std::nullopt;
    }
    if (!haveSave) {
        error = "--save BASE is required";
        return std::nullopt;
    }
    if (o.save.empty()) {
        error = "--save needs a non-empty BASE";
        return std::nullopt;
    }
    if (o.fringes && o.findExtrema) {
        error = "--fringes and --find-extrema exclude each other";
        return std::nullopt;
    }
    if (o.analysis == BatchAnalysis::Bulk) {
        const int sources = (o.constantR ? 1 : 0) + (o.constantN ? 1 : 0) + (o.reflectionSpectrum ? 1 : 0);
        if (sources != 1) {
            error = "a bulk run needs exactly one of --constant-r, --constant-n and --reflection-spectrum";
            return std::nullopt;
        }
    }
    // Options that do nothing without their partner.
    struct Partner {
        const char* option;
        const char* partner;
        BatchAnalysis analysis;
    };
    for (const Partner& p : {Partner{"--reflection-spectrum", "--reflection", BatchAnalysis::Bulk},
                             Partner{"--n0", "--constant-n", BatchAnalysis::Bulk}}) {
        if (o.analysis == p.analysis && seen.count(p.option) && !seen.count(p.partner)) {
            error = std::string("option ") + p.option + " needs " + p.partner;
            return std::nullopt;
        }
    }
    // natx accepts digits only; a user cannot type anything else into it.
    if (o.natx && o.natx->find_first_not_of("0123456789") != std::string::npos) {
        error = "--natx takes digits only";
        return std::nullopt;
    }
    // The window's import would silently read nothing from a missing file; a batch
    // run refuses it instead of computing on an empty spectrum.
    const std::pair<const char*, const std::string*> inputs[] = {
        {"--spectrum", &o.spectrum},
        {"--fringes", o.fringes ? &*o.fringes : nullptr},
        {"--reflection", o.reflection ? &*o.reflection : nullptr}};
    for (const auto& [option, file] : inputs) {
        if (file && !IsInputFile(*file)) {
            error = "no such file: " + *file;
            return std::nullopt;
        }
    }
    // Saving must never destroy what the run reads.
    for (const std::string& result : ResultsFiles(o)) {
        for (const auto& [option, file] : inputs) {
            std::error_code ec;
            if (file && std::filesystem::equivalent(result, *file, ec)) {
                error = "results file " + result + " would overwrite the " + option + " file";
                return std::nullopt;
            }
        }
    }
    return o;
}

std::string FringeOrdersJson(const std::optional<FringeOrdersOutcome>& outcome) {
    if (!outcome) return "null";
    if (!outcome->result) return "{\"reason\": " + JsonString(outcome->reason) + "}";
    const FringeOrdersResult& r = *outcome->result;
    // Every number of the result is finite; FloatToStr writes "." in batch runs.
    auto number = [](double v) { return FloatToStr(v); };
    auto flag = [](bool b) { return b ? "true" : "false"; };
    std::ostringstream json;
    json << "{\"thicknessNm\": " << number(r.thicknessNm) << ", \"thicknessSdNm\": " << number(r.thicknessSdNm)
         << ", \"firstPassNm\": " << number(r.firstPassNm) << ", \"used\": " << r.used
         << ", \"orderAmbiguous\": " << flag(r.orderAmbiguous)
         << ", \"alternativeNm\": " << (r.orderAmbiguous ? number(r.alternativeNm) : "null")
         << ", \"kindsSwapped\": " << flag(r.kindsSwapped) << ", \"rows\": [";
    for (std::size_t i = 0; i < r.rows.size(); ++i) {
        const FringeOrderRow& row = r.rows[i];
        json << (i ? ", " : "") << "{\"lambdaNm\": " << number(row.extremum.lambda) << ", \"type\": \""
             << (row.extremum.kind == ExtremumKind::Maximum ? "max" : "min") << "\", \"n1\": "
             << number(row.extremum.n1) << ", \"order\": " << number(row.order) << ", \"d2Nm\": "
             << number(row.thickness) << ", \"n2\": " << number(row.n2) << ", \"used\": " << flag(row.used) << "}";
    }
    json << "]}";
    return json.str();
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            switch (c) {
                case '"': out += "\\\""; break;
                case '\\': out += "\\\\"; break;
                case '\n': out += "\\n"; break;
                case '\r': out += "\\r"; break;
                case '\t': out += "\\t"; break;
                case '\b': out += "\\b"; break;
                case '\f': out += "\\f"; break;
                default:
                    if (c < 0x20 || c == 0x7F)
                        AppendEscaped(out, c);
                    else
                        out += static_cast<char>(c);
            }
            ++i;
            continue;
        }
        if (const std::size_t length = Utf8Length(text, i)) {
            out.append(text, i, length);
            i += length;
        } else {
            // A stray byte: its Latin-1 character.
            AppendEscaped(out, c);
            ++i;
        }
    }
    out += '"';
    return out;
}

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << BatchUsage();
        return kBatchDone;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << kProgram << ' ' << kProgramVersion << '\n';
        return kBatchDone;
    }
    std::string error;
    const std::optional<BatchOptions> options = ParseBatchArguments(args, error);
    if (!options) {
        err << kProgram << ": " << error << "\n\n" << BatchUsage();
        return kBatchWrongUsage;
    }
    // Number texts are read and written with "." in batch runs, whatever the locale.
    const char separator = DecimalSeparator();
    SetDecimalSeparator('.');
    const auto session = std::make_unique<BatchSession>(*options);
    const int status = session->Run(out);
    SetDecimalSeparator(separator);
    // The JSON keeps the window's text; the person at the terminal learns what it is about.
    if (session->StopText()) err << kProgram << ": " << session->StopSubject() << ": " << *session->StopText() << "\n";
    return status;
}

}  // namespace optc
