// The program: the application object with its four windows, then Qt's event loop
// until the start window is closed.
#include <QApplication>
#include <QLocale>

#include "app/ApplicationView.h"
#include "numerics/FloatText.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Optical Constants");
    optc::SetDecimalSeparator(optc::qt::LocaleDecimalSeparator(QLocale::system()));
    optc::qt::ApplicationView application;
    application.Show();
    return app.exec();
}
