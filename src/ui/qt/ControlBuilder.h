#pragma once
// Builds the widgets of a form's controls on a panel. Every widget gets its control's
// name as object name, so that a window can be driven and inspected by name, and is
// bound to its control through the form.
#include <QString>

class QCheckBox;
class QColor;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace optc {

class Button;
class ChartModel;
class CheckBox;
class Edit;
class Form;
class RadioButton;
class StaticText;

namespace qt {

class ChartWidget;

// Text colour of labels and buttons.
void SetTextColour(QWidget& widget, const QColor& colour);

class ControlBuilder {
public:
    static constexpr int kEditHeight = 21;
    static constexpr int kButtonHeight = 25;
    static constexpr int kCheckHeight = 17;

    ControlBuilder(QWidget& panel, Form& form) : panel_(panel), form_(form) {}

    QWidget& Panel() { return panel_; }

    // Check boxes with a caption and radio buttons keep at least their given width but
    // grow to their caption where the screen's font runs wider.
    void WidenToCaptions(bool widen) { widenToCaptions_ = widen; }

    // A fixed text that belongs to no control.
    QLabel* Label(const QString& text, int x, int y, int w, int h);
    // A static text of the form; a sunken one can be selected and copied.
    QLabel* Static(StaticText& model, int x, int y, int w, int h, bool sunken = false);
    // The same, sized to its text now and whenever the text changes.
    QLabel* StaticSizedToText(StaticText& model, int x, int y, bool sunken);
    // A pointer readout laid over a chart: the pointer passes through it to the chart.
    QLabel* Readout(StaticText& model, int x, int y, int w, int h);
    QPushButton* Push(Button& model, int x, int y, int w, int h = kButtonHeight);
    QLineEdit* Line(Edit& model, int x, int y, int w);
    QCheckBox* Check(CheckBox& model, int x, int y, int w, int h = kCheckHeight);
    QRadioButton* Radio(RadioButton& model, int x, int y, int w);
    // A chart drawing its model; pointer and clicks enter the model through the form.
    ChartWidget* Chart(ChartModel& model, const char* name, int x, int y, int w, int h);

private:
    QWidget& panel_;
    Form& form_;
    bool widenToCaptions_ = false;
};

}  // namespace qt
}  // namespace optc
