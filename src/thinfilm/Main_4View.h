#pragma once
// The Qt face of the minima window: the chart filling the top, the pointer readout
// below it and the Ok button. The dialog is created once and only shown and hidden, so
// the chart keeps its marks until the next Determine Fringes.
#include <QDialog>

class QKeyEvent;
class QLabel;
class QPushButton;
class QShowEvent;

namespace optc {

class TForm4;

namespace qt {

class ChartWidget;

class TForm4View : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 944;
    static constexpr int kClientHeight = 618;

    explicit TForm4View(TForm4& form, QWidget* parent = nullptr);

    TForm4& Form() { return form_; }
    ChartWidget& Chart() { return *chart_; }
    QLabel& PositionX() { return *positionX_; }
    QLabel& PositionY() { return *positionY_; }
    QPushButton& Ok() { return *ok_; }

public slots:
    // The title bar's close button closes the window like Ok: there is no cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TForm4& form_;
    ChartWidget* chart_ = nullptr;
    QLabel* positionX_ = nullptr;
    QLabel* positionY_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace qt
}  // namespace optc
