#include "app/ApplicationView.h"

#include <QLocale>
#include <QPointer>
#include <QTimer>

#include "app/main_2View.h"
#include "bulk/Main_3View.h"
#include "thinfilm/fit/FullSpectrumFitView.h"
#include "thinfilm/orders/FringeOrdersView.h"
#include "thinfilm/window/Main_1View.h"
#include "thinfilm/window/Main_4View.h"
#include "ui/NamedFile.h"

namespace optc::qt {

char LocaleDecimalSeparator(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    // Number texts are single-byte: a separator outside ASCII falls back to '.'.
    if (point.size() == 1 && point[0].unicode() < 128) return static_cast<char>(point[0].unicode());
    return '.';
}

ApplicationView::ApplicationView() {
    main_ = std::make_unique<main_2View>(app.Form2);
    View2 = main_.get();
    View3 = new TForm3View(app.Form3, View2);
    View1 = new TForm1View(app.Form1, View2);
    View4 = new TForm4View(app.Form4, View1);
    auto* orders = new FringeOrdersView(app.Form1.Orders, View1);
    platform.RegisterWindow(app.Form3, *View3);
    platform.RegisterWindow(app.Form1, *View1);
    platform.RegisterWindow(app.Form4, *View4);
    platform.RegisterWindow(app.Form1.Orders, *orders);
    auto* fit = new FullSpectrumFitView(app.Form1.Fit, View1);
    platform.RegisterWindow(app.Form1.Fit, *fit);
    QPointer<main_2View> start(View2);
    app.Form2.ObserveClose([start] {
        if (start) start->close();
    });
}

ApplicationView::~ApplicationView() = default;

void ApplicationView::Show() { View2->show(); }

void ApplicationView::OpenNamedFile(const std::string& path, bool bulk) {
    Form& window = bulk ? static_cast<Form&>(app.Form3) : static_cast<Form&>(app.Form1);
    Button& import = bulk ? app.Form3.import1 : app.Form1.import1;
    // Runs inside the window's modal showing, so its messages appear over it.
    QTimer::singleShot(0, bulk ? static_cast<QWidget*>(View3) : static_cast<QWidget*>(View1),
                       [&window, &import, path] { ImportNamedFile(window, import, path); });
    Button& open = bulk ? app.Form2.Button1 : app.Form2.Button2;
    app.Form2.Dispatch([&open] { open.Click(); });
}

}  // namespace optc::qt
