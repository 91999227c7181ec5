#include "ui/qt/ControlBuilder.h"

#include <algorithm>

#include <QCheckBox>
#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "ui/Controls.h"
#include "ui/qt/Bindings.h"
#include "ui/qt/ChartWidget.h"

namespace optc::qt {

void SetTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget.setPalette(palette);
}

QLabel* ControlBuilder::Label(const QString& text, int x, int y, int w, int h) {
    auto* label = new QLabel(text, &panel_);
    label->setGeometry(x, y, w, h);
    return label;
}

QLabel* ControlBuilder::Static(StaticText& model, int x, int y, int w, int h, bool sunken) {
    auto* label = new QLabel(&panel_);
    label->setObjectName(ToQString(model.Name()));
    label->setGeometry(x, y, w, h);
    if (sunken) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    Bind(*label, model);
    return label;
}

QLabel* ControlBuilder::StaticSizedToText(StaticText& model, int x, int y, bool sunken) {
    QLabel* label = Static(model, x, y, 0, 0, sunken);
    label->adjustSize();
    QPointer<QLabel> guard(label);
    model.Observe([guard] {
        if (guard) guard->adjustSize();
    });
    return label;
}

QLabel* ControlBuilder::Readout(StaticText& model, int x, int y, int w, int h) {
    QLabel* label = Static(model, x, y, w, h);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->raise();
    return label;
}

QPushButton* ControlBuilder::Push(Button& model, int x, int y, int w, int h) {
    auto* button = new QPushButton(ToQString(model.Caption()), &panel_);
    button->setObjectName(ToQString(model.Name()));
    button->setGeometry(x, y, w, h);
    // In a dialog Enter would press the default button; here Enter does nothing.
    button->setAutoDefault(false);
    button->setDefault(false);
    Bind(*button, model, form_);
    return button;
}

QLineEdit* ControlBuilder::Line(Edit& model, int x, int y, int w) {
    auto* edit = new QLineEdit(&panel_);
    edit->setObjectName(ToQString(model.Name()));
    edit->setGeometry(x, y, w, kEditHeight);
    Bind(*edit, model, form_);
    return edit;
}

QCheckBox* ControlBuilder::Check(CheckBox& model, int x, int y, int w, int h) {
    auto* box = new QCheckBox(ToQString(model.Caption()), &panel_);
    box->setObjectName(ToQString(model.Name()));
    if (widenToCaptions_ && !model.Caption().empty()) w = std::max(w, box->sizeHint().width());
    box->setGeometry(x, y, w, h);
    Bind(*box, model, form_);
    return box;
}

QRadioButton* ControlBuilder::Radio(RadioButton& model, int x, int y, int w) {
    auto* radio = new QRadioButton(ToQString(model.Caption()), &panel_);
    radio->setObjectName(ToQString(model.Name()));
    if (widenToCaptions_) w = std::max(w, radio->sizeHint().width());
    radio->setGeometry(x, y, w, kCheckHeight);
    Bind(*radio, model, form_);
    return radio;
}

ChartWidget* ControlBuilder::Chart(ChartModel& model, const char* name, int x, int y, int w, int h) {
    auto* chart = new ChartWidget(model, form_, &panel_);
    chart->setObjectName(name);
    chart->setGeometry(x, y, w, h);
    return chart;
}

}  // namespace optc::qt
