#include "thinfilm/Main_4View.h"

#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

#include "thinfilm/Main_4.h"
#include "ui/qt/Bindings.h"
#include "ui/qt/ChartWidget.h"

namespace optc::qt {

namespace {

QFont BoldPixels(const QFont& base, int pixels) {
    QFont font(base);
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

}  // namespace

TForm4View::TForm4View(TForm4& form, QWidget* parent) : QDialog(parent), form_(form) {
    setObjectName("Form4");
    setWindowTitle(ToQString(form.Caption()));
    // Single border, system menu and minimise only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kClientWidth, kClientHeight);

    // The chart spans the top of the window, one pixel wider than the client area.
    chart_ = new ChartWidget(form.Chart1, form, this);
    chart_->setObjectName("Chart1");
    chart_->setGeometry(0, 0, 945, 553);

    // The readout below the chart, in large bold type.
    const QFont readout = BoldPixels(font(), 21);
    positionX_ = new QLabel(this);
    positionX_->setObjectName("PositionX");
    positionX_->setGeometry(24, 570, 280, 28);
    positionX_->setFont(readout);
    Bind(*positionX_, form.PositionX);
    positionY_ = new QLabel(this);
    positionY_->setObjectName("PositionY");
    positionY_->setGeometry(328, 570, 280, 28);
    positionY_->setFont(readout);
    Bind(*positionY_, form.PositionY);

    ok_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), ToQString(form.BitBtn1.Caption()),
                          this);
    ok_->setObjectName("BitBtn1");
    ok_->setGeometry(760, 562, 161, 45);
    ok_->setFont(BoldPixels(font(), 24));
    QPalette palette = ok_->palette();
    palette.setColor(QPalette::ButtonText, Qt::red);
    ok_->setPalette(palette);
    Bind(*ok_, form.BitBtn1, form);

    // Ok, and every other close of the form, hides the dialog and ends a modal showing.
    QPointer<TForm4View> self(this);
    form.ObserveClose([self] {
        if (self && self->isVisible()) self->done(QDialog::Accepted);
    });
}

void TForm4View::reject() {
    form_.Dispatch([this] { form_.Close(); });
    if (isVisible()) done(QDialog::Accepted);
}

void TForm4View::showEvent(QShowEvent* event) {
    form_.SetShown(true);
    form_.FlushCharts();
    QDialog::showEvent(event);
}

void TForm4View::keyPressEvent(QKeyEvent* event) {
    // Escape does not close the window; Ok and the title bar do.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace optc::qt
