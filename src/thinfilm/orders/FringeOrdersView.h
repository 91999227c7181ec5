#pragma once
// The Qt face of the Fringe Orders dialog: the result line across the top, the table
// of the extrema on the left, the chart of n1 and n2 on the right, the buttons below.
// It only shows what the dialog's form holds.
#include "ui/qt/FormDialog.h"

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

private:
    void MirrorTable();

    FringeOrdersForm& form_;
    QTableWidget* table_ = nullptr;
    ChartWidget* chart_ = nullptr;
};

}  // namespace qt
}  // namespace optc
