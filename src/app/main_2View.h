#pragma once
// The start window on screen: a fixed 944 x 618 window whose widgets mirror TForm2.
#include <QWidget>

#include "app/main_2.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace optc::qt {

class main_2View : public QWidget {
    Q_OBJECT
public:
    explicit main_2View(TForm2& form, QWidget* parent = nullptr);

    TForm2& Logic() { return form_; }

    QLabel* StaticText1;
    QGroupBox* RadioGroup1;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QWidget* Panel2;
    QGroupBox* RadioGroup2;
    QRadioButton* RadioButton3;
    QRadioButton* RadioButton4;
    QPushButton* Button1;
    QPushButton* Button2;
    QLabel* StaticText3;
    QPushButton* BitBtn1;

private:
    TForm2& form_;
};

}  // namespace optc::qt
