// Fuzzes the thin-film and bulk analyses end to end through their windows' logic: the
// input becomes a spectrum file and a second file (fringe extrema, or a reflection
// spectrum), written into a private temporary folder; the window imports them, takes
// a few option settings, calculates, shows the thin film's fringe orders where they can
// be had (also when Calculate stopped), its graphs and the Tauc view, fits the gap and
// saves its results into the same folder.
//
// Input layout: 8 option bytes (see Options), then the spectrum file, then optionally
// the separator "=====" and the second file.
//
// A fault is a crash, a sanitizer report, a hang, an exception that is not one of the
// program's errors (those reach the error box; anything else escapes and aborts), or,
// after a run that reported no error and stopped at no message, an inf/NaN within the
// counts of the workspace's result arrays; and fringe orders that give a thickness
// that is not a finite positive number, or one from fewer than three extrema.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "bulk/BulkData.h"
#include "bulk/Main_3.h"
#include "numerics/Errors.h"
#include "numerics/FloatText.h"
#include "datafiles/PairReader.h"
#include "thinfilm/window/Main_1.h"
#include "thinfilm/ThinFilmData.h"
#include "ui/ScriptedPlatform.h"

namespace {

using namespace optc;

// ---- Process-wide state: the two workspaces and the temporary folder ----

struct Session {
    std::unique_ptr<ThinFilmData> thin = ThinFilmData::Create();
    std::unique_ptr<BulkData> bulk = BulkData::Create();
    std::filesystem::path dir;
    UnitChoices units;

    Session() {
        char pattern[] = "/tmp/optc-fuzz-XXXXXX";
        if (!::mkdtemp(pattern)) {
            std::perror("mkdtemp");
            std::abort();
        }
        dir = pattern;
    }
    ~Session() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

Session& Shared() {
    static Session session;
    return session;
}

[[noreturn]] void Fault(const std::string& what) {
    std::fprintf(stderr, "pipeline fault: %s\n", what.c_str());
    std::abort();
}

void WriteFile(const std::filesystem::path& path, std::string_view content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) Fault("cannot write " + path.string());
}

// ---- Options ----

template <std::size_t N>
const char* Pick(const char* const (&choices)[N], unsigned bits) {
    return choices[bits % N];
}

struct Options {
    std::uint8_t b[8];
    bool Bulk() const { return b[0] & 0x01; }
    bool WaveNumber() const { return b[0] & 0x02; }
    bool Fraction() const { return b[0] & 0x04; }
    bool ToggleDirect() const { return b[0] & 0x08; }
    bool OtherGraphs() const { return b[0] & 0x10; }
    bool TypeBound() const { return b[0] & 0x20; }
    bool SecondFile() const { return !(b[0] & 0x40); }  // read by default
    bool TypedRange() const { return b[0] & 0x80; }
    // The locale's decimal separator, for typed numbers and numbers shown in edits.
    char Separator() const { return (b[7] & 0x80) ? ',' : '.'; }
};

// Texts the user might type, ordinary values first, then the ones each check refuses.
const char* const kIndexN0[] = {"1", "0", "1.5", "-1"};
const char* const kIndexS[] = {"1.52", "0", "1", "-2.5"};
const char* const kOrders[] = {"2", "0", "1", "3", "10", "11", "-1", "5"};
const char* const kEnvelopeOrders[] = {"3", "0", "1", "2", "5", "6", "-1", "4"};
const char* const kTolerances[] = {"1", "0", "-5", "100"};
const char* const kNatx[] = {"633", "500", "0", "1000000"};
const char* const kThickness[] = {"0.0002", "0", "-1", "1e-300"};
const char* const kConstantN[] = {"2.27", "0", "1", "1.52"};
const char* const kRangeStart[] = {"400", "0", "-100", "1000", "550", "300", "1e6", "633"};
const char* const kRangeEnd[] = {"1100", "800", "0", "2e5", "950", "633", "400", "1e300"};
const char* const kBulkThickness[] = {"1", "0", "-0.1", "1e-300", "0.1", "1e300", "2", "x"};
const char* const kBulkIndex[] = {"2", "0", "-1", "1"};
const char* const kBulkN0[] = {"1", "0", "-2", "2"};
const char* const kReflection[] = {"18", "0", "100", "-50", "150", "99.999", "4", "1e-3"};
const char* const kTypedBound[] = {"2.3", "2.25", "0", "-1", "10", "5.57", "", "-", "1e10", "3"};

// ---- Driving a window ----

class Run {
public:
    Run(ScriptedPlatform& platform, Form& form) : platform(platform), form_(form) {}

    // One user event. The program's own errors end the handler and reach the error
    // box, as in the window; any other exception is a fault and escapes.
    void User(const std::function<void()>& event) {
        try {
            event();
        } catch (const Error& e) {
            platform.ShowError(e.what());
        }
        form_.FlushCharts();
    }
    // Types a number as the user would under the locale's decimal separator.
    void Type(Edit& edit, std::string text, bool focused = false) {
        for (char& c : text)
            if (c == '.') c = DecimalSeparator();
        User([&] {
            edit.SetFocused(focused);
            edit.SetText(text);
            edit.SetFocused(false);
        });
    }
    void SetBox(CheckBox& box, bool checked) {
        if (box.Checked() != checked) User([&] { box.Click(); });
    }
    void Choose(RadioButton& button) {
        User([&] { button.Click(); });
    }

    // True when no error was reported and every message was one that lets work go on.
    bool Clean() const {
        if (!platform.errors.empty()) return false;
        for (const std::string& m : platform.messages)
            if (m != kTooManyPointsMessage &&
                m != "Unable to calculate n at given wavelength! Press Ok to continue without "
                     "estimating it")
                return false;
        return true;
    }

    ScriptedPlatform& platform;

private:
    Form& form_;
};

// ---- Result checks ----

void CheckArray(const SpectrumArray& a, int from, int to, const char* name) {
    if (to > kCapacity) Fault(std::string(name) + ": count beyond the capacity");
    for (int k = from; k <= to; ++k)
        if (!std::isfinite(a[k])) Fault(std::string(name) + " holds inf/NaN at " + std::to_string(k));
}

void CheckValue(double v, const char* name) {
    if (!std::isfinite(v)) Fault(std::string(name) + " is inf/NaN");
}

void CheckCoef(const CoefVector& c, const char* name) {
    for (double v : c) CheckValue(v, name);
}

void CheckCounts(int count, const char* name) {
    if (count < 0 || count > kCapacity) Fault(std::string(name) + " outside 0..100000");
}

void CheckThinFilm(const ThinFilmData& d) {
    CheckCounts(d.SpecCount, "SpecCount");
    CheckCounts(d.ExtCount, "ExtCount");
    CheckCounts(d.DispCount, "DispCount");
    CheckCounts(d.FitCount, "FitCount");
    const int n = d.SpecCount;
    const int e = d.ExtCount;
    for (auto [a, name] : {std::pair{&d.SpecLambda, "SpecLambda"}, {&d.SpecTrans, "SpecTrans"},
                           {&d.FreeLambda, "FreeLambda"}, {&d.FreeTrans, "FreeTrans"},
                           {&d.TaucEnergy, "TaucEnergy"}, {&d.TransFraction, "TransFraction"},
                           {&d.AbsEnergy, "AbsEnergy"}, {&d.Absorption, "Absorption"},
                           {&d.TaucDirect, "TaucDirect"}, {&d.TaucIndirect, "TaucIndirect"},
                           {&d.Tauc, "Tauc"}, {&d.EgEnergy, "EgEnergy"}, {&d.EgTauc, "EgTauc"}})
        CheckArray(*a, 1, n, name);
    for (auto [a, name] :
         {std::pair{&d.RawExtLambda, "RawExtLambda"}, {&d.RawExtTrans, "RawExtTrans"},
          {&d.ExtLambda, "ExtLambda"}, {&d.ExtTrans, "ExtTrans"}, {&d.MinLambda, "MinLambda"},
          {&d.MinTrans, "MinTrans"}, {&d.MaxLambda, "MaxLambda"}, {&d.MaxTrans, "MaxTrans"},
          {&d.EnvMinLambda, "EnvMinLambda"}, {&d.EnvMinTrans, "EnvMinTrans"},
          {&d.EnvMaxLambda, "EnvMaxLambda"}, {&d.EnvMaxTrans, "EnvMaxTrans"},
          {&d.LambdaExp, "LambdaExp"}, {&d.RefractionExp, "RefractionExp"}, {&d.AuxN, "AuxN"}})
        CheckArray(*a, 1, e, name);
    if (e < kCapacity) {
        CheckArray(d.FreeExtLambda, 1, e + 1, "FreeExtLambda");
        CheckArray(d.FreeExtTrans, 1, e + 1, "FreeExtTrans");
    }
    CheckArray(d.FitInvLambdaSq, 1, d.FitCount, "FitInvLambdaSq");
    CheckArray(d.FitRefraction, 1, d.FitCount, "FitRefraction");
    CheckArray(d.DispLambda, 1, d.DispCount - 1, "DispLambda");
    CheckArray(d.DispRefraction, 1, d.DispCount - 1, "DispRefraction");
    CheckValue(d.FilmThickness, "FilmThickness");
    CheckValue(d.DispStart, "DispStart");
    CheckValue(d.DispEnd, "DispEnd");
    CheckValue(d.Eg, "Eg");
    for (const CoefVector* c : {&d.DispCoef, &d.TaucLine, &d.MinLineCoef, &d.MaxLineCoef,
                                &d.MinLocalCoef, &d.MaxLocalCoef, &d.FreeLocalCoef})
        CheckCoef(*c, "a coefficient vector");
}

void CheckBulk(const BulkData& d) {
    CheckCounts(d.SpecCount, "SpecCount");
    CheckCounts(d.ReflCount, "ReflCount");
    CheckCounts(d.AbsCount, "AbsCount");
    for (auto [a, name] : {std::pair{&d.SpecLambda, "SpecLambda"}, {&d.SpecTrans, "SpecTrans"},
                           {&d.RawLambda, "RawLambda"}, {&d.RawTrans, "RawTrans"}})
        CheckArray(*a, 1, d.SpecCount, name);
    for (auto [a, name] :
         {std::pair{&d.ReflLambda, "ReflLambda"}, {&d.ReflValue, "ReflValue"},
          {&d.RawReflLambda, "RawReflLambda"}, {&d.RawReflValue, "RawReflValue"}})
        CheckArray(*a, 1, d.ReflCount, name);
    for (auto [a, name] :
         {std::pair{&d.GridLambda, "GridLambda"}, {&d.GridTrans, "GridTrans"},
          {&d.GridReflLambda, "GridReflLambda"}, {&d.GridRefl, "GridRefl"},
          {&d.TaucEnergy, "TaucEnergy"}, {&d.TransFraction, "TransFraction"},
          {&d.AbsEnergy, "AbsEnergy"}, {&d.Absorption, "Absorption"}, {&d.Tauc, "Tauc"},
          {&d.TaucDirect, "TaucDirect"}, {&d.TaucIndirect, "TaucIndirect"},
          {&d.EgEnergy, "EgEnergy"}, {&d.EgTauc, "EgTauc"}})
        CheckArray(*a, 1, d.AbsCount, name);
    CheckValue(d.SampleThickness, "SampleThickness");
    CheckValue(d.Eg, "Eg");
    for (const CoefVector* c : {&d.TransCoef, &d.ReflCoef, &d.TaucLine}) CheckCoef(*c, "a coefficient vector");
}

// ---- A fresh workspace for each input ----
//
// Zeroing the whole 27 MB per input would cost more than the run itself, so only the
// elements the previous input could have written are zeroed, together with every
// scalar and coefficient vector. Element 100000 is never cleared by the program and
// is zeroed here too.

void Zero(SpectrumArray& a, int reach) {
    for (int k = 1; k <= reach; ++k) a[k] = 0.0;
    // Written only when set: a write there would make the program's next clear of the
    // array cover its whole capacity.
    if (std::as_const(a)[kCapacity] != 0.0) a[kCapacity] = 0.0;
}

void ResetThinFilm(ThinFilmData& d, int reach) {
    for (SpectrumArray* a :
         {&d.SpecLambda, &d.SpecTrans, &d.RawExtLambda, &d.RawExtTrans, &d.ExtLambda, &d.ExtTrans,
          &d.MinLambda, &d.MinTrans, &d.MaxLambda, &d.MaxTrans, &d.EnvMinLambda, &d.EnvMinTrans,
          &d.EnvMaxLambda, &d.EnvMaxTrans, &d.LambdaExp, &d.RefractionExp, &d.AuxN, &d.FitInvLambdaSq,
          &d.FitRefraction, &d.FreeExtLambda, &d.FreeExtTrans, &d.FreeLambda, &d.FreeTrans,
          &d.TaucEnergy, &d.TransFraction, &d.AbsEnergy, &d.Absorption, &d.TaucDirect, &d.TaucIndirect,
          &d.Tauc, &d.EgEnergy, &d.EgTauc})
        Zero(*a, reach);
    // The dispersion grid may be longer than the files; Import Spectrum clears it whole.
    Zero(d.DispLambda, reach);
    Zero(d.DispRefraction, reach);
    d.SpecCount = d.SpecAscending = d.ExtCount = d.RangeCount = d.FitCount = d.DispCount = 0;
    d.GraphMode = 0;
    d.FilmThickness = d.DispStart = d.DispEnd = 0.0;
    d.Eg = d.EgEStart = d.EgEEnd = d.EgYStart = d.EgYEnd = 0.0;
    for (CoefVector* c : {&d.DispCoef, &d.TaucLine, &d.MinLineCoef, &d.MaxLineCoef, &d.MinLocalCoef,
                          &d.MaxLocalCoef, &d.FreeLocalCoef})
        ClearCoef(*c);
}

void ResetBulk(BulkData& d, int reach) {
    for (SpectrumArray* a :
         {&d.SpecLambda, &d.SpecTrans, &d.RawLambda, &d.RawTrans, &d.ReflLambda, &d.ReflValue,
          &d.RawReflLambda, &d.RawReflValue, &d.TaucEnergy, &d.TransFraction, &d.AbsEnergy,
          &d.Absorption, &d.Tauc, &d.TaucDirect, &d.TaucIndirect, &d.WinLambda, &d.WinTrans,
          &d.WinReflLambda, &d.WinRefl, &d.EgEnergy, &d.EgTauc})
        Zero(*a, reach);
    // The common grid may be finer than either spectrum; each import clears it whole.
    for (SpectrumArray* a : {&d.GridLambda, &d.GridTrans, &d.GridReflLambda, &d.GridRefl})
        Zero(*a, reach);
    d.SpecCount = d.ReflCount = d.SpecAscending = d.GraphMode = d.AbsCount = 0;
    d.SampleThickness = d.Eg = d.EgEStart = d.EgEEnd = d.EgYStart = d.EgYEnd = 0.0;
    for (CoefVector* c : {&d.TransCoef, &d.ReflCoef, &d.TaucLine}) ClearCoef(*c);
}

// ---- The two analyses ----

// Tauc view, optionally a typed bound, gap fit, results files: the same in both windows.
template <typename Window>
void TaucGapAndSave(Window& w, Run& run, const Options& o, const std::filesystem::path& dir) {
    if (o.ToggleDirect()) run.User([&] { w.Direct.Click(); });
    run.Choose(w.RadioButton3);
    if (o.TypeBound()) {
        Edit* edits[] = {&w.Estart, &w.Eend, &w.Ytauc1, &w.Ytauc2};
        run.Type(*edits[o.b[7] % 4], Pick(kTypedBound, o.b[6]), true);
    }
    run.User([&] { w.CalculatEg.Click(); });
    if constexpr (requires { w.Chart1DblClick(); }) run.User([&] { w.Chart1DblClick(); });
    run.platform.saveAnswers.push_back((dir / "results").string());
    run.User([&] { w.Button1.Click(); });
}

void ThinFilm(const Options& o, bool secondFile, int reach, Session& s) {
    ThinFilmData& d = *s.thin;
    ResetThinFilm(d, reach);  // each input starts from a fresh workspace
    ScriptedPlatform platform;
    TForm1 w(platform, d, [&s] { return s.units; });
    Run run(platform, w);

    platform.openAnswers.push_back((s.dir / "spectrum.txt").string());
    run.User([&] { w.import1.Click(); });
    if (secondFile) {
        platform.openAnswers.push_back((s.dir / "second.txt").string());
        run.User([&] { w.Import2.Click(); });
    }
    if (o.TypedRange()) {
        run.Type(w.Wstart, Pick(kRangeStart, o.b[5]));
        run.Type(w.Wend, Pick(kRangeEnd, o.b[5] >> 3));
    }
    run.Type(w.Const1, Pick(kIndexN0, o.b[1] >> 4));
    run.Type(w.Const2, Pick(kIndexS, o.b[1] >> 6));
    run.Type(w.Order, Pick(kOrders, o.b[2]));
    run.Type(w.envelope, Pick(kEnvelopeOrders, o.b[2] >> 4));
    run.Type(w.Tolerance, Pick(kTolerances, o.b[3]));
    run.Type(w.natx, Pick(kNatx, o.b[3] >> 2));
    run.SetBox(w.FrFTr, !(o.b[1] & 0x01));
    run.SetBox(w.nu633, o.b[1] & 0x02);
    run.SetBox(w.FixThickness, o.b[1] & 0x04);
    run.SetBox(w.not633, o.b[1] & 0x08);
    run.Type(w.thickness, Pick(kThickness, o.b[3] >> 4));
    if (w.nu633.Checked()) run.Type(w.ninp, Pick(kConstantN, o.b[3] >> 6));

    run.User([&] { w.Calculate.Click(); });
    // The fringe orders, whether or not Calculate finished: their dialog shown and closed.
    if (w.FringeOrders.Enabled()) {
        platform.modalScripts.push_back([&w](Form&) { w.Orders.Dispatch([&w] { w.Orders.CloseButton.Click(); }); });
        run.User([&] { w.FringeOrders.Click(); });
        platform.modalScripts.clear();
        if (const auto& r = w.Orders.Outcome().result) {
            if (!std::isfinite(r->thicknessNm) || !(r->thicknessNm > 0.0)) Fault("fringe orders: no finite thickness");
            if (r->rows.size() < 3) Fault("fringe orders: a result from fewer than three extrema");
        }
    }
    if (o.OtherGraphs()) {
        run.Choose(w.RadioButton1);
        run.Choose(w.RadioButton4);
        run.Choose(w.RadioButton2);
    }
    TaucGapAndSave(w, run, o, s.dir);
    if (run.Clean()) CheckThinFilm(d);
}

void Bulk(const Options& o, bool secondFile, int reach, Session& s) {
    BulkData& d = *s.bulk;
    ResetBulk(d, reach);
    ScriptedPlatform platform;
    TForm3 w(platform, d, [&s] { return s.units; });
    Run run(platform, w);

    platform.openAnswers.push_back((s.dir / "spectrum.txt").string());
    run.User([&] { w.import1.Click(); });
    if (secondFile) {
        platform.openAnswers.push_back((s.dir / "second.txt").string());
        run.User([&] { w.Button2.Click(); });
    }
    // The reflection import leaves both boxes unchecked (the spectrum is the source).
    run.SetBox(w.InpN, o.b[4] & 0x01);
    run.SetBox(w.InpR, o.b[4] & 0x02);
    run.Type(w.Thickness, Pick(kBulkThickness, o.b[4] >> 2));
    run.Type(w.Refrn633, Pick(kBulkIndex, o.b[4] >> 5));
    run.Type(w.Const1, Pick(kBulkN0, o.b[5]));
    run.Type(w.Refl, Pick(kReflection, o.b[5] >> 2));

    run.User([&] { w.Calculate.Click(); });
    if (o.OtherGraphs()) {
        run.Choose(w.RadioButton4);
        run.Choose(w.RadioButton1);
        run.Choose(w.RadioButton2);
    }
    TaucGapAndSave(w, run, o, s.dir);
    if (run.Clean()) CheckBulk(d);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(Options)) return 0;
    Options o;
    std::memcpy(o.b, data, sizeof o.b);
    const std::string_view rest(reinterpret_cast<const char*>(data) + sizeof o.b, size - sizeof o.b);

    constexpr std::string_view kSeparator = "=====";
    const std::size_t cut = rest.find(kSeparator);
    const std::string_view spectrum = rest.substr(0, cut);
    const std::string_view second =
        cut == std::string_view::npos ? std::string_view{} : rest.substr(cut + kSeparator.size());

    Session& s = Shared();
    SetDecimalSeparator(o.Separator());
    s.units = UnitChoices{o.WaveNumber(), o.Fraction()};
    WriteFile(s.dir / "spectrum.txt", spectrum);
    WriteFile(s.dir / "second.txt", second);

    const bool secondFile = o.SecondFile() && cut != std::string_view::npos;
    // The last input left its values only within the elements it could reach: no file
    // of n bytes holds more than n points, no n range more than 100000 grid points.
    static int reach = kCapacity;
    if (o.Bulk())
        Bulk(o, secondFile, reach, s);
    else
        ThinFilm(o, secondFile, reach, s);
    reach = static_cast<int>(std::min<std::size_t>(rest.size() + 2, kCapacity));
    return 0;
}
