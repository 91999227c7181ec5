#include "ui/qt/Bindings.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "ui/Controls.h"
#include "ui/Form.h"

namespace optc::qt {

QString ToQString(const std::string& text) { return QString::fromStdString(text); }
std::string FromQString(const QString& text) { return text.toStdString(); }

namespace {

// Enabled and visible are common to every control. isHidden() rather than isVisible():
// a child of a window that is not shown yet is not visible, but it is not hidden either.
void MirrorCommon(QWidget& widget, const Control& model) {
    if (widget.isEnabled() != model.Enabled()) widget.setEnabled(model.Enabled());
    if (widget.isHidden() == model.Visible()) widget.setHidden(!model.Visible());
}

// Runs `mirror` now and after every change of the model, as long as the widget lives.
template <typename W, typename M, typename F>
void Mirror(W& widget, M& model, F mirror) {
    QPointer<W> guard(&widget);
    auto update = [guard, &model, mirror] {
        if (guard) mirror(*guard, model);
    };
    model.Observe(update);
    update();
}

// A check box or radio button: checked as the model says, and a user click is the
// model's Click. Qt toggled the widget itself before the click arrives; the model has
// the last word (without auto-exclusion a click on a checked radio button unchecks the
// widget, while the model keeps it checked).
template <typename W, typename M>
void BindCheckable(W& widget, M& model, Form& form) {
    auto mirror = [](W& w, const M& m) {
        MirrorCommon(w, m);
        if (w.isChecked() != m.Checked()) {
            QSignalBlocker block(&w);
            w.setChecked(m.Checked());
        }
    };
    Mirror(widget, model, mirror);
    QPointer<W> guard(&widget);
    QObject::connect(&widget, &W::clicked, &widget, [guard, &model, &form, mirror] {
        form.Dispatch([&model] { model.Click(); });
        if (guard) mirror(*guard, model);
    });
}

// Focus in and out of a line edit set the model's focus.
class FocusFilter : public QObject {
public:
    FocusFilter(QLineEdit& widget, Edit& model, Form& form)
        : QObject(&widget), model_(model), form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Only a change the model does not know yet enters it; focus moved by the model
        // itself comes back here and stops.
        if (event->type() == QEvent::FocusIn && !model_.Focused())
            form_.Dispatch([this] { model_.SetFocused(true); });
        else if (event->type() == QEvent::FocusOut && model_.Focused())
            form_.Dispatch([this] { model_.SetFocused(false); });
        return QObject::eventFilter(watched, event);
    }

private:
    Edit& model_;
    Form& form_;
};

}  // namespace

void Bind(QLineEdit& widget, Edit& model, Form& form) {
    Mirror(widget, model, [](QLineEdit& w, const Edit& m) {
        MirrorCommon(w, m);
        QString text = ToQString(m.Text());
        if (w.text() != text) {
            QSignalBlocker block(&w);
            w.setText(text);
        }
        const Color c = m.Colour();
        QColor colour(c.r, c.g, c.b);
        if (w.palette().color(QPalette::Base) != colour) {
            QPalette palette = w.palette();
            palette.setColor(QPalette::Base, colour);
            w.setPalette(palette);
        }
        if (m.Focused() && !w.hasFocus())
            w.setFocus(Qt::OtherFocusReason);
        else if (!m.Focused() && w.hasFocus())
            w.clearFocus();
    });
    widget.installEventFilter(new FocusFilter(widget, model, form));
    // textEdited comes only from the user, never from setText.
    QObject::connect(&widget, &QLineEdit::textEdited, &widget, [&model, &form](const QString& text) {
        form.Dispatch([&model, text] {
            model.SetFocused(true);
            model.SetText(FromQString(text));
        });
    });
}

void Bind(QCheckBox& widget, CheckBox& model, Form& form) { BindCheckable(widget, model, form); }

void Bind(QRadioButton& widget, RadioButton& model, Form& form) {
    // Exclusion among siblings is the model's: Qt must not uncheck buttons on its own.
    widget.setAutoExclusive(false);
    BindCheckable(widget, model, form);
}

void Bind(QPushButton& widget, Button& model, Form& form) {
    Mirror(widget, model, [](QPushButton& w, const Button& m) { MirrorCommon(w, m); });
    QObject::connect(&widget, &QPushButton::clicked, &widget,
                     [&model, &form] { form.Dispatch([&model] { model.Click(); }); });
}

void Bind(QLabel& widget, StaticText& model) {
    Mirror(widget, model, [](QLabel& w, const StaticText& m) {
        MirrorCommon(w, m);
        QString text = ToQString(m.Text());
        if (w.text() != text) w.setText(text);
    });
}

}  // namespace optc::qt
