#pragma once
// The Qt face of the Fringe Orders dialog: the result line across the top, the table
// of the extrema on the left, the chart of n1 and n2 on the right, the buttons below.
// It only shows what the dialog's form holds.
#include "ui/qt/FormDialog.h"

class QLabel;
class QPushButton;
class QResizeEvent;
class QTableWidget;

namespace optc {

class FringeOrdersForm;

namespace qt {

class ChartWidget;

class FringeOrdersView : public FormDialog {
    Q_OBJECT
public:
    explicit FringeOrdersView(FringeOrdersForm& form, QWidget* parent = nullptr);

    QTableWidget& Table() { return *table_; }
    ChartWidget& Chart() { return *chart_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void MirrorTable();
    void Arrange();

    FringeOrdersForm& form_;
    QTableWidget* table_ = nullptr;
    ChartWidget* chart_ = nullptr;
    QLabel* result_ = nullptr;
    QLabel* legend_ = nullptr;
    QPushButton *copy_ = nullptr, *saveTable_ = nullptr, *useThickness_ = nullptr, *close_ = nullptr;
};

}  // namespace qt
}  // namespace optc
