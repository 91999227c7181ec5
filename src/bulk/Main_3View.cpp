#include "bulk/Main_3View.h"

#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "bulk/Main_3.h"
#include "ui/qt/ChartWidget.h"
#include "ui/NamedFile.h"
#include "ui/qt/ControlBuilder.h"
#include "ui/qt/FileDrops.h"
#include "ui/qt/ScrollingPanel.h"

namespace optc::qt {

namespace {

constexpr int kEditWidth = 121;
// Section titles and field labels use a large font.
constexpr int kLabelPixels = 21;

// The large face of the labels: a Times-like serif.
QFont LabelFont(int pixels) {
    QFont font;
    font.setFamilies({"Times New Roman", "Nimbus Roman", "Liberation Serif"});
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixels);
    return font;
}

// The labels of this window on top of the common controls: in the large font, sized to
// their text. Edits all have one width.
class Builder : public ControlBuilder {
public:
    Builder(QWidget& panel, TForm3& form) : ControlBuilder(panel, form) {
        // A caption wider than its place on this screen still shows in full.
        WidenToCaptions(true);
    }

    // Where the screen's fonts run wider, the text is made smaller until it ends before
    // the next control.
    QLabel* Label(const char* name, const char* text, int x, int y, int room, int pixels = kLabelPixels) {
        auto* label = new QLabel(QString::fromUtf8(text), &Panel());
        label->setObjectName(name);
        label->move(x, y);
        for (int size = pixels;; --size) {
            label->setFont(LabelFont(size));
            label->adjustSize();
            if (label->width() <= room || size <= 9) break;
        }
        return label;
    }
    QLineEdit* Line(Edit& model, int x, int y) { return ControlBuilder::Line(model, x, y, kEditWidth); }
};

}  // namespace

TForm3View::TForm3View(TForm3& form, QWidget* parent)
    : FormDialog(form, "Form3", parent, Options{.resizable = true}), form_(form) {
    // One panel fills the window and holds every control; a smaller window scrolls it.
    const QSize defined(kClientWidth, kClientHeight);
    QFrame* panel = ScrollingPanel(*this, defined);
    panel->setObjectName("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Builder b(*panel, form);
    // A file dropped on the window is its transmission spectrum.
    AcceptFileDrops(*this, [&form](const std::string& path) { ImportNamedFile(form, form.import1, path); });

    // The frame "Graph" is decoration behind the graph buttons, which belong to the
    // panel; it is created first so that the buttons lie on top of it.
    auto* frame = new QGroupBox("Graph", panel);
    frame->setObjectName("RadioGroup1");
    frame->setGeometry(736, 320, 185, 225);

    // ---- Spectra ----
    b.Push(form.import1, 8, 7, 185);
    b.Label("Label4", "Transmission Spectrum", 0, 32, 480);
    b.StaticSizedToText(form.Fileshow1, 8, 64, true);
    b.Push(form.Button2, 488, 7, 185);
    b.Label("Label2", "Reflection spectrum", 488, 32, 440, 19);
    b.StaticSizedToText(form.Fileshow2, 488, 64, true);
    // In the free room right of the reflection import, above its label.
    b.Push(form.SaveReport, 696, 7, 130);

    // ---- Source of reflection and the sample ----
    b.Check(form.InpN, 8, 104, 17);
    b.Label("Labeln633", "Enter Refractive index n = const", 28, 101, 314);
    b.Line(form.Refrn633, 346, 106);
    b.Check(form.InpR, 488, 104, 17);
    b.Label("StaticText1", "Enter Reflection R = const , %", 509, 101, 292);
    b.Line(form.Refl, 805, 104);
    b.Label("Label16", "Sample Thickness , cm", 8, 136, 228);
    b.Line(form.Thickness, 240, 136);
    b.Label("Label9", "n of the Environment", 488, 136, 220);
    b.Label("Label10", "n0 =", 712, 136, 89);
    b.Line(form.Const1, 805, 136);

    // ---- Window of the gap fit ----
    b.Label("Label6", "Energy range for Eg calculation , eV", 8, 184, 444);
    b.Label("Label7", "From", 456, 184, 60);
    b.Line(form.Estart, 520, 184);
    b.Label("Label8", "To", 704, 184, 36);
    b.Line(form.Eend, 744, 184);
    QLabel* orLabel = b.Label("Label1", "or", 56, 216, 40, 11);
    QFont orFont = orLabel->font();
    orFont.setBold(true);
    orLabel->setFont(orFont);
    orLabel->adjustSize();
    SetTextColour(*orLabel, QColor(255, 0, 0));
    b.Label("Label13", "Y-axis range for Eg calculation", 8, 232, 444);
    b.Label("Label14", "From", 456, 232, 60);
    b.Line(form.Ytauc1, 520, 232);
    b.Label("Label15", "To", 704, 232, 36);
    b.Line(form.Ytauc2, 744, 232);

    // ---- Calculation and gap ----
    b.Push(form.Calculate, 64, 304, 145);
    b.Push(form.CalculatEg, 64, 368, 145);
    b.Label("Label17", "Optical Gap , eV", 8, 448, 228);
    QLabel* eg = b.StaticSizedToText(form.EgOutput, 8, 496, false);
    eg->setFont(LabelFont(kLabelPixels));
    // Below the gap, in the free room left of the chart: its standard error and R².
    b.Static(form.EgSpread, 8, 530, 228, 18);

    // ---- Graphs ----
    b.Label("Label12", "Results", 736, 264, 200);
    b.Radio(form.RadioButton4, 760, 352, 145);
    b.Radio(form.RadioButton1, 760, 392, 113);
    b.Radio(form.RadioButton2, 760, 432, 137);
    b.Check(form.Direct, 752, 472, 153);
    b.Radio(form.RadioButton3, 760, 512, 113);

    // ---- Chart with the pointer readout on it ----
    chart_ = b.Chart(form.Chart1, "Chart1", 240, 272, 473, 345);
    chart_->SetLoweredBevel(2);
    chart_->UseResultGraphAxes();
    ControlBuilder onChart(*chart_, form);
    onChart.Readout(form.PositionY, 8, 8, 200, 13);
    onChart.Readout(form.PositionX, 8, 320, 200, 13);

    // ---- Results and closing ----
    b.Push(form.Button1, 720, 576, 137);
    QPushButton* exit = b.Push(form.BitBtn1, 864, 576, 75);
    exit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));

    // A larger window gives its room to the chart.
    new ChartRoom(*panel, *chart_, defined);
}

}  // namespace optc::qt
