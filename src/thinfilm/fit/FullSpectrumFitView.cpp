#include "thinfilm/fit/FullSpectrumFitView.h"

#include <QFont>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "thinfilm/fit/FullSpectrumFitForm.h"
#include "ui/qt/Bindings.h"
#include "ui/qt/ChartWidget.h"
#include "ui/qt/ControlBuilder.h"

namespace optc::qt {

namespace {

// The left column: the model, Fit and Cancel, the progress and the parameter table.
constexpr int kLeftWidth = 292;
constexpr int kRightX = 8 + kLeftWidth + 8;
// Check boxes and radio buttons as wide as their captions: a click anywhere on one
// is a click on it.
constexpr int kCaptionOnly = 20;
// How often the progress bar reads the fit's progress, ms.
constexpr int kPollMs = 50;

QGroupBox* Group(QWidget& parent, const char* name, const QString& title, int x, int y, int w, int h) {
    auto* box = new QGroupBox(title, &parent);
    box->setObjectName(name);
    box->setGeometry(x, y, w, h);
    return box;
}

}  // namespace

FullSpectrumFitView::FullSpectrumFitView(FullSpectrumFitForm& form, QWidget* parent)
    : FormDialog(form, "SpectrumFit", parent, Options{}), form_(form) {
    ControlBuilder b(*this, form);
    b.WidenToCaptions(true);

    // ---- The model ----
    QGroupBox* model = Group(*this, "Model", "Model", 8, 4, kLeftWidth, 262);
    choices_ = model;
    ControlBuilder m(*model, form);
    m.WidenToCaptions(true);
    m.Check(form.Spread, 10, 22, kCaptionOnly);
    m.Label("Slit width, nm:", 10, 46, 100, 18);
    m.Line(form.Slit, 112, 44, 60);
    m.Label("(0: none)", 180, 46, 100, 18);
    // Each law in a frame of its own, so that its radio buttons exclude only each other.
    QGroupBox* dispersion = Group(*model, "Dispersion", "Dispersion", 8, 70, kLeftWidth - 16, 84);
    ControlBuilder dm(*dispersion, form);
    dm.WidenToCaptions(true);
    dm.Radio(form.Cauchy, 10, 20, kCaptionOnly);
    dm.Radio(form.CauchyThree, 10, 40, kCaptionOnly);
    dm.Radio(form.Sellmeier, 10, 60, kCaptionOnly);
    QGroupBox* absorption = Group(*model, "Absorption", "Absorption", 8, 158, kLeftWidth - 16, 64);
    ControlBuilder am(*absorption, form);
    am.WidenToCaptions(true);
    am.Radio(form.NoAbsorption, 10, 20, kCaptionOnly);
    am.Radio(form.Urbach, 10, 40, kCaptionOnly);
    m.Check(form.FitSubstrate, 10, 232, kCaptionOnly);
    m.Label("Range, nm:", 86, 234, 64, 18);
    m.Line(form.FitFrom, 152, 232, 50);
    m.Label("to", 206, 234, 14, 18);
    m.Line(form.FitTo, 222, 232, 50);

    b.Push(form.FitButton, 8, 274, 90);
    b.Push(form.Cancel, 106, 274, 90);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("Progress");
    progress_->setGeometry(8, 306, kLeftWidth, 18);
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);
    progress_->setValue(0);

    table_ = new QTableWidget(this);
    table_->setObjectName("Table");
    table_->setColumnCount(3);
    table_->setHorizontalHeaderLabels({"Parameter", "Value", QString::fromUtf8("\u03C3")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(20);
    table_->horizontalHeader()->setStretchLastSection(true);
    QPointer<FullSpectrumFitView> self(this);
    form.Table.Observe([self] {
        if (self) self->MirrorTable();
    });
    MirrorTable();

    // ---- The result and the charts ----
    result_ = b.Static(form.ResultLine, kRightX, 8, kClientWidth - kRightX - 8, 24);
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(15);
    result_->setFont(bold);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    result_->setWordWrap(true);
    result_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    warnings_ = b.Static(form.Warnings, kRightX, 36, kClientWidth - kRightX - 8, 0);
    warnings_->setWordWrap(true);
    warnings_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    warnings_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SetTextColour(*warnings_, QColor(160, 0, 0));
    spectrum_ = b.Chart(form.SpectrumChart, "SpectrumChart", kRightX, 40, 600, 240);
    residual_ = b.Chart(form.ResidualChart, "ResidualChart", kRightX, 290, 600, 100);
    alpha_ = b.Chart(form.AlphaChart, "AlphaChart", kRightX, 400, 600, 150);
    legend_ = b.Static(form.Legend, kRightX, 552, 600, 28);
    legend_->setWordWrap(true);

    copy_ = b.Push(form.Copy, 8, 582, 100);
    saveTable_ = b.Push(form.SaveTable, 116, 582, 120);
    useThickness_ = b.Push(form.UseThickness, kRightX, 582, 160);
    close_ = b.Push(form.CloseButton, kClientWidth - 88, 582, 80);

    // The progress follows the fit through a timer: the fit tells its progress on the
    // worker thread, the bar reads it on this one.
    poll_ = new QTimer(this);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, [this] { progress_->setValue(static_cast<int>(form_.Progress.Value() * 1000)); });
    form.Progress.Observe([self] {
        if (self) self->MirrorProgress();
    });
    MirrorProgress();

    // The fit on a worker thread; its outcome enters the form on this thread, as an
    // event of the dialog.
    form.SetRunner([self](std::function<SpectrumFitOutcome()> work, std::function<void(SpectrumFitOutcome)> done) {
        if (!self) {
            done(work());
            return;
        }
        auto outcome = std::make_shared<SpectrumFitOutcome>();
        QThread* thread = QThread::create([work = std::move(work), outcome] { *outcome = work(); });
        self->thread_ = thread;
        QObject::connect(thread, &QThread::finished, self.data(), [self, thread, outcome, done = std::move(done)] {
            thread->deleteLater();
            if (!self) return;
            self->thread_ = nullptr;
            self->form_.Dispatch([&] { done(std::move(*outcome)); });
        });
        thread->start();
    });

    // Resizable from its usual size up; the result line and the warnings decide their
    // height.
    setMinimumSize(kClientWidth, kClientHeight);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setSizeGripEnabled(true);
    for (StaticText* text : {&form.ResultLine, &form.Warnings})
        text->Observe([self] {
            if (self) self->Arrange();
        });
    Arrange();
}

FullSpectrumFitView::~FullSpectrumFitView() {
    // A fit still running is stopped and waited for: it works on the form's data.
    if (thread_) {
        form_.CancelClick();
        thread_->wait();
        delete thread_.data();
    }
    form_.SetRunner({});
}

void FullSpectrumFitView::resizeEvent(QResizeEvent* event) {
    FormDialog::resizeEvent(event);
    Arrange();
}

// The usual places at the usual size; a wider or taller dialog gives the charts and the
// table the room, a longer result line or more warnings push the charts down.
void FullSpectrumFitView::Arrange() {
    const int w = width(), h = height();
    const int buttons = h - 36;
    table_->setGeometry(8, 332, kLeftWidth, std::max(60, buttons - 8 - 332));
    const int rightWidth = w - 8 - kRightX;
    const int lineHeight = std::max(24, result_->heightForWidth(rightWidth));
    result_->setGeometry(kRightX, 8, rightWidth, lineHeight);
    int top = 8 + lineHeight + 4;
    if (!form_.Warnings.Text().empty()) {
        const int warningsHeight = warnings_->heightForWidth(rightWidth);
        warnings_->setGeometry(kRightX, top, rightWidth, warningsHeight);
        warnings_->show();
        top += warningsHeight + 4;
    } else {
        warnings_->hide();
    }
    const int legendHeight = std::max(16, legend_->heightForWidth(rightWidth));
    const int legendY = buttons - 6 - legendHeight;
    legend_->setGeometry(kRightX, legendY, rightWidth, legendHeight);
    // The spectrum takes two fifths of the room, the residual and alpha the rest
    // alike: below about 140 pixels a chart's titles leave its plot no height.
    const int room = std::max(150, legendY - 4 - top);
    const int spectrumHeight = room * 4 / 10, residualHeight = room * 3 / 10;
    spectrum_->setGeometry(kRightX, top, rightWidth, spectrumHeight - 4);
    residual_->setGeometry(kRightX, top + spectrumHeight, rightWidth, residualHeight - 4);
    alpha_->setGeometry(kRightX, top + spectrumHeight + residualHeight, rightWidth,
                        room - spectrumHeight - residualHeight);
    copy_->move(8, buttons);
    saveTable_->move(116, buttons);
    useThickness_->move(kRightX, buttons);
    close_->move(w - 88, buttons);
}

void FullSpectrumFitView::MirrorProgress() {
    if (form_.Progress.Running()) {
        progress_->setValue(static_cast<int>(form_.Progress.Value() * 1000));
        poll_->start();
    } else {
        poll_->stop();
        progress_->setValue(0);
    }
}

void FullSpectrumFitView::MirrorTable() {
    const auto& rows = form_.Table.Rows();
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto& row = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            auto* item = new QTableWidgetItem(ToQString(row[static_cast<std::size_t>(c)]));
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    table_->setCurrentItem(nullptr);
}

}  // namespace optc::qt
