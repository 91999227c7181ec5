// The program: the application object with its four windows, then Qt's event loop
// until the start window is closed.
#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/ApplicationView.h"
#include "app/Version.h"
#include "bulk/Main_3View.h"
#include "numerics/FloatText.h"
#include "thinfilm/window/Main_1View.h"
#include "ui/qt/Bindings.h"
#include "ui/qt/ScrollingPanel.h"

int main(int argc, char** argv) {
    // Answered before Qt starts, so they work without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("optical-constants %s\n", optc::kProgramVersion);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf(
                "usage: optical-constants [--bulk] [FILE]\n"
                "Starts the windows of Optical Constants. With a FILE (as a file manager's \"Open with\"\n"
                "passes it), the Thin Films window opens with FILE imported as its spectrum.\n"
                "  --bulk     open the Bulk window instead, with FILE as its T spectrum\n"
                "  --version  print the version and exit\n"
                "  --help     print this text and exit\n");
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Optical Constants");
    QApplication::setApplicationVersion(optc::kProgramVersion);
    QApplication::setDesktopFileName("org.opticalconstants.OpticalConstants");
    optc::SetDecimalSeparator(optc::qt::LocaleDecimalSeparator(QLocale::system()));
    optc::qt::ApplicationView application;
    // On a screen too small for them, the two analysis windows open at its size and scroll.
    optc::qt::FitOnScreen(*application.View1);
    optc::qt::FitOnScreen(*application.View3);
    // A spectrum file named on the command line is imported into its window, which
    // opens once the event loop runs.
    bool bulk = false;
    QString named;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--bulk") == 0)
            bulk = true;
        else
            named = QString::fromLocal8Bit(argv[i]);
    }
    application.Show();
    if (!named.isEmpty()) {
        const std::string path = optc::qt::FromQString(QFileInfo(named).absoluteFilePath());
        QTimer::singleShot(0, [&application, path, bulk] { application.OpenNamedFile(path, bulk); });
    }
    return app.exec();
}
