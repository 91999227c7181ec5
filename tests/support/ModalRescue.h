#pragma once
// Ends a modal dialog that a test's input failed to close, so the test fails instead of
// hanging: armed before the dialog is shown, it rejects the dialog when its time runs
// out and remembers that it had to.
#include <QDialog>
#include <QObject>
#include <QTimer>

namespace optc::testing {

class ModalRescue {
public:
    explicit ModalRescue(QDialog& dialog) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this, &dialog] {
            stuck_ = true;
            dialog.done(QDialog::Rejected);
        });
    }
    void Arm(int milliseconds) { timer_.start(milliseconds); }
    void Disarm() { timer_.stop(); }
    bool Stuck() const { return stuck_; }

private:
    QTimer timer_;
    bool stuck_ = false;
};

}  // namespace optc::testing
