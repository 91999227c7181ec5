#include "app/batch/PdfReportRenderer.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <memory>
#include <string>

#include "ui/qt/ReportPdf.h"

namespace optc {

ReportRenderer PdfReportRenderer(char* program) {
    struct Application {
        int argc = 1;
        char* argv[2] = {nullptr, nullptr};
        std::unique_ptr<QApplication> qt;
    };
    auto app = std::make_shared<Application>();
    app->argv[0] = program;
    return {[app] {
                if (app->qt) return;
                // Nothing is shown: no display is needed.
                if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
                // Qt takes the environment's locale; numbers are read and written as
                // before, whatever it is.
                // Qt's notes on its own set-up (a missing runtime folder...) are no
                // business of a batch run's standard error; its errors are.
                qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
                    if (type == QtCriticalMsg || type == QtFatalMsg)
                        std::fprintf(stderr, "optical-constants-batch: Qt: %s\n", text.toLocal8Bit().constData());
                });
                const std::string locale = std::setlocale(LC_ALL, nullptr);
                app->qt = std::make_unique<QApplication>(app->argc, app->argv);
                std::setlocale(LC_ALL, locale.c_str());
            },
            [](const Report& report, const std::string& path) { qt::WriteReportPdf(report, path); }};
}

}  // namespace optc
