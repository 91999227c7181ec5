#include "app/main_2View.h"

#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "ui/qt/Bindings.h"

namespace optc::qt {

namespace {

QFont Font(const char* family, int pixels, bool bold) {
    QFont font(family);
    font.setStyleHint(family == QString("Times New Roman") ? QFont::Serif : QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Gives the widget its font, smaller where the system's font of that family is wider
// than the text's place, so that the whole text stays readable.
void SetFittingFont(QWidget* widget, QFont font, const QString& text, int room) {
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPixelSize(font.pixelSize() - 1);
    widget->setFont(font);
}

void Red(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    palette.setColor(QPalette::ButtonText, Qt::red);
    palette.setColor(QPalette::Text, Qt::red);
    widget->setPalette(palette);
}

}  // namespace

main_2View::main_2View(TForm2& form, QWidget* parent) : QWidget(parent), form_(form) {
    setWindowTitle(ToQString(form.Caption()));
    // Single border, system menu and minimise only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(944, 618);

    // The panel without bevel that fills the window is the window itself here.
    StaticText1 = new QLabel(this);
    StaticText1->setGeometry(88, 40, 784, 46);
    SetFittingFont(StaticText1, Font("Times New Roman", 37, true), ToQString(form.StaticText1.Text()), 784);
    Bind(*StaticText1, form.StaticText1);

    // The captioned frames come first so that the radio buttons lie on top of them.
    RadioGroup1 = new QGroupBox(ToQString(form.RadioGroup1.Text()), this);
    RadioGroup1->setGeometry(24, 120, 841, 65);
    RadioButton1 = new QRadioButton(ToQString(form.RadioButton1.Caption()), this);
    RadioButton1->setGeometry(24, 152, 177, 17);
    RadioButton2 = new QRadioButton(ToQString(form.RadioButton2.Caption()), this);
    RadioButton2->setGeometry(496, 152, 185, 17);

    Panel2 = new QWidget(this);
    Panel2->setGeometry(24, 216, 841, 65);
    RadioGroup2 = new QGroupBox(ToQString(form.RadioGroup2.Text()), Panel2);
    RadioGroup2->setGeometry(0, 0, 841, 65);
    RadioButton3 = new QRadioButton(ToQString(form.RadioButton3.Caption()), Panel2);
    RadioButton3->setGeometry(0, 32, 225, 17);
    RadioButton4 = new QRadioButton(ToQString(form.RadioButton4.Caption()), Panel2);
    RadioButton4->setGeometry(472, 32, 249, 17);

    Button1 = new QPushButton(ToQString(form.Button1.Caption()), this);
    Button1->setGeometry(24, 376, 329, 73);
    SetFittingFont(Button1, Font("Times New Roman", 35, true), Button1->text(), 329 - 16);
    Button2 = new QPushButton(ToQString(form.Button2.Caption()), this);
    Button2->setGeometry(616, 377, 313, 73);
    SetFittingFont(Button2, Font("Times New Roman", 35, true), Button2->text(), 313 - 16);

    StaticText3 = new QLabel(this);
    StaticText3->setGeometry(8, 512, 933, 24);
    SetFittingFont(StaticText3, Font("Arial", 16, true), ToQString(form.StaticText3.Text()), 933);
    Red(StaticText3);
    Bind(*StaticText3, form.StaticText3);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                              ToQString(form.BitBtn1.Caption()), this);
    BitBtn1->setGeometry(840, 547, 75, 25);
    Red(BitBtn1);

    Bind(*RadioButton1, form.RadioButton1, form);
    Bind(*RadioButton2, form.RadioButton2, form);
    Bind(*RadioButton3, form.RadioButton3, form);
    Bind(*RadioButton4, form.RadioButton4, form);
    Bind(*Button1, form.Button1, form);
    Bind(*Button2, form.Button2, form);
    Bind(*BitBtn1, form.BitBtn1, form);
}

}  // namespace optc::qt
