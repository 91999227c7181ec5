#pragma once
// The session of a batch run: the program's windows as the batch drives them (the
// start window with the unit choices and the two analysis windows, each with its own
// workspace), the steps a user takes there replayed through the forms, and what
// stopped the run.
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/batch/BatchCommandLine.h"
#include "thinfilm/orders/FringeOrders.h"
#include "ui/Report.h"
#include "ui/ScriptedPlatform.h"

namespace optc {

class BatchSession {
public:
    explicit BatchSession(const BatchOptions& options) : o_(options) {}
    // Replays the steps, writes the JSON summary to out and returns the exit status.
    int Run(std::ostream& out);

    // The message or error that stopped the run, and the file or option it is about.
    const std::optional<std::string>& StopText() const { return stop_; }
    const std::string& StopSubject() const { return stopSubject_; }
    // What the runtime knows of a file error that stopped the run (the path and the
    // system's reason); empty otherwise.
    const std::string& StopDetail() const { return stopDetail_; }
    // The windows as the run left them and the text of every message shown, for what
    // reads the outcomes after the run (the summary table).
    const Application& Windows() const { return app_; }
    const std::vector<std::string>& Notes() const { return platform_.shown; }
    // With --report, the report of Save Report... as the window showed it before Exit;
    // nothing after a stop (unless --save-on-stop), as for the results files.
    std::optional<Report>& TakeReport() { return report_; }

private:
    // What the next steps work on, named for a message that stops the run there.
    void Step(std::string subject) { step_ = std::move(subject); }
    // The first stop of the run, as the form that ran the last event tells it.
    void NoteStop(Form& form);
    // Runs one user event through the window's door, unless the run has stopped.
    bool User(Form& form, const std::function<void()>& event);
    // Runs the event whatever happened before. True while nothing has stopped the run.
    bool Perform(Form& form, const std::function<void()>& event);
    bool Click(Form& form, Button& button);
    // A click on an import whose open dialog answers with `path`, the file of `option`.
    bool Import(Form& form, Button& button, const char* option, const std::string& path);
    // Typing as the window sees it: the edit takes the focus, the text changes, the
    // focus leaves.
    bool Type(Form& form, Edit& edit, const std::string& text);
    bool TypeIfGiven(Form& form, Edit& edit, const std::optional<std::string>& text);
    // A click on the box when it is not in the wanted state.
    bool SetBox(Form& form, CheckBox& box, bool checked);
    void ThinFilmSteps();
    // Determine Fringes, where the user presses Find Extrema and closes the minima
    // window with Ok.
    bool FindExtrema();
    void BulkSteps();
    // The clicks a user makes on InpN and InpR until the wanted source is checked and
    // its edit can be typed into. The boxes' handlers nest, so a click does not always
    // lead straight there; three clicks reach every source from every state.
    bool ChooseReflectionSource();
    // After a calculation that completed: the gap type, the Tauc plot and, with an
    // energy window, the optical gap.
    void GapSteps(Form& f, CheckBox& direct, RadioButton& tauc, Edit& estart, Edit& eend, Button& eg);
    // After a complete Calculate, whatever the gap steps did: the Fringe Orders dialog,
    // with --orders its table saved, then Close. A table asked for that cannot be made
    // stops the run with the dialog's reason.
    void OrdersSteps();
    // With --fit, after the orders: Fit Spectrum, and with --fit-table its table saved.
    void FitSteps();
    // With --use-fit-thickness, after the fit: a trusted fit's thickness typed into the
    // thickness box, then Calculate, the gap steps, the dialog and the fit once more; a
    // fit not trusted changes nothing and the notes say why.
    void FitThicknessSteps();
    // With --use-orders-thickness, after a dialog that found the orders: its "Use This
    // Thickness", then Calculate, the gap steps and the dialog once more. What stopped
    // the first Calculate stays in the notes; the run goes on from the refined thickness.
    void OrdersThicknessSteps();
    bool ordersThicknessUsed_ = false;
    // Save Results runs whatever happened before, as a user who presses it after a
    // message would. A file error stops the run like any other error.
    void Save(Form& form, Button& button);
    void WriteSummary(std::ostream& out, bool thin);


    const BatchOptions& o_;
    std::optional<std::string> stop_;  // the first stopping message or error
    std::string stopSubject_;
    std::string stopDetail_;
    std::string step_;
    std::optional<Report> report_;

    ScriptedPlatform platform_;
    Application app_{platform_};
    TForm2& Form2 = app_.Form2;
    TForm3& Form3 = app_.Form3;
    TForm1& Form1 = app_.Form1;
};



}  // namespace optc
