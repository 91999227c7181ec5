#pragma once
// Files dropped on a window from a file manager.
#include <functional>
#include <string>

class QMimeData;
class QWidget;

namespace optc::qt {

// The one local file a drag carries; empty when it carries none or several.
std::string DroppedFile(const QMimeData& mime);

// Lets `widget` take a drag of one local file; once dropped, `onFile` runs with its
// path after the drop has ended (so that a message box it shows does not hold up the
// program the file came from). A child that takes drops itself is asked first.
void AcceptFileDrops(QWidget& widget, std::function<void(const std::string&)> onFile);

}  // namespace optc::qt
