#pragma once
// The services of the window system that form logic uses: message boxes, file
// dialogs and the modal display of a window. The Qt skin implements it for the real
// program; tests and batch runs use a scripted implementation.
#include <optional>
#include <string>

namespace optc {

class Form;
struct Report;

class Platform {
public:
    virtual ~Platform() = default;
    // A modal message box with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // The standard error box that reports an error which ended a handler.
    virtual void ShowError(const std::string& text) = 0;
    // The same with a detail the runtime knows (a file error's path and the system's
    // reason) as a second line; the first line stays the error's own text.
    virtual void ShowError(const std::string& text, const std::string& detail) {
        ShowError(detail.empty() ? text : text + "\n" + detail);
    }
    // Open and save dialogs with a filter such as "*.txt", or named filters separated
    // by ";;" ("Spectra (*.txt *.csv);;All files (*)", the first one chosen); nothing
    // when cancelled.
    virtual std::optional<std::string> OpenFileDialog(const std::string& filter) = 0;
    virtual std::optional<std::string> SaveFileDialog(const std::string& filter) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // A file the user named outside the dialog (on the command line, dropped on a
    // window): the next open dialog answers with it without being shown.
    virtual void AnswerNextOpenDialog(const std::string& path) = 0;
    // Called once an import has read the file or a save has written its files: the
    // dialogs start in that file's folder from now on. A failed import or save leaves
    // them where they were.
    virtual void RememberFolder(const std::string& filePath) = 0;
    // Puts plain text on the clipboard.
    virtual void SetClipboardText(const std::string& text) = 0;
    // "Save Report...": a save dialog for a PDF file (the name gets ".pdf" when it has
    // no ending; the dialog asks before it replaces a file), then the report written
    // there all or none. False when cancelled; a file that cannot be written raises
    // the file layer's error.
    virtual bool SaveReport(const Report& report) = 0;
    // Shows the form modally; returns when the user has closed it. The form is
    // hidden, not destroyed, so it keeps its state for the next showing.
    virtual void ShowModal(Form& form) = 0;
};

}  // namespace optc
