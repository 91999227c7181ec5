#pragma once
// The platform services of the real program: Qt message boxes, file dialogs and the
// modal display of the windows registered with it.
#include <QPointer>
#include <map>

#include "ui/DialogFolders.h"
#include "ui/Platform.h"

class QDialog;
class QWidget;

namespace optc::qt {

class QtPlatform : public Platform {
public:
    using Platform::ShowError;
    // The window that shows the form modally. Closing it (its close button or the
    // form's own Close) hides it; it is never destroyed here.
    void RegisterWindow(Form& form, QDialog& dialog);

    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    std::optional<std::string> OpenFileDialog(const std::string& filter) override;
    std::optional<std::string> SaveFileDialog(const std::string& filter) override;
    bool FileExists(const std::string& path) override;
    void AnswerNextOpenDialog(const std::string& path) override { namedFile_ = path; }
    void RememberFolder(const std::string& filePath) override;
    void SetClipboardText(const std::string& text) override;
    bool SaveReport(const Report& report) override;
    void ShowModal(Form& form) override;

    // Where the file dialogs start: the examples folder found beside the executable
    // (or in the source tree it was built in) until an import or a save succeeds, then
    // the folder of the file it read or wrote.
    DialogFolders& Folders();

private:
    static QWidget* Parent();
    std::optional<DialogFolders> folders_;
    std::optional<std::string> namedFile_;
    std::map<Form*, QPointer<QDialog>> windows_;
};

}  // namespace optc::qt
