#include "windowsystem/DragSource.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace optc::qt::testing {
namespace {

class Source : public QWidget {
public:
    explicit Source(QString path) : path_(std::move(path)) {}

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* drag = new QDrag(this);
        auto* mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(path_)});
        drag->setMimeData(mime);
        drag->exec(Qt::CopyAction);
        // The target asks for the data after the drop, as a file manager would still
        // answer it: the source stays a moment.
        QTimer::singleShot(3000, qApp, &QCoreApplication::quit);
    }

private:
    QString path_;
};

}  // namespace

int RunDragSource(const char* path) {
    Source source(QString::fromLocal8Bit(path));
    source.setWindowFlag(Qt::FramelessWindowHint);
    source.setGeometry(0, 0, 120, 120);
    source.show();
    QTimer ready;
    ready.setInterval(10);
    QObject::connect(&ready, &QTimer::timeout, [&] {
        if (!source.windowHandle() || !source.windowHandle()->isExposed()) return;
        ready.stop();
        std::puts("ready");
        std::fflush(stdout);
    });
    ready.start();
    // Nothing ever pressed on the window: the test gave up, and so does the source.
    QTimer::singleShot(60000, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

}  // namespace optc::qt::testing
