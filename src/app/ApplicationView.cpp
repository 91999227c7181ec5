#include "app/ApplicationView.h"

#include <QLocale>

#include "ui/qt/Bindings.h"

namespace optc::qt {

char LocaleDecimalSeparator(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    // Number texts are single-byte: a separator outside ASCII falls back to '.'.
    if (point.size() == 1 && point[0].unicode() < 128) return static_cast<char>(point[0].unicode());
    return '.';
}

AnalysisWindow::AnalysisWindow(Form& form, ChartModel& chart, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ToQString(form.Caption()));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(944, 618);
    form.AddChart(chart);
    Chart1 = new ChartWidget(chart, form, this);
    Chart1->setGeometry(0, 0, 944, 553);
}

ApplicationView::ApplicationView() {
    main_ = std::make_unique<main_2View>(Form2);
    View2 = main_.get();
    View3 = new AnalysisWindow(Form3, Chart3, View2);
    View1 = new AnalysisWindow(Form1, Chart1, View2);
    View4 = new AnalysisWindow(Form4, Chart4, View2);
    platform.RegisterWindow(Form3, *View3);
    platform.RegisterWindow(Form1, *View1);
    platform.RegisterWindow(Form4, *View4);
    QPointer<main_2View> start(View2);
    Form2.ObserveClose([start] {
        if (start) start->close();
    });
}

ApplicationView::~ApplicationView() = default;

void ApplicationView::Show() { View2->show(); }

}  // namespace optc::qt
