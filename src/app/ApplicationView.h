#pragma once
// The application object: the four forms, created once in the order start, bulk, thin
// film, minima, their windows, and the platform services that show them. The start
// window is the main window; closing it ends the program.
#include <QDialog>
#include <memory>

#include "app/main_2.h"
#include "app/main_2View.h"
#include "ui/ChartModel.h"
#include "ui/Form.h"
#include "ui/qt/ChartWidget.h"
#include "ui/qt/QtPlatform.h"

class QLocale;

namespace optc::qt {

// The decimal separator of number texts under the given locale.
char LocaleDecimalSeparator(const QLocale& locale);

// A fixed-size 944 x 618 analysis window with its caption and chart, for a form whose
// own window is not laid out yet.
class AnalysisWindow : public QDialog {
    Q_OBJECT
public:
    AnalysisWindow(Form& form, ChartModel& chart, QWidget* parent);
    ChartWidget* Chart1;
};

class ApplicationView {
public:
    ApplicationView();
    ~ApplicationView();

    // Shows the start window; the other windows stay hidden until shown modally.
    void Show();

    QtPlatform platform;
    // The forms in their order of creation. The start window refers to the two
    // analysis windows created after it.
    TForm2 Form2{platform, Form3, Form1};
    Form Form3{platform, "Bulk"};
    Form Form1{platform, "Thin Films"};
    Form Form4{platform, "Minima determination"};

    ChartModel Chart3{""};
    ChartModel Chart1{""};
    ChartModel Chart4{""};

    // Owned by the start window's view (their parent), which this object owns.
    main_2View* View2 = nullptr;
    AnalysisWindow* View3 = nullptr;
    AnalysisWindow* View1 = nullptr;
    AnalysisWindow* View4 = nullptr;

private:
    std::unique_ptr<main_2View> main_;
};

}  // namespace optc::qt
