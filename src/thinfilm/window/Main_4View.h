#pragma once
// The Qt face of the minima window: the chart filling the top, the pointer readout
// below it, Cancel and the Ok button. Escape presses Cancel. The chart keeps its marks
// between showings until the next Determine Fringes.
#include "ui/qt/FormDialog.h"

class QLabel;
class QPushButton;

namespace optc {

class TForm4;

namespace qt {

class ChartWidget;

class TForm4View : public FormDialog {
    Q_OBJECT
public:
    explicit TForm4View(TForm4& form, QWidget* parent = nullptr);

    TForm4& Form() { return form_; }
    ChartWidget& Chart() { return *chart_; }
    QLabel& PositionX() { return *positionX_; }
    QLabel& PositionY() { return *positionY_; }
    QPushButton& Ok() { return *ok_; }
    QPushButton& FindExtrema() { return *findExtrema_; }
    QPushButton& Cancel() { return *cancel_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TForm4& form_;
    ChartWidget* chart_ = nullptr;
    QLabel* positionX_ = nullptr;
    QLabel* positionY_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* findExtrema_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace qt
}  // namespace optc
