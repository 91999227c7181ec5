#pragma once
// Base of the form logic of every window: the one door for user events.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/Platform.h"

namespace optc {

class ChartModel;

class Form {
public:
    Form(Platform& platform, std::string caption)
        : platform_(platform), caption_(std::move(caption)) {}
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form() = default;

    const std::string& Caption() const { return caption_; }
    Platform& GetPlatform() { return platform_; }

    // Runs a handler for a user event. Any error it raises, also from handlers it ran
    // in turn, ends the whole chain and is shown in the standard error box. Charts of
    // the form are redrawn once afterwards.
    void Dispatch(const std::function<void()>& handler);

    // The error box that ended the last event of this form (the first one, when a
    // handler it ran in turn failed as well): its text, for a text that is not a
    // number that text as typed, and for a file error its path and the system's reason.
    struct EventError {
        std::string text;
        std::string typed;
        std::string detail;
    };
    const std::optional<EventError>& LastEventError() const { return eventError_; }

    // The charts whose observers learn of changes once per dispatched event.
    void AddChart(ChartModel& chart) { charts_.push_back(&chart); }
    // Tells the charts' observers about changes made so far (also before a modal
    // window or a message box appears).
    void FlushCharts();

    // Shown state of the window (a modal window is shown, then hidden on close).
    bool Shown() const { return shown_; }
    void SetShown(bool shown) { shown_ = shown; }

    // Closes the window from its own logic (an Exit or Ok button): the window is hidden,
    // a modal showing returns, and closing the main window ends the program. The view
    // that shows the form learns of it through the close observers.
    void Close();
    void ObserveClose(std::function<void()> observer) { closeObservers_.push_back(std::move(observer)); }

protected:
    // Run by Dispatch around an event that does not run inside another event of this
    // form: a window fills its outcome as each event ends.
    virtual void EventBegins() {}
    virtual void EventEnds() {}

private:
    Platform& platform_;
    std::string caption_;
    std::vector<ChartModel*> charts_;
    bool shown_ = false;
    int eventDepth_ = 0;
    std::optional<EventError> eventError_;
    std::vector<std::function<void()>> closeObservers_;
};

}  // namespace optc
