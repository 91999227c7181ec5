#include "ui/qt/FormDialog.h"

#include <QFont>
#include <QKeyEvent>
#include <QPointer>
#include <QShowEvent>

#include "ui/Form.h"
#include "ui/qt/Bindings.h"

namespace optc::qt {

namespace {

// Single border, system menu and minimise only.
Qt::WindowFlags Frame(bool fixedSizeFrame) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    if (fixedSizeFrame) flags |= Qt::MSWindowsFixedSizeDialogHint;
    return flags;
}

}  // namespace

FormDialog::FormDialog(Form& form, const char* objectName, QWidget* parent, Options options)
    : QDialog(parent, Frame(options.fixedSizeFrame)), base_(form), options_(options) {
    setObjectName(objectName);
    setWindowTitle(ToQString(form.Caption()));
    if (options.resizable) {
        setMinimumSize(kSmallestWidth, kSmallestHeight);
        resize(kClientWidth, kClientHeight);
    } else {
        setFixedSize(kClientWidth, kClientHeight);
    }
    setSizeGripEnabled(false);
    if (options.smallFont) {
        QFont small = font();
        small.setPointSize(8);
        setFont(small);
    }

    // Exit, and every other close of the form, hides the dialog and ends a modal showing.
    QPointer<FormDialog> self(this);
    form.ObserveClose([self] {
        if (self && self->isVisible()) self->done(QDialog::Accepted);
    });
}

void FormDialog::reject() {
    base_.Dispatch([this] { base_.Close(); });
    // A form that was never marked as shown still hides its dialog.
    if (isVisible()) done(options_.titleBarCloseResult);
}

void FormDialog::showEvent(QShowEvent* event) {
    base_.SetShown(true);
    base_.FlushCharts();
    QDialog::showEvent(event);
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
    // Only the window's own button and the title bar close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace optc::qt
