// Batch runs against the windows themselves: every case drives the same steps through
// the form logic by hand and expects the same summary and byte-identical files.
#include "app/batch/BatchRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "app/main_2.h"
#include "bulk/BulkData.h"
#include "bulk/Main_3.h"
#include "datafiles/PairReader.h"
#include "numerics/FloatText.h"
#include "support/SourceTree.h"
#include "support/TempFolder.h"
#include "thinfilm/window/Main_1.h"
#include "thinfilm/ThinFilmData.h"
#include "ui/ScriptedPlatform.h"

namespace optc {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

const fs::path kSourceDir = testing::kSourceTree;
std::string Example(const char* name) { return (kSourceDir / "examples" / name).string(); }

const std::vector<std::string> kThinFilmFiles = {"Ref.txt", "Abs.txt", "tauc.txt", "FreeTrans.txt"};
const std::vector<std::string> kBulkFiles = {"Abs.txt", "tauc.txt"};
const char* kNatxMessage = "Unable to calculate n at given wavelength! Press Ok to continue without estimating it";

using testing::ReadBytes;

// The program's windows, driven by hand the way a user works them. The texts of these
// cases need no JSON escapes, so the expected summary is written out plainly.
struct Windows {
    ScriptedPlatform platform;
    std::unique_ptr<ThinFilmData> thinData = ThinFilmData::Create();
    std::unique_ptr<BulkData> bulkData = BulkData::Create();
    TForm2 Form2{platform, Form3, Form1};
    TForm3 Form3{platform, *bulkData, [this] { return Form2.Units(); }};
    TForm1 Form1{platform, *thinData, [this] { return Form2.Units(); }};

    template <typename C>
    void Click(Form& f, C& control) {
        f.Dispatch([&] { control.Click(); });
    }
    void Import(Form& f, Button& b, const std::string& path) {
        platform.openAnswers.push_back(path);
        Click(f, b);
    }
    void Type(Form& f, Edit& e, const std::string& text) {
        f.Dispatch([&] { e.SetFocused(true); });
        f.Dispatch([&] { e.SetText(text); });
        f.Dispatch([&] { e.SetFocused(false); });
    }
    void Save(Form& f, Button& b, const std::string& base) {
        platform.saveAnswers.push_back(base);
        Click(f, b);
    }
    // The example film imported with its fringes file and calculated, as the README's
    // batch example runs it, with the substrate index typed as given.
    void CalculateExampleFilm(const std::string& substrate) {
        Import(Form1, Form1.import1, Example("thinfilm-transmission.txt"));
        Import(Form1, Form1.Import2, Example("thinfilm-fringes.txt"));
        Type(Form1, Form1.Const2, substrate);
        Click(Form1, Form1.Calculate);
    }

    static std::string Q(const std::string& text) { return "\"" + text + "\""; }
    std::string Head(const std::optional<std::string>& message) const {
        std::string notes;
        for (const std::string& entry : platform.log)
            notes += (notes.empty() ? "" : ", ") + Q(entry.substr(entry.find(": ") + 2));
        // What the Thin Films window says beside the thickness comes last.
        if (!Form1.OrdersNote.Text().empty()) notes += (notes.empty() ? "" : ", ") + Q(Form1.OrdersNote.Text());
        return "{\"message\": " + (message ? Q(*message) : "null") + ", \"notes\": [" + notes + "]";
    }
    // What the Fringe Orders dialog shows, when a complete Calculate made it available.
    std::optional<FringeOrdersOutcome> Orders() {
        if (!Form1.FringeOrders.Enabled()) return std::nullopt;
        platform.modalScripts.push_back([this](Form&) { Click(Form1.Orders, Form1.Orders.CloseButton); });
        Click(Form1, Form1.FringeOrders);
        return Form1.Orders.Outcome();
    }
    // The numbers of the window's outcome as the summary writes them.
    static std::string Real(const std::optional<double>& value) { return value ? FloatToStr(*value) : "null"; }
    static std::string Results(const std::optional<double>& cm, const std::optional<double>& natNm,
                               const std::optional<double>& n, const std::optional<double>& eg,
                               const std::optional<double>& egSd, const std::optional<double>& egR2) {
        return "{\"thicknessNm\": " + Real(cm ? std::optional<double>(*cm * 1e7) : std::nullopt) +
               ", \"thicknessCm\": " + Real(cm) + ", \"natNm\": " + Real(natNm) + ", \"n\": " + Real(n) +
               ", \"egEv\": " + Real(eg) + ", \"egSdEv\": " + Real(egSd) + ", \"egR2\": " + Real(egR2) + "}";
    }
    std::string ThinResults() const {
        const ThinFilmOutcome& o = Form1.Outcome();
        return Results(o.thicknessCm, o.nAtNat ? std::optional<double>(o.natNm) : std::nullopt, o.nAtNat, o.egEv, o.egSdEv,
                       o.egR2);
    }
    std::string ThinSummary(const std::optional<std::string>& message = std::nullopt) {
        const ThinFilmData& d = *thinData;
        return Head(message) + ", \"thickness\": " + Q(Form1.thickness.Text()) +
               ", \"n633show\": " + Q(Form1.n633show.Text()) + ", \"EgOutput\": " + Q(Form1.EgOutput.Text()) +
               ", \"SpecCount\": " + std::to_string(d.SpecCount) + ", \"ExtCount\": " + std::to_string(d.ExtCount) +
               ", \"DispCount\": " + std::to_string(d.DispCount) + ", \"RangeCount\": " +
               std::to_string(d.RangeCount) + ", \"FitCount\": " + std::to_string(d.FitCount) +
               ", \"Wstart\": " + Q(Form1.Wstart.Text()) + ", \"Wend\": " + Q(Form1.Wend.Text()) +
               ", \"not633\": " + (Form1.not633.Checked() ? "true" : "false") + ", \"results\": " + ThinResults() +
               ", \"fringeOrders\": " + FringeOrdersJson(Orders()) + ", \"spectrumFit\": null}\n";
    }
    std::string BulkSummary(const std::optional<std::string>& message = std::nullopt) const {
        const BulkData& d = *bulkData;
        return Head(message) + ", \"thickness\": " + Q(Form3.Thickness.Text()) + ", \"n633show\": null" +
               ", \"EgOutput\": " + Q(Form3.EgOutput.Text()) + ", \"SpecCount\": " + std::to_string(d.SpecCount) +
               ", \"ExtCount\": null, \"DispCount\": null, \"AbsCount\": " + std::to_string(d.AbsCount) +
               ", \"ReflCount\": " + std::to_string(d.ReflCount) + ", \"results\": " +
               Results(Form3.Outcome().thicknessCm, std::nullopt, std::nullopt, Form3.Outcome().egEv,
                       Form3.Outcome().egSdEv, Form3.Outcome().egR2) +
               "}\n";
    }
};

class BatchTest : public ::testing::Test {
protected:
    BatchTest() { SetDecimalSeparator('.'); }
    ~BatchTest() override { SetDecimalSeparator('.'); }

    std::string Path(const std::string& name) const { return temp.File(name); }

    int Run(const Args& args) {
        out.str("");
        err.str("");
        return RunBatch(args, out, err);
    }

    void ExpectSameFiles(const std::string& batchBase, const std::string& windowBase,
                         const std::vector<std::string>& suffixes) {
        for (const std::string& suffix : suffixes) {
            const auto batch = ReadBytes(batchBase + suffix);
            const auto window = ReadBytes(windowBase + suffix);
            ASSERT_TRUE(batch && window) << suffix;
            EXPECT_TRUE(*batch == *window) << suffix << " differs";
        }
    }

    testing::TempFolder temp{"batch"};
    fs::path dir = temp.Path();
    std::ostringstream out, err;
};

double Number(const std::string& text) { return std::stod(text); }

TEST_F(BatchTest, ThinFilmExampleMatchesTheWindowUnderAnyLocaleSeparator) {
    SetDecimalSeparator(',');  // a batch run reads and writes "." whatever the locale
    const int status = Run({"thinfilm", "--spectrum", Example("thinfilm-transmission.txt"), "--fringes",
                            Example("thinfilm-fringes.txt"), "--ns", "1.52", "--direct", "--eg", "2.45", "2.7",
                            "--save", Path("batch")});
    EXPECT_EQ(DecimalSeparator(), ',');
    SetDecimalSeparator('.');

    Windows w;
    TForm1& f = w.Form1;
    w.CalculateExampleFilm("1.52");
    w.Click(f, f.Direct);
    w.Click(f, f.RadioButton3);
    w.Type(f, f.Estart, "2.45");
    w.Type(f, f.Eend, "2.7");
    w.Click(f, f.CalculatEg);
    w.Save(f, f.Button1, Path("window"));

    EXPECT_EQ(status, kBatchDone) << err.str();
    EXPECT_EQ(out.str(), w.ThinSummary());
    EXPECT_EQ(err.str(), "");
    ExpectSameFiles(Path("batch"), Path("window"), kThinFilmFiles);
    // The example film has a 2.40 eV gap and is 2.0e-4 cm thick.
    EXPECT_NEAR(Number(f.EgOutput.Text()), 2.40, 0.01);
    EXPECT_NEAR(Number(f.thickness.Text()), 2.0e-4, 0.1e-4);
}

TEST_F(BatchTest, ThinFilmOptionsAreTypedAndClickedInTheWindowsOrder) {
    // Wave numbers and fractions, every edit typed, a constant n, no fringes-free
    // curve, and an estimate wavelength outside the range: its message lets the
    // calculation go on.
    const int status = Run({"thinfilm", "--spectrum", Example("thinfilm-wavenumber.txt"), "--fringes",
                            Example("thinfilm-fringes-wavenumber.txt"), "--wavenumber", "--fraction", "--n0",
                            "1.0", "--ns", "1.52", "--tolerance", "2", "--wstart", "560", "--wend", "1000", "--natx",
                            "1100", "--constant-n", "2.3", "--no-fringes-free", "--order", "3", "--envelope", "2",
                            "--eg", "2.45", "2.7", "--save", Path("batch")});

    Windows w;
    TForm1& f = w.Form1;
    w.Click(w.Form2, w.Form2.RadioButton2);
    w.Click(w.Form2, w.Form2.RadioButton4);
    w.Import(f, f.import1, Example("thinfilm-wavenumber.txt"));
    w.Import(f, f.Import2, Example("thinfilm-fringes-wavenumber.txt"));
    w.Type(f, f.Wstart, "560");
    w.Type(f, f.Wend, "1000");
    w.Type(f, f.natx, "1100");
    w.Type(f, f.Const1, "1.0");
    w.Type(f, f.Const2, "1.52");
    w.Type(f, f.Tolerance, "2");
    w.Type(f, f.Order, "3");
    w.Type(f, f.envelope, "2");
    w.Click(f, f.nu633);
    w.Type(f, f.ninp, "2.3");
    w.Click(f, f.FrFTr);
    w.Click(f, f.Calculate);
    w.Click(f, f.RadioButton3);
    w.Type(f, f.Estart, "2.45");
    w.Type(f, f.Eend, "2.7");
    w.Click(f, f.CalculatEg);
    w.Save(f, f.Button1, Path("window"));

    EXPECT_EQ(status, kBatchDone);
    EXPECT_EQ(w.platform.messages, std::vector<std::string>{kNatxMessage});
    EXPECT_TRUE(f.not633.Checked());
    EXPECT_NE(f.EgOutput.Text(), "");
    EXPECT_EQ(out.str(), w.ThinSummary());
    ExpectSameFiles(Path("batch"), Path("window"), kThinFilmFiles);

    // A typed thickness without an estimate.
    const int fixed = Run({"thinfilm", "--spectrum", Example("thinfilm-transmission.txt"), "--fringes",
                           Example("thinfilm-fringes.txt"), "--ns", "1.52", "--no-estimate", "--thickness",
                           "0.0002", "--save", Path("fixed")});
    Windows v;
    TForm1& g = v.Form1;
    v.Import(g, g.import1, Example("thinfilm-transmission.txt"));
    v.Import(g, g.Import2, Example("thinfilm-fringes.txt"));
    v.Type(g, g.Const2, "1.52");
    v.Click(g, g.not633);
    v.Click(g, g.FixThickness);
    v.Type(g, g.thickness, "0.0002");
    v.Click(g, g.Calculate);
    v.Click(g, g.RadioButton3);
    v.Save(g, g.Button1, Path("fixedWindow"));
    EXPECT_EQ(fixed, kBatchDone);
    EXPECT_EQ(out.str(), v.ThinSummary());
    EXPECT_EQ(g.thickness.Text(), "0.0002");
    ExpectSameFiles(Path("fixed"), Path("fixedWindow"), kThinFilmFiles);
}

TEST_F(BatchTest, AStoppingMessageEndsTheStepsButResultsAreStillSaved) {
    // A zero substrate index stops Calculate; the gap steps do not run.
    const int status = Run({"thinfilm", "--spectrum", Example("thinfilm-transmission.txt"), "--fringes",
                            Example("thinfilm-fringes.txt"), "--ns", "0", "--direct", "--eg", "2.45", "2.7",
                            "--save-on-stop", "--save", Path("batch")});
    Windows w;
    TForm1& f = w.Form1;
    w.CalculateExampleFilm("0");
    w.Save(f, f.Button1, Path("window"));

    const std::string stop = "Enter valid values of constant Refractive Indexes";
    EXPECT_EQ(status, kBatchStopped);
    EXPECT_EQ(w.platform.log, std::vector<std::string>{"message: " + stop});
    EXPECT_FALSE(f.Direct.Checked());
    EXPECT_EQ(out.str(), w.ThinSummary(stop));
    ExpectSameFiles(Path("batch"), Path("window"), kThinFilmFiles);
}

TEST_F(BatchTest, AnErrorWhileTypingTheEnergyWindowStopsBeforeTheGapFit) {
    const int status = Run({"thinfilm", "--spectrum", Example("thinfilm-transmission.txt"), "--fringes",
                            Example("thinfilm-fringes.txt"), "--ns", "1.52", "--eg", "abc", "2.7", "--save-on-stop",
                            "--save", Path("batch")});
    Windows w;
    TForm1& f = w.Form1;
    w.CalculateExampleFilm("1.52");
    w.Click(f, f.RadioButton3);
    w.Type(f, f.Estart, "abc");
    w.Save(f, f.Button1, Path("window"));

    const std::string stop = "'abc' is not a valid floating point value";
    EXPECT_EQ(status, kBatchStopped);
    EXPECT_EQ(w.platform.errors, std::vector<std::string>{stop});  // Eg Calculation would repeat it
    EXPECT_EQ(out.str(), w.ThinSummary(stop));
    ExpectSameFiles(Path("batch"), Path("window"), kThinFilmFiles);
}

TEST_F(BatchTest, TheTooManyPointsNoteDoesNotStopAndAFailedSaveDoes) {
    std::string text;
    for (int i = 1; i <= kCapacity + 1; ++i) text += std::to_string(300 + i * 0.01) + " 50\n";
    temp.Write("long.txt", text);

    const int status = Run({"thinfilm", "--spectrum", Path("long.txt"), "--save-on-stop", "--save", Path("batch")});
    Windows w;
    TForm1& f = w.Form1;
    w.Import(f, f.import1, Path("long.txt"));
    w.Click(f, f.Calculate);
    w.Save(f, f.Button1, Path("window"));

    const std::string stop = "Not enouph fringers! Please, use bulk section of the program";
    EXPECT_EQ(w.platform.messages, (std::vector<std::string>{kTooManyPointsMessage, kNatxMessage, stop}));
    EXPECT_EQ(status, kBatchStopped);
    EXPECT_EQ(out.str(), w.ThinSummary(stop));
    ExpectSameFiles(Path("batch"), Path("window"), kThinFilmFiles);

    // Nothing stops the steps, but the files cannot be written: the save error is the
    // run's message and the status says it stopped.
    const std::string missing = Path("no-such-dir/base");
    const int unsaved = Run({"bulk", "--spectrum", Example("bulk-transmission.txt"), "--constant-n", "1.9",
                             "--thickness", "0.1", "--save", missing});
    Windows v;
    TForm3& g = v.Form3;
    v.Import(g, g.import1, Example("bulk-transmission.txt"));
    v.Click(g, g.InpN);
    v.Click(g, g.InpN);
    v.Type(g, g.Refrn633, "1.9");
    v.Type(g, g.Thickness, "0.1");
    v.Click(g, g.Calculate);
    v.Click(g, g.RadioButton3);
    v.Save(g, g.Button1, missing);
    ASSERT_EQ(v.platform.errors.size(), 1u);
    EXPECT_EQ(unsaved, kBatchStopped);
    EXPECT_EQ(out.str(), v.BulkSummary(v.platform.errors[0]));
}

TEST_F(BatchTest, BulkRunsReachEachReflectionSourceByTheUsersClicks) {
    struct Case {
        const char* name;
        Args args;
        std::function<void(Windows&, TForm3&)> sourceSteps;
        bool direct;
        std::optional<std::string> stop;
    };
    const std::string T = Example("bulk-transmission.txt"), R = Example("bulk-reflection.txt");
    const std::vector<Case> cases = {
        // The reflection import unchecks both boxes; one click on InpR checks it again.
        {"constant R after a reflection import",
         {"--reflection", R, "--constant-r", "9.6314"},
         [&](Windows& w, TForm3& f) {
             w.Import(f, f.Button2, R);
             w.Click(f, f.InpR);
             w.Type(f, f.Refl, "9.6314");
         },
         false, std::nullopt},
        // From the start state the first click on InpN only unchecks InpR.
        {"constant n",
         {"--constant-n", "1.9", "--n0", "1"},
         [](Windows& w, TForm3& f) {
             w.Click(f, f.InpN);
             w.Click(f, f.InpN);
             w.Type(f, f.Refrn633, "1.9");
         },
         false, std::nullopt},
        {"reflection spectrum, direct gap",
         {"--reflection", R, "--reflection-spectrum"},
         [&](Windows& w, TForm3& f) { w.Import(f, f.Button2, R); },
         true, std::nullopt},
        // A zero thickness stops Calculate.
        {"zero thickness",
         {"--constant-r", "9.6314", "--thickness", "0"},
         [](Windows& w, TForm3& f) {
             w.Click(f, f.InpR);
             w.Click(f, f.InpR);
             w.Type(f, f.Refl, "9.6314");
         },
         false, "Wrong thickness value!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Args args = {"bulk", "--spectrum", T};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const bool typedThickness = std::find(args.begin(), args.end(), "--thickness") != args.end();
        if (!typedThickness) args.insert(args.end(), {"--thickness", "0.1"});
        if (c.direct) args.push_back("--direct");
        args.insert(args.end(), {"--eg", "3.55", "3.8", "--save", Path("batch")});
        if (c.stop) args.push_back("--save-on-stop");
        const int status = Run(args);

        Windows w;
        TForm3& f = w.Form3;
        w.Import(f, f.import1, T);
        c.sourceSteps(w, f);
        w.Type(f, f.Thickness, typedThickness ? "0" : "0.1");
        if (std::find(args.begin(), args.end(), "--n0") != args.end()) w.Type(f, f.Const1, "1");
        w.Click(f, f.Calculate);
        if (!c.stop) {
            if (c.direct) w.Click(f, f.Direct);
            w.Click(f, f.RadioButton3);
            w.Type(f, f.Estart, "3.55");
            w.Type(f, f.Eend, "3.8");
            w.Click(f, f.CalculatEg);
        }
        w.Save(f, f.Button1, Path("window"));

        EXPECT_EQ(status, c.stop ? kBatchStopped : kBatchDone);
        EXPECT_EQ(out.str(), w.BulkSummary(c.stop));
        ExpectSameFiles(Path("batch"), Path("window"), kBulkFiles);
        // The plate has an indirect gap of 3.50 eV.
        if (!c.stop && !c.direct) {
            EXPECT_NEAR(Number(f.EgOutput.Text()), 3.50, 0.01);
        }
    }
}

TEST_F(BatchTest, WrongCommandLinesExitWithUsageAndRunNothing) {
    const std::string T = Example("bulk-transmission.txt");
    const std::string overwritten = Path("xAbs.txt");
    fs::copy_file(T, overwritten);
    const std::vector<Args> wrong = {
        {},
        {"film", "--spectrum", T, "--save", Path("b")},
        {"bulk", "--spectrum", T, "--save", Path("b")},  // no reflection source
        {"bulk", "--spectrum", T, "--constant-r", "9", "--constant-n", "1.9", "--save", Path("b")},
        {"bulk", "--spectrum", T, "--reflection-spectrum", "--ns", "1.5", "--save", Path("b")},
        {"thinfilm", "--spectrum", T, "--constant-r", "9", "--save", Path("b")},
        {"thinfilm", "--spectrum", T},
        {"thinfilm", "--save", Path("b")},
        {"thinfilm", "--spectrum", T, "--save"},
        {"thinfilm", "--spectrum", T, "--eg", "2.4", "--save", Path("b")},
        {"thinfilm", "--spectrum", T, "--n0", "1", "--n0", "2", "--save", Path("b")},
        {"thinfilm", "--spectrum", T, "--natx", "633.5", "--save", Path("b")},
        {"thinfilm", "--spectrum", T, "--bogus", "--save", Path("b")},
        {"thinfilm", "--spectrum", Path("missing.txt"), "--save", Path("b")},
        {"thinfilm", "--spectrum", T, "--fringes", dir.string(), "--save", Path("b")},
        // Options without their partner.
        {"bulk", "--spectrum", T, "--reflection-spectrum", "--save", Path("b")},
        {"bulk", "--spectrum", T, "--constant-r", "9", "--n0", "1.3", "--save", Path("b")},
        // Results that would overwrite the run's own input, however the name is spelt.
        {"bulk", "--spectrum", overwritten, "--constant-r", "9", "--save", Path("x")},
        {"thinfilm", "--spectrum", T, "--fringes", overwritten, "--save", (dir / "." / "x").string()},
        {"bulk", "--spectrum", T, "--constant-r", "9", "--orders", Path("o.txt"), "--save", Path("b")},
    };
    for (const Args& args : wrong) {
        std::string line;
        for (const auto& a : args) line += a + " ";
        SCOPED_TRACE(line);
        EXPECT_EQ(Run(args), kBatchWrongUsage);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(err.str().rfind("optical-constants-batch: ", 0), 0u);
        EXPECT_NE(err.str().find(BatchUsage()), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(Path("bAbs.txt")));
    EXPECT_EQ(ReadBytes(overwritten), ReadBytes(T));
    EXPECT_EQ(Run({"bulk", "--spectrum", overwritten, "--constant-r", "9", "--save", Path("x")}), kBatchWrongUsage);
    EXPECT_EQ(err.str().rfind("optical-constants-batch: results file " + Path("xAbs.txt") +
                                  " would overwrite the --spectrum file\n", 0),
              0u);
    EXPECT_EQ(Run({"bulk", "--spectrum", T, "--reflection-spectrum", "--save", Path("b")}), kBatchWrongUsage);
    EXPECT_EQ(err.str().rfind("optical-constants-batch: option --reflection-spectrum needs --reflection\n", 0), 0u);

    EXPECT_EQ(Run({"--help"}), kBatchDone);
    EXPECT_EQ(out.str(), BatchHelp());
    // An option's value may look like an option: it is the text typed.
    EXPECT_EQ(Run({"bulk", "--spectrum", T, "--constant-n", "--n0", "--save", Path("b")}), kBatchStopped);
    EXPECT_NE(out.str().find("'--n0' is not a valid floating point value"), std::string::npos);
}

// A run that stops names on standard error the file or option the message is about;
// the JSON keeps the window's own text. Impossible values and unreadable files stop it.
TEST_F(BatchTest, StoppingMessagesNameTheirFileOrOption) {
    const std::string T = Example("thinfilm-transmission.txt"), F = Example("thinfilm-fringes.txt");
    const std::string B = Example("bulk-transmission.txt");
    const std::string words = temp.Write("words.txt", "Sample 7, measured on Monday\r\n");
    const std::string missing = Path("no-such-dir/base");
    const Args film = {"thinfilm", "--spectrum", T, "--fringes", F};
    struct Case {
        Args args;
        std::string subject;
        std::string text;
    };
    const auto with = [](Args args, const Args& more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const std::vector<Case> cases = {
        {{"thinfilm", "--spectrum", words}, "--spectrum " + words, "No pair of numbers was found in words.txt."},
        {{"bulk", "--spectrum", B, "--reflection", words, "--reflection-spectrum"}, "--reflection " + words,
         "No pair of numbers was found in words.txt."},
        {{"thinfilm", "--spectrum", T}, "--fringes (not given)",
         "Not enouph fringers! Please, use bulk section of the program"},
        {with(film, {"--ns", "-1.52"}), "--ns -1.52", "Enter valid values of constant Refractive Indexes"},
        {with(film, {"--ns", "1.52", "--constant-n", "-2"}), "--constant-n -2",
         "Enter valid values of Refractive Index n"},
        {with(film, {"--order", "2.5"}), "--order 2.5", "'2.5' is not a valid integer value"},
        {with(film, {"--ns", "1.52", "--eg", "2.7", "2.45"}), "--eg 2.7 2.45",
         "Unable to calculate Eg! The minimum value is greater than maximum one! Please, check them"},
        {{"bulk", "--spectrum", B, "--constant-r", "100"}, "--constant-r 100",
         "Enter valid value of Reflection R = const: from 0 up to, but not including, 100 %"},
        {{"bulk", "--spectrum", B, "--constant-n", "1.9", "--thickness", "-0.1"}, "--thickness -0.1",
         "Wrong thickness value!"},
        {{"bulk", "--spectrum", B, "--constant-n", "1.9", "--n0", "0"}, "--n0 0",
         "Enter valid values of Environmental Refractive Indexes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Run(with(c.args, {"--save", Path("stopped")})), kBatchStopped);
        EXPECT_EQ(err.str(), "optical-constants-batch: " + c.subject + ": " + c.text + "\n");
        EXPECT_EQ(out.str().rfind("{\"message\": " + JsonString(c.text) + ", ", 0), 0u);
    }
    // A save that fails names the results files' base.
    EXPECT_EQ(Run({"bulk", "--spectrum", B, "--constant-n", "1.9", "--save", missing}), kBatchStopped);
    EXPECT_EQ(err.str(), "optical-constants-batch: --save " + missing + ": I/O error 3\noptical-constants-batch: " +
                             missing + "Abs.txt: No such file or directory (there is no folder " +
                             std::filesystem::path(missing).parent_path().string() + ")\n");
}

TEST_F(BatchTest, FringeOrdersInTheSummaryAndItsTableWithOrders) {
    const Args example = {"thinfilm", "--spectrum", Example("thinfilm-transmission.txt"), "--fringes",
                          Example("thinfilm-fringes.txt"), "--ns", "1.52", "--save", Path("batch")};
    Args withTable = example;
    withTable.insert(withTable.end(), {"--orders", Path("orders.txt")});
    EXPECT_EQ(Run(withTable), kBatchDone) << out.str();
    const std::string summary = out.str();

    // The table is the one the dialog's Save Table writes.
    Windows w;
    TForm1& f = w.Form1;
    w.CalculateExampleFilm("1.52");
    w.platform.modalScripts.push_back([&](Form&) { w.Save(f.Orders, f.Orders.SaveTable, Path("window.txt")); });
    w.Click(f, f.FringeOrders);
    const auto table = ReadBytes(Path("orders.txt"));
    ASSERT_TRUE(table);
    EXPECT_EQ(*table, *ReadBytes(Path("window.txt")));
    EXPECT_EQ(std::count(table->begin(), table->end(), '\n'), 1 + 18);

    // The result with every row, the first and the last written out here.
    const FringeOrdersResult& r = *f.Orders.Outcome().result;
    const std::size_t at = summary.find(", \"fringeOrders\": {\"thicknessNm\": " + FloatToStr(r.thicknessNm) +
                                        ", \"thicknessSdNm\": " + FloatToStr(r.thicknessSdNm) +
                                        ", \"firstPassNm\": " + FloatToStr(r.firstPassNm) +
                                        ", \"used\": 14, \"orderAmbiguous\": false, \"alternativeNm\": null"
                                        ", \"kindsSwapped\": false, \"rows\": [{\"lambdaNm\": 1048.07, "
                                        "\"type\": \"min\", \"n1\": 2.22727447946492, \"order\": 8.5, "
                                        "\"d2Nm\": " + FloatToStr(r.rows[0].thickness) +
                                        ", \"n2\": " + FloatToStr(r.rows[0].n2) + ", \"used\": true}, ");
    EXPECT_NE(at, std::string::npos) << summary;
    // After the rows, what the film's envelopes add: a uniform film, no spread to correct for.
    EXPECT_NE(summary.find(", \"used\": false}], \"nonUniformityNm\": "), std::string::npos) << summary;
    EXPECT_NE(summary.find(", \"spreadCorrected\": false, \"lowerIndex\": false, \"warnings\": ["), std::string::npos)
        << summary;
    EXPECT_TRUE(summary.ends_with("]}, \"spectrumFit\": null}\n")) << summary;
    EXPECT_NEAR(r.thicknessNm, 2000, 4);
    // The summary, its results, the fringe orders and their 18 rows.
    EXPECT_EQ(std::count(summary.begin(), summary.end(), '{'), 3 + 18);
    EXPECT_EQ(summary.find("nan"), std::string::npos);
    EXPECT_EQ(summary.find("inf"), std::string::npos);

    // Calculate did not complete: null.
    Args stopped = example;
    stopped[6] = "0";
    EXPECT_EQ(Run(stopped), kBatchStopped);
    EXPECT_NE(out.str().find(", \"fringeOrders\": null, \"spectrumFit\": null}"), std::string::npos) << out.str();
}

TEST_F(BatchTest, OrdersThatCannotBeFoundGiveTheReasonAndStopARunThatAsksForTheTable) {
    // Envelope indices falling faster than the wavelength: every first-pass pair is
    // negative. Calculate completes with a thickness typed in.
    temp.Write("falling.txt", "1000 92.3\n990 60\n980 92.3\n970 70\n960 92.3\n950 80\n");
    const Args args = {"thinfilm", "--spectrum", Example("thinfilm-transmission.txt"), "--fringes",
                       Path("falling.txt"), "--ns", "1.5", "--natx", "970", "--thickness", "0.0001",
                       "--save", Path("batch")};
    const std::string reason = "The fringe extrema give no consistent thickness.";
    EXPECT_EQ(Run(args), kBatchDone);
    EXPECT_NE(out.str().find(", \"fringeOrders\": {\"reason\": \"" + reason + "\"}, \"spectrumFit\": null}"), std::string::npos) << out.str();

    Args withTable = args;
    withTable.insert(withTable.end(), {"--orders", Path("orders.txt")});
    EXPECT_EQ(Run(withTable), kBatchStopped);
    EXPECT_EQ(out.str().rfind("{\"message\": \"" + reason + "\", ", 0), 0u) << out.str();
    EXPECT_EQ(err.str(), "optical-constants-batch: --orders " + Path("orders.txt") + ": " + reason + "\n");
    EXPECT_FALSE(fs::exists(Path("orders.txt")));
    EXPECT_TRUE(fs::exists(Path("batchRef.txt")));
}

#ifdef OPTC_BATCH_PROGRAM
// The built program is the same run: same summary, same files, same statuses.
TEST_F(BatchTest, TheBuiltProgramWritesWhatTheLibraryRunWrites) {
    auto shell = [](const Args& args) {
        std::string command = OPTC_BATCH_PROGRAM;
        for (const auto& a : args) command += " '" + a + "'";
        return command;
    };
    auto run = [&](const Args& args, std::string& stdoutText) {
        FILE* pipe = ::popen((shell(args) + " 2>/dev/null").c_str(), "r");
        if (!pipe) return -1;
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) stdoutText.append(buffer, n);
        const int status = ::pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    const Args common = {"bulk", "--spectrum", Example("bulk-transmission.txt"), "--reflection",
                         Example("bulk-reflection.txt"), "--reflection-spectrum", "--thickness", "0.1",
                         "--eg", "3.55", "3.8", "--save"};
    Args programArgs = common, libraryArgs = common;
    programArgs.push_back(Path("program"));
    libraryArgs.push_back(Path("library"));

    std::string programOut;
    EXPECT_EQ(run(programArgs, programOut), kBatchDone);
    EXPECT_EQ(Run(libraryArgs), kBatchDone);
    EXPECT_EQ(programOut, out.str());
    ExpectSameFiles(Path("program"), Path("library"), kBulkFiles);

    std::string wrongOut;
    EXPECT_EQ(run({"bulk"}, wrongOut), kBatchWrongUsage);
    EXPECT_EQ(wrongOut, "");

    // A summary or a version lost on a full disk is a failed run.
    if (fs::exists("/dev/full")) {
        for (const Args& args : {programArgs, Args{"bulk", "--version"}}) {
            const int status = std::system((shell(args) + " >/dev/full 2>/dev/null").c_str());
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kBatchStopped) << args.back();
        }
    }
}
#endif

}  // namespace
}  // namespace optc
