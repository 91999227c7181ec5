#pragma once
// The Fit Spectrum dialog of the Thin Films window: the model choices, "Fit" (run off
// the window's thread where the view can, with its progress and "Cancel"), the result
// line with the warnings, the parameter table, the measured spectrum with the fitted
// curve, the residual, alpha of the fit beside Calculate's, and its buttons. It changes
// no result of Calculate; "Use This Thickness" only types the thickness for the next.
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "thinfilm/fit/FullSpectrumFit.h"
#include "ui/ChartModel.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace optc {

// What the Thin Films window gives the dialog when it opens.
struct FitDialogSource {
    std::optional<SpectrumFitInput> input;  // nothing, with the reason, when it cannot fit
    std::string reason;
    double natNm = 633.0;
    // alpha of the last complete Calculate (nm, cm^-1); empty without one.
    std::vector<std::pair<double, double>> envelopeAlpha;
};

// The parameter table's rows as the dialog shows them; a view mirrors it.
class FitParameterTable : public Control {
public:
    using Control::Control;
    const std::vector<std::vector<std::string>>& Rows() const { return rows_; }
    void SetRows(std::vector<std::vector<std::string>> rows) {
        rows_ = std::move(rows);
        Notify();
    }

private:
    std::vector<std::vector<std::string>> rows_;
};

// The fit's progress while it runs (0 .. 1); the view polls the value.
class FitProgress : public Control {
public:
    using Control::Control;
    bool Running() const { return running_; }
    void SetRunning(bool running) { Set(running_, running); }
    double Value() const { return value_.load(); }
    void Tell(double value) { value_.store(value); }  // any thread

private:
    bool running_ = false;
    std::atomic<double> value_{0.0};
};

// Runs `work` and then `done` with its outcome. The view runs the work on a worker
// thread and `done` back on the window's thread, through the form's Dispatch; without
// a view both run at once.
using FitRunner = std::function<void(std::function<SpectrumFitOutcome()> work,
                                     std::function<void(SpectrumFitOutcome)> done)>;

class FullSpectrumFitForm : public Form {
public:
    explicit FullSpectrumFitForm(Platform& platform);

    // ---- The model ----
    CheckBox Spread{"Spread", "Thickness spread \u0394d", true};
    Edit Slit{"Slit", "0"};  // the instrument's band, nm; 0: none
    RadioButton Cauchy{"Cauchy", "Cauchy A + B/\u03BB\u00B2", true};
    RadioButton CauchyThree{"CauchyThree", "Cauchy A + B/\u03BB\u00B2 + C/\u03BB\u2074"};
    RadioButton Sellmeier{"Sellmeier", "Sellmeier, one term"};
    RadioButton NoAbsorption{"NoAbsorption", "None (clear film)"};
    RadioButton Urbach{"Urbach", "Urbach edge", true};
    CheckBox FitSubstrate{"FitSubstrate", "Fit nS"};
    // The wavelengths fitted, nm; an empty box: the spectrum's own end.
    Edit FitFrom{"FitFrom", ""};
    Edit FitTo{"FitTo", ""};

    // ---- The fit ----
    Button FitButton{"FitButton", "Fit"};
    Button Cancel{"Cancel", "Cancel"};
    FitProgress Progress{"Progress"};
    StaticText ResultLine{"ResultLine", ""};
    StaticText Warnings{"Warnings", ""};  // one warning a line
    FitParameterTable Table{"Table"};

    ChartModel SpectrumChart{"Transmission"};
    ChartSeries& Measured;  // black line
    ChartSeries& Fitted;    // red line
    ChartModel ResidualChart{"Residual"};
    ChartSeries& Residual;  // measured - fitted, blue line
    ChartModel AlphaChart{"Absorption coefficient"};
    ChartSeries& FitAlpha;       // red line
    ChartSeries& EnvelopeAlpha;  // Calculate's, green line
    StaticText Legend{"Legend", ""};

    Button Copy{"Copy", "Copy"};
    Button SaveTable{"SaveTable", "Save Table..."};
    Button UseThickness{"UseThickness", "Use This Thickness"};
    Button CloseButton{"CloseButton", "Close"};

    // Fills the dialog for the window's spectrum; the last fit's result is cleared.
    void Open(FitDialogSource source);
    const SpectrumFitOutcome& Outcome() const { return outcome_; }
    // The options the choices make; nothing when a box holds no usable value.
    std::optional<SpectrumFitOptions> ChosenOptions() const;
    // The message for such a box (the slit width, or the range), or empty.
    std::string ChoicesFault() const;

    // Run by "Use This Thickness" with the fitted thickness in nm.
    std::function<void(double nm)> OnUseThickness;
    // Run with every fit that ran to its end (not with a cancelled one).
    std::function<void(const SpectrumFitOutcome&)> OnFitted;
    void SetRunner(FitRunner runner) { runner_ = std::move(runner); }

    void FitClick();
    void CancelClick();
    void CopyClick();
    void SaveTableClick();
    void UseThicknessClick();

private:
    void Finish(SpectrumFitOutcome outcome);
    void ShowOutcome();
    void EnableChoices(bool enabled);
    void DrawMeasured();

    RadioGroup dispersion_, absorption_;
    FitDialogSource source_;
    SpectrumFitOutcome outcome_;
    FitRunner runner_;
    std::atomic<bool> cancel_{false};
};

// The parameter table's cells: name, value and standard deviation, both to the
// deviation's second significant digit (a parameter held, deviation 0, as it is).
std::vector<std::vector<std::string>> FitParameterRows(const SpectrumFitResult& result);

}  // namespace optc
