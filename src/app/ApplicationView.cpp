#include "app/ApplicationView.h"

#include <QLocale>
#include <QPointer>

#include "app/main_2View.h"
#include "bulk/Main_3View.h"
#include "thinfilm/orders/FringeOrdersView.h"
#include "thinfilm/window/Main_1View.h"
#include "thinfilm/window/Main_4View.h"

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
    QPointer<main_2View> start(View2);
    app.Form2.ObserveClose([start] {
        if (start) start->close();
    });
}

ApplicationView::~ApplicationView() = default;

void ApplicationView::Show() { View2->show(); }

}  // namespace optc::qt
