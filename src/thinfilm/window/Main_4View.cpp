#include "thinfilm/window/Main_4View.h"

#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStyle>

#include "thinfilm/window/Main_4.h"
#include "ui/qt/Bindings.h"
#include "ui/qt/ChartWidget.h"
#include "ui/qt/ControlBuilder.h"

namespace optc::qt {

namespace {

QFont BoldPixels(const QFont& base, int pixels) {
    QFont font(base);
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

// The system's font throughout; the title bar closes the window like Ok, which keeps
// the marks (Cancel is a button of its own).
constexpr FormDialog::Options kMinimaWindow{.smallFont = false, .fixedSizeFrame = true,
                                            .titleBarCloseResult = QDialog::Accepted};

}  // namespace

TForm4View::TForm4View(TForm4& form, QWidget* parent) : FormDialog(form, "Form4", parent, kMinimaWindow), form_(form) {
    ControlBuilder b(*this, form);
    // The chart spans the top of the window, one pixel wider than the client area.
    chart_ = b.Chart(form.Chart1, "Chart1", 0, 0, 945, 553);

    // The readout below the chart, in large bold type.
    const QFont readout = BoldPixels(font(), 21);
    positionX_ = b.Static(form.PositionX, 24, 570, 280, 28);
    positionX_->setFont(readout);
    positionY_ = b.Static(form.PositionY, 328, 570, 280, 28);
    positionY_->setFont(readout);

    ok_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), ToQString(form.BitBtn1.Caption()),
                          this);
    ok_->setObjectName("BitBtn1");
    ok_->setGeometry(760, 562, 161, 45);
    ok_->setFont(BoldPixels(font(), 24));
    QPalette palette = ok_->palette();
    palette.setColor(QPalette::ButtonText, Qt::red);
    ok_->setPalette(palette);
    Bind(*ok_, form.BitBtn1, form);

    // Between the readout and Ok, one above the other.
    findExtrema_ = b.Push(form.FindExtrema, 614, 557, 140, 27);
    cancel_ = new QPushButton(ToQString(form.Cancel.Caption()), this);
    cancel_->setObjectName("Cancel");
    cancel_->setGeometry(614, 587, 140, 27);
    cancel_->setAutoDefault(false);
    Bind(*cancel_, form.Cancel, form);
}

void TForm4View::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        cancel_->click();
        return;
    }
    FormDialog::keyPressEvent(event);
}

}  // namespace optc::qt
