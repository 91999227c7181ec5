#pragma once
// The Qt face of the Bulk window: real widgets laid out on one panel, mirroring the
// controls of TForm3 and passing user input to them through the form. The dialog is
// created once and only shown and hidden afterwards, so everything it shows survives
// between showings. Widgets carry the control names as object names.
#include <QDialog>

class QKeyEvent;
class QLabel;
class QShowEvent;

namespace optc {

class TForm3;

namespace qt {

class ChartWidget;

class TForm3View : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 944;
    static constexpr int kClientHeight = 618;

    explicit TForm3View(TForm3& form, QWidget* parent = nullptr);

    TForm3& Form() { return form_; }
    ChartWidget& Chart() { return *chart_; }

public slots:
    // The title bar's close button: the same as Exit.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TForm3& form_;
    ChartWidget* chart_ = nullptr;
};

}  // namespace qt
}  // namespace optc
