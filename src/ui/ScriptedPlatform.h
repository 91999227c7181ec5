#pragma once
// A platform without a display: it records every message and error, and answers file
// dialogs and modal windows from a script. Used by the tests and by batch runs.
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/Platform.h"

namespace optc {

class ScriptedPlatform : public Platform {
public:
    // Every message box and error box, in order, prefixed "message: " or "error: ".
    std::vector<std::string> log;
    // The texts of the same boxes, in the same order.
    std::vector<std::string> shown;
    std::vector<std::string> messages;
    std::vector<std::string> errors;
    // The detail line of each error (empty where it had none), beside `errors`.
    std::vector<std::string> errorDetails;

    // Answers of the next dialogs, in order; an empty optional cancels. With no
    // answer left, a dialog is cancelled.
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::vector<std::string> dialogFilters;

    // What the user does while a modal form is shown; the form is closed afterwards.
    std::deque<std::function<void(Form&)>> modalScripts;
    std::vector<std::string> modalForms;

    // The files whose folders the dialogs were told to remember, in order.
    std::vector<std::string> rememberedFiles;

    // When set, only these paths exist; otherwise the file system decides.
    std::optional<std::set<std::string>> existingFiles;

    // The text last put on the clipboard.
    std::string clipboard;

    // Every report saved, with the path its save dialog answered; with reportWriter
    // set, each is also written there (the batch program's PDF writer).
    std::vector<std::pair<std::string, std::string>> reports;  // title, path
    std::function<void(const Report&, const std::string& path)> reportWriter;

    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ShowError(const std::string& text, const std::string& detail) override;
    std::optional<std::string> OpenFileDialog(const std::string& filter) override;
    std::optional<std::string> SaveFileDialog(const std::string& filter) override;
    bool FileExists(const std::string& path) override;
    void AnswerNextOpenDialog(const std::string& path) override { openAnswers.push_front(path); }
    void RememberFolder(const std::string& filePath) override;
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    bool SaveReport(const Report& report) override;
    void ShowModal(Form& form) override;
};

}  // namespace optc
