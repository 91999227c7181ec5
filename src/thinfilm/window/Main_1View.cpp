#include "thinfilm/window/Main_1View.h"

#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>

#include "thinfilm/window/Main_1.h"
#include "ui/qt/ChartWidget.h"
#include "ui/NamedFile.h"
#include "ui/qt/ControlBuilder.h"
#include "ui/qt/FileDrops.h"
#include "ui/qt/ScrollingPanel.h"

namespace optc::qt {

namespace {

const QColor kMaroon(128, 0, 0);
const QColor kActiveCaption(0, 0, 128);
const QColor kRed(255, 0, 0);
constexpr int kSectionPoints = 16;
constexpr int kSmallestSectionPoints = 9;

QFont Bold(QFont font, int pixelSize = 0) {
    font.setBold(true);
    if (pixelSize > 0) font.setPixelSize(pixelSize);
    return font;
}

// The captions of this window on top of the common controls.
class Builder : public ControlBuilder {
public:
    using ControlBuilder::ControlBuilder;
    using ControlBuilder::Label;

    QLabel* Label(const char* text, int x, int y, int w, int h) { return Label(QString::fromUtf8(text), x, y, w, h); }
    // Section captions: bold, 16 points, in the active caption's colour. Their texts
    // are long for their rooms, so a condensed face is preferred, and a caption that
    // still runs into the next control is set a point smaller until it ends before it.
    QLabel* Section(const char* text, int x, int y, int room) {
        QLabel* label = Label(text, x, y, room, 0);
        QFont font = Bold(Panel().font());
        font.setFamilies({"DejaVu Sans Condensed", font.family()});
        for (int points = kSectionPoints;; --points) {
            font.setPointSize(points);
            if (QFontMetrics(font).horizontalAdvance(label->text()) <= room || points <= kSmallestSectionPoints) break;
        }
        label->setFont(font);
        label->resize(room, QFontMetrics(font).height());
        SetTextColour(*label, kActiveCaption);
        return label;
    }
    QLabel* FromTo(const char* text, int x, int y) {
        QLabel* label = Label(text, x, y + 2, 40, 18);
        label->setFont(Bold(Panel().font()));
        return label;
    }
    QLabel* Or(int x, int y) {
        QLabel* label = Label("or", x, y, 24, 16);
        QFont font = Bold(Panel().font());
        font.setPointSize(7);
        label->setFont(font);
        SetTextColour(*label, kRed);
        return label;
    }
    // A range row: its caption, then the From and To edits.
    void Range(const char* caption, int y, Edit& from, Edit& to) {
        Section(caption, 8, y, 446);
        FromTo("From", 456, y);
        Line(from, 520, y, 161);
        FromTo("To", 704, y);
        Line(to, 744, y, 161);
    }
};

}  // namespace

TForm1View::TForm1View(TForm1& form, QWidget* parent)
    : FormDialog(form, "Form1", parent, Options{.resizable = true}), form_(form) {
    const QFont base = font();

    // One panel fills the window and holds every control; a smaller window scrolls it.
    const QSize defined(kClientWidth, kClientHeight);
    QFrame* panel = ScrollingPanel(*this, defined);
    panel->setObjectName("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Builder b(*panel, form);

    // ---- Imports ----
    QFont serifBold = Bold(base);
    serifBold.setFamily("serif");
    serifBold.setStyleHint(QFont::Serif);
    serifBold.setPointSize(10);
    b.Push(form.import1, 49, 9, 185)->setFont(serifBold);
    QPushButton* importFringes = b.Push(form.Import2, 550, 9, 161);
    importFringes->setFont(serifBold);
    b.Or(720, 13);
    b.Push(form.Button2, 752, 9, 161)->setFont(serifBold);
    // In the free room between the two imports.
    b.Push(form.SaveReport, 400, 9, 130);
    b.Push(form.FitSpectrumButton, 262, 9, 130);
    QLabel* fringesTitle = nullptr;
    for (auto [text, x] : {std::pair{"Transmission Spectrum", 64}, std::pair{"Minima and Maxima of Fringes", 608}}) {
        QLabel* title = b.Label(text, x, 40, 300, 20);
        title->setFont(Bold(base, 15));
        SetTextColour(*title, kMaroon);
        fringesTitle = title;
    }
    b.Static(form.Fileshow1, 8, 64, 529, 19, true);
    QLabel* fringesFile = b.Static(form.Fileshow2, 568, 64, 368, 19, true);

    // A file dropped on the window is its spectrum; on the fringes' title, file name or
    // import button, its fringes.
    AcceptFileDrops(*this, [&form](const std::string& path) { ImportNamedFile(form, form.import1, path); });
    for (QWidget* fringes : {static_cast<QWidget*>(fringesTitle), static_cast<QWidget*>(fringesFile),
                             static_cast<QWidget*>(importFringes)})
        AcceptFileDrops(*fringes, [&form](const std::string& path) { ImportNamedFile(form, form.Import2, path); });

    // ---- Constants ----
    b.Section("Refractive Index (n0-air, nS-substrate)", 9, 102, 390);
    b.Label("n0  =", 402, 104, 50, 18);
    b.Line(form.Const1, 458, 102, 49);
    b.Label("nS =", 523, 104, 45, 18);
    b.Line(form.Const2, 576, 102, 81);
    b.Label("Ts-T tolerance , %", 680, 104, 160, 18);
    b.Line(form.Tolerance, 848, 102, 73);

    // ---- Ranges ----
    b.Range("Wavelength Range for n calculations , nm", 144, form.Wstart, form.Wend);
    b.Range("Energy range for Eg calculation , eV", 184, form.Estart, form.Eend);
    b.Or(16, 208);
    b.Range("Y-axis range for Eg calculation", 224, form.Ytauc1, form.Ytauc2);

    // ---- Left column: thickness, n estimate, options, calculation, gap ----
    b.Section("Film Thickness, cm:", 8, 264, 225);
    b.Line(form.thickness, 8, 293, 217);
    b.Check(form.FixThickness, 8, 320, 229);
    b.Label("n at ", 8, 347, 30, 18);
    QLineEdit* natx = b.Line(form.natx, 40, 345, 45);
    natx->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), natx));
    b.Label("nm:", 90, 347, 26, 18);
    b.Static(form.n633show, 120, 347, 110, 18);
    b.Check(form.not633, 8, 376, 229);
    b.Check(form.nu633, 8, 396, 118);
    b.Line(form.ninp, 128, 394, 97);
    QLabel* small = b.Label("to calculate absorption and thickness", 24, 420, 210, 14);
    QFont smallFont = base;
    smallFont.setPointSize(7);
    small->setFont(smallFont);
    // In the free room above the fringes-free box: the fringe orders' thickness where it
    // differs from Calculate's, in up to two lines of the small caption's font.
    QLabel* ordersNote = b.Static(form.OrdersNote, 8, 436, 228, 22);
    ordersNote->setFont(smallFont);
    ordersNote->setWordWrap(true);
    ordersNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    b.Check(form.FrFTr, 8, 459, 229);
    b.Push(form.Calculate, 45, 494, 150, 28);
    b.Section("Optical Gap, eV", 8, 530, 135);
    QLabel* eg = b.Static(form.EgOutput, 146, 530, 86, 20);
    eg->setFont(Bold(base, 15));
    b.Push(form.CalculatEg, 45, 562, 150, 28);
    // Below Eg Calculation, free room: the gap's standard error and R².
    b.Static(form.EgSpread, 8, 592, 228, 18);

    // ---- Right column: polynomial orders and graph choice ----
    b.Section("Polynom order", 736, 264, 200);
    b.Label("n approximation", 736, 295, 145, 18);
    b.Line(form.Order, 888, 293, 41);
    b.Label("T envelope", 736, 322, 145, 18);
    b.Line(form.envelope, 888, 320, 41);
    b.Section("Results", 736, 348, 200);
    // In the free space right of the caption: nothing else moves.
    b.Push(form.FringeOrders, 820, 345, 116);
    // The frame is drawn behind the radio buttons; they belong to the panel, so they
    // exclude only one another.
    auto* frame = new QGroupBox("Graph", panel);
    frame->setObjectName("RadioGroup1");
    frame->setGeometry(736, 378, 185, 191);
    // The caption sits in the frame's top line, as on a radio group.
    frame->setStyleSheet(
        "QGroupBox#RadioGroup1 { border: 1px solid palette(mid); margin-top: 7px; }"
        "QGroupBox#RadioGroup1::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }");
    b.Radio(form.RadioButton1, 752, 399, 160);
    b.Radio(form.RadioButton4, 752, 437, 160);
    b.Radio(form.RadioButton2, 752, 480, 160);
    b.Check(form.Direct, 752, 512, 164);
    b.Radio(form.RadioButton3, 752, 535, 160);

    // ---- Chart with the pointer readout on it ----
    chart_ = b.Chart(form.Chart1, "Chart1", 240, 272, 473, 345);
    // Lowered outer and inner bevels: the sunken edge of a well.
    chart_->SetLoweredBevel(1);
    chart_->SetInnerLoweredBevel(1);
    chart_->UseResultGraphAxes();
    // Lower left and upper left of the chart, 13 pixels high, over the plot.
    ControlBuilder onChart(*chart_, form);
    onChart.Readout(form.PositionX, 8, chart_->height() - 13 - 4, 200, 13)->setFont(base);
    onChart.Readout(form.PositionY, 8, 4, 200, 13)->setFont(base);

    // ---- Results and closing ----
    b.Push(form.Button1, 720, 584, 137);
    QPushButton* exit = b.Push(form.BitBtn1, 864, 584, 73);
    exit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    SetTextColour(*exit, kRed);

    // A larger window gives its room to the chart.
    new ChartRoom(*panel, *chart_, defined);
}

}  // namespace optc::qt
