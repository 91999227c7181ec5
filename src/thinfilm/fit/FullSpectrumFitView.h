#pragma once
// The Qt face of the Fit Spectrum dialog: the model choices, Fit and Cancel with the
// progress bar and the parameter table on the left; the result line, the warnings and
// the charts (spectrum with the fitted curve, residual, alpha) on the right; the
// buttons below. The fit runs on a worker thread; its outcome comes back on the
// window's thread. It only shows what the dialog's form holds.
#include <QPointer>
#include <QThread>

#include "ui/qt/FormDialog.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QResizeEvent;
class QTableWidget;
class QTimer;
class QWidget;

namespace optc {

class FullSpectrumFitForm;

namespace qt {

class ChartWidget;

class FullSpectrumFitView : public FormDialog {
    Q_OBJECT
public:
    explicit FullSpectrumFitView(FullSpectrumFitForm& form, QWidget* parent = nullptr);
    ~FullSpectrumFitView() override;

    QTableWidget& Table() { return *table_; }
    ChartWidget& SpectrumChart() { return *spectrum_; }
    QProgressBar& Progress() { return *progress_; }
    // The fit running now, if any.
    bool Fitting() const { return thread_ != nullptr; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void MirrorTable();
    void MirrorProgress();
    void Arrange();

    FullSpectrumFitForm& form_;
    QWidget* choices_ = nullptr;
    QTableWidget* table_ = nullptr;
    ChartWidget *spectrum_ = nullptr, *residual_ = nullptr, *alpha_ = nullptr;
    QLabel *result_ = nullptr, *warnings_ = nullptr, *legend_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTimer* poll_ = nullptr;
    QPushButton *copy_ = nullptr, *saveTable_ = nullptr, *useThickness_ = nullptr, *close_ = nullptr;
    QPointer<QThread> thread_;
};

}  // namespace qt
}  // namespace optc
