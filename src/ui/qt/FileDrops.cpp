#include "ui/qt/FileDrops.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "ui/qt/Bindings.h"

namespace optc::qt {

namespace {

class FileDropFilter : public QObject {
public:
    FileDropFilter(QWidget& widget, std::function<void(const std::string&)> onFile)
        : QObject(&widget), onFile_(std::move(onFile)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* drag = static_cast<QDragMoveEvent*>(event);
                if (DroppedFile(*drag->mimeData()).empty()) {
                    drag->ignore();
                } else {
                    drag->setDropAction(Qt::CopyAction);
                    drag->accept();
                }
                return true;
            }
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                const std::string path = DroppedFile(*drop->mimeData());
                if (path.empty()) return false;
                drop->setDropAction(Qt::CopyAction);
                drop->accept();
                QTimer::singleShot(0, this, [this, path] { onFile_(path); });
                return true;
            }
            default:
                return false;
        }
    }

private:
    std::function<void(const std::string&)> onFile_;
};

}  // namespace

std::string DroppedFile(const QMimeData& mime) {
    if (!mime.hasUrls()) return {};
    const QList<QUrl> urls = mime.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
    return FromQString(urls.front().toLocalFile());
}

void AcceptFileDrops(QWidget& widget, std::function<void(const std::string&)> onFile) {
    widget.setAcceptDrops(true);
    widget.installEventFilter(new FileDropFilter(widget, std::move(onFile)));
}

}  // namespace optc::qt
