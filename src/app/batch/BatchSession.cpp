#include "app/batch/BatchSession.h"

#include <algorithm>

#include "app/batch/BatchSummary.h"
#include "app/batch/StopOptions.h"
#include "bulk/BulkReport.h"
#include "datafiles/ResultsFileSet.h"
#include "thinfilm/extrema/FringesFile.h"
#include "thinfilm/window/ThinFilmReport.h"

namespace optc {

int BatchSession::Run(std::ostream& out) {
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
            OrdersThicknessSteps();
            FitSteps();
            FitThicknessSteps();
        } else
            BulkSteps();
        // No files after a stop, unless asked for: they would hold the zeros and the
        // leftovers of a calculation that did not complete.
        if (!stop_ || o_.saveOnStop) Save(window, save);
        // The extrema used, as Save Results writes the results.
        if (o_.saveExtrema && (!stop_ || o_.saveOnStop)) {
            Step("--save-extrema " + *o_.saveExtrema);
            Perform(window, [this] {
                WriteFileAllOrNone(*o_.saveExtrema,
                                   [this](const std::string& part) { WriteFringesFile(Form1.Data(), part); });
            });
        }
        if (o_.report && (!stop_ || o_.saveOnStop)) report_ = thin ? ThinFilmReport(Form1) : BulkReport(Form3);
        Perform(window, [&exit] { exit.Click(); });
    });
    Perform(Form2, [&open] { open.Click(); });

    WriteSummary(out, thin);
    return stop_ ? kBatchStopped : kBatchDone;
}

void BatchSession::NoteStop(Form& form) {
    if (stop_) return;
    if (&form == &Form1) {
        if (const auto& s = Form1.Outcome().stop) {
            stop_ = s->text;
            stopSubject_ = optc::StopSubject(o_, OptionsOf(s->id), s->typed, step_);
            stopDetail_ = s->detail;
        }
    } else if (&form == &Form3) {
        if (const auto& s = Form3.Outcome().stop) {
            stop_ = s->text;
            stopSubject_ = optc::StopSubject(o_, OptionsOf(s->id), s->typed, step_);
            stopDetail_ = s->detail;
        }
    } else if (const auto& e = form.LastEventError()) {
        stop_ = e->text;
        stopSubject_ = optc::StopSubject(o_, {}, e->typed, step_);
        stopDetail_ = e->detail;
    }
}

bool BatchSession::User(Form& form, const std::function<void()>& event) {
    return !stop_ && Perform(form, event);
}

bool BatchSession::Perform(Form& form, const std::function<void()>& event) {
    form.Dispatch(event);
    NoteStop(form);
    return !stop_;
}

bool BatchSession::Click(Form& form, Button& button) {
    return User(form, [&button] { button.Click(); });
}

bool BatchSession::Import(Form& form, Button& button, const char* option, const std::string& path) {
    Step(std::string(option) + " " + path);
    platform_.openAnswers.clear();
    platform_.openAnswers.push_back(path);
    const bool goOn = Click(form, button);
    platform_.openAnswers.clear();
    return goOn;
}

bool BatchSession::Type(Form& form, Edit& edit, const std::string& text) {
    User(form, [&edit] { edit.SetFocused(true); });
    User(form, [&edit, &text] { edit.SetText(text); });
    User(form, [&edit] { edit.SetFocused(false); });
    return !stop_;
}

bool BatchSession::TypeIfGiven(Form& form, Edit& edit, const std::optional<std::string>& text) {
    return !text || Type(form, edit, *text);
}

bool BatchSession::SetBox(Form& form, CheckBox& box, bool checked) {
    return box.Checked() == checked || User(form, [&box] { box.Click(); });
}

void BatchSession::ThinFilmSteps() {
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

bool BatchSession::FindExtrema() {
    Step("--find-extrema");
    TForm4& minima = app_.Form4;
    platform_.modalScripts.push_back([&minima](Form&) {
        minima.Dispatch([&minima] { minima.FindExtrema.Click(); });
        minima.Dispatch([&minima] { minima.BitBtn1.Click(); });
    });
    return Click(Form1, Form1.Button2);
}

void BatchSession::BulkSteps() {
    TForm3& f = Form3;
    if (!Import(f, f.import1, "--spectrum", o_.spectrum)) return;
    if (o_.reflection && !Import(f, f.Button2, "--reflection", *o_.reflection)) return;
    if (!ChooseReflectionSource()) return;
    if (!TypeIfGiven(f, f.Thickness, o_.thickness) || !TypeIfGiven(f, f.Const1, o_.n0)) return;
    Step(f.Calculate.Caption());
    if (!Click(f, f.Calculate)) return;
    GapSteps(f, f.Direct, f.RadioButton3, f.Estart, f.Eend, f.CalculatEg);
}

bool BatchSession::ChooseReflectionSource() {
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

void BatchSession::GapSteps(Form& f, CheckBox& direct, RadioButton& tauc, Edit& estart, Edit& eend, Button& eg) {
    Step(tauc.Caption());
    if (o_.direct && !SetBox(f, direct, true)) return;
    if (!User(f, [&tauc] { tauc.Click(); })) return;
    if (!o_.eg) return;
    Step(NameOptions(o_, {"--eg"}));
    if (!Type(f, estart, o_.eg->first) || !Type(f, eend, o_.eg->second)) return;
    Click(f, eg);
}

void BatchSession::OrdersSteps() {
    TForm1& f = Form1;
    if (!f.FringeOrders.Enabled()) return;
    FringeOrdersForm& dialog = f.Orders;
    Step(f.FringeOrders.Caption());
    platform_.modalScripts.push_back([this, &dialog](Form&) {
        const FringeOrdersOutcome& orders = dialog.Outcome();
        if (o_.orders && orders.result && (!stop_ || o_.saveOnStop)) {
            Step("--orders " + *o_.orders);
            platform_.saveAnswers.clear();
            platform_.saveAnswers.push_back(*o_.orders);
            Perform(dialog, [&dialog] { dialog.SaveTable.Click(); });
            platform_.saveAnswers.clear();
        } else if (o_.orders && !stop_) {
            stop_ = orders.reason;
            stopSubject_ = "--orders " + *o_.orders;
        }
        if (o_.useOrdersThickness && orders.result && !ordersThicknessUsed_) {
            ordersThicknessUsed_ = true;
            Step("--use-orders-thickness");
            Perform(dialog, [&dialog] { dialog.UseThickness.Click(); });
            return;
        }
        Perform(dialog, [&dialog] { dialog.CloseButton.Click(); });
    });
    Perform(f, [&f] { f.FringeOrders.Click(); });
}

void BatchSession::Save(Form& form, Button& button) {
    Step("--save " + o_.save);
    platform_.saveAnswers.clear();
    platform_.saveAnswers.push_back(o_.save);
    Perform(form, [&button] { button.Click(); });
    platform_.saveAnswers.clear();
}

void BatchSession::WriteSummary(std::ostream& out, bool thin) {
    // The notes end with what the Thin Films window says beside the thickness.
    std::vector<std::string> notes = platform_.shown;
    if (thin && !Form1.OrdersNote.Text().empty()) notes.push_back(Form1.OrdersNote.Text());
    const SummaryHead head{stop_, notes};
    out << (thin ? ThinFilmSummary(head, Form1) : BulkSummary(head, Form3)) << "\n";
}

}  // namespace optc
