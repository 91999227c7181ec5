#pragma once
// The Qt face of the Bulk window: real widgets laid out on one panel, mirroring the
// controls of TForm3 and passing user input to them through the form. Widgets carry
// the control names as object names.
#include "ui/qt/FormDialog.h"

namespace optc {

class TForm3;

namespace qt {

class ChartWidget;

class TForm3View : public FormDialog {
    Q_OBJECT
public:
    explicit TForm3View(TForm3& form, QWidget* parent = nullptr);

    TForm3& Form() { return form_; }
    ChartWidget& Chart() { return *chart_; }

private:
    TForm3& form_;
    ChartWidget* chart_ = nullptr;
};

}  // namespace qt
}  // namespace optc
