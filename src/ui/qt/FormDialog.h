#pragma once
// The window of one form: a 944 x 618 dialog (fixed, or resizable around that defined
// size) that is created once and only shown and hidden afterwards, so everything it shows survives between showings. Closing it
// from the title bar goes through the form's Close, and every close of the form hides
// the dialog and ends a modal showing. Escape does not close it.
#include <QDialog>

class QKeyEvent;
class QShowEvent;

namespace optc {

class Form;

namespace qt {

class FormDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 944;
    static constexpr int kClientHeight = 618;

    // How the windows differ.
    struct Options {
        // The small default font of edits, buttons and boxes; otherwise the system's.
        bool smallFont = true;
        // The extra flag that asks for a fixed-size frame on systems that know one.
        bool fixedSizeFrame = false;
        // The result a modal showing returns when the title bar closes the window.
        int titleBarCloseResult = QDialog::Rejected;
        // Opens at the defined size but can be made larger or smaller; the window lays
        // out its content itself (see ScrollingPanel).
        bool resizable = false;
    };

    // The smallest size a resizable window can be given.
    static constexpr int kSmallestWidth = 320;
    static constexpr int kSmallestHeight = 240;

public slots:
    // The title bar's close button.
    void reject() override;

protected:
    FormDialog(Form& form, const char* objectName, QWidget* parent, Options options);

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Form& base_;
    Options options_;
};

}  // namespace qt
}  // namespace optc
