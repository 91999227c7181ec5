#pragma once
// The Qt face of the Thin Films window: real widgets laid out on one panel, mirroring
// the controls of TForm1 and passing user input to them through the form. Widgets
// carry the control names as object names.
#include "ui/qt/FormDialog.h"

class QLabel;

namespace optc {

class TForm1;

namespace qt {

class ChartWidget;

class TForm1View : public FormDialog {
    Q_OBJECT
public:
    explicit TForm1View(TForm1& form, QWidget* parent = nullptr);

    TForm1& Form() { return form_; }
    ChartWidget& Chart() { return *chart_; }

private:
    TForm1& form_;
    ChartWidget* chart_ = nullptr;
};

}  // namespace qt
}  // namespace optc
