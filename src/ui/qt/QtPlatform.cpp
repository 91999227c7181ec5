#include "ui/qt/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <utility>

#include "ui/Form.h"
#include "datafiles/ResultsFileSet.h"
#include "ui/Report.h"
#include "ui/qt/Bindings.h"
#include "ui/qt/ReportPdf.h"

namespace optc::qt {

// Message boxes and dialogs belong to the window the user is working in.
QWidget* QtPlatform::Parent() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

void QtPlatform::RegisterWindow(Form& form, QDialog& dialog) {
    windows_[&form] = &dialog;
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    QPointer<QDialog> guard(&dialog);
    form.ObserveClose([guard] {
        if (guard) guard->done(QDialog::Accepted);
    });
}

void QtPlatform::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), ToQString(text),
                    QMessageBox::Ok, Parent());
    box.exec();
}

void QtPlatform::ShowError(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), ToQString(text),
                    QMessageBox::Ok, Parent());
    box.exec();
}

DialogFolders& QtPlatform::Folders() {
    // Found on first use: the application object knows its executable only once it exists.
#ifdef OPTC_SOURCE_DIR
    const std::string source = OPTC_SOURCE_DIR;
#else
    const std::string source;
#endif
    if (!folders_)
        folders_.emplace(DialogFolders::FindExamples(FromQString(QCoreApplication::applicationDirPath()), source));
    return *folders_;
}

namespace {

// Where a dialog starts: the folder the program chose, or else the working folder.
// Given no folder, the toolkit would start in the last folder any of its dialogs showed,
// which may be that of a save that failed.
QString StartFolder(const std::string& folder) { return folder.empty() ? QDir::currentPath() : ToQString(folder); }

}  // namespace

std::optional<std::string> QtPlatform::OpenFileDialog(const std::string& filter) {
    if (namedFile_) return std::exchange(namedFile_, std::nullopt);
    const QString path = QFileDialog::getOpenFileName(Parent(), QString(), StartFolder(Folders().OpenFolder()),
                                                      ToQString(filter));
    if (path.isEmpty()) return std::nullopt;
    return FromQString(path);
}

std::optional<std::string> QtPlatform::SaveFileDialog(const std::string& filter) {
    // The chosen name is used as typed (the results files append their own endings),
    // and existing files are replaced without asking.
    const QString path = QFileDialog::getSaveFileName(Parent(), QString(), StartFolder(Folders().SaveFolder()),
                                                      ToQString(filter), nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return std::nullopt;
    return FromQString(path);
}

bool QtPlatform::FileExists(const std::string& path) {
    const QFileInfo info(ToQString(path));
    return info.exists() && info.isFile();
}

// Only a file that was read or written moves the dialogs: a name that failed (a
// system folder, a special file) would otherwise be where the next dialog starts.
void QtPlatform::RememberFolder(const std::string& filePath) { Folders().Chosen(filePath); }

void QtPlatform::SetClipboardText(const std::string& text) { QGuiApplication::clipboard()->setText(ToQString(text)); }

void QtPlatform::ShowModal(Form& form) {
    auto it = windows_.find(&form);
    if (it == windows_.end() || !it->second) return;
    QDialog& dialog = *it->second;
    form.FlushCharts();
    form.SetShown(true);
    dialog.exec();
    dialog.hide();
    form.SetShown(false);
}

// Unlike Save Results, a report is one document: the toolkit's dialog adds the ending
// and asks before it replaces a file.
bool QtPlatform::SaveReport(const Report& report) {
    QFileDialog dialog(Parent(), QString(), StartFolder(Folders().SaveFolder()), "PDF files (*.pdf)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("pdf");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    const std::string path = FromQString(dialog.selectedFiles().front());
    WriteFileAllOrNone(path, [&report](const std::string& part) { WriteReportPdf(report, part); });
    RememberFolder(path);
    return true;
}

}  // namespace optc::qt
