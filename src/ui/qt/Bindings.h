#pragma once
// Binds Qt widgets to the control models of a form. The widget mirrors the model
// (text, checked, enabled, visible, edit colour) through the model's observers without
// running any handler; what the user does to the widget enters the model through
// Form::Dispatch, so the toolkit's rules and the error box apply to it.
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QString;
class QWidget;

#include <string>

namespace optc {

class Button;
class CheckBox;
class Edit;
class Form;
class RadioButton;
class StaticText;
struct Color;

namespace qt {

QString ToQString(const std::string& text);
std::string FromQString(const QString& text);

// Typing is SetText while the edit has the input focus; focus in and out set the
// model's focus. The model's focus set from code moves the widget's focus.
void Bind(QLineEdit& widget, Edit& model, Form& form);
// A user click toggles the box through CheckBox::Click.
void Bind(QCheckBox& widget, CheckBox& model, Form& form);
// A user click is RadioButton::Click; the model alone decides which sibling is checked.
void Bind(QRadioButton& widget, RadioButton& model, Form& form);
void Bind(QPushButton& widget, Button& model, Form& form);
void Bind(QLabel& widget, StaticText& model);

}  // namespace qt
}  // namespace optc
