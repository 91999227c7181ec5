#pragma once
// The windowed program: the application object with a Qt window for each form, and
// the platform services that show them. The start window is the main window; closing
// it ends the program.
#include <memory>
#include <string>

#include "app/Application.h"
#include "ui/qt/QtPlatform.h"

class QLocale;

namespace optc::qt {

class main_2View;
class TForm1View;
class TForm3View;
class TForm4View;

// The decimal separator of number texts under the given locale.
char LocaleDecimalSeparator(const QLocale& locale);

class ApplicationView {
public:
    ApplicationView();
    ~ApplicationView();

    // Shows the start window; the other windows stay hidden until shown modally.
    void Show();
    // A spectrum named on the command line: shows the Thin Films window (with bulk, the
    // Bulk window) as the start window's button does and, once it is up, imports the
    // file as its Import Spectrum (Import T Spectrum) would. Returns when it is closed.
    void OpenNamedFile(const std::string& path, bool bulk);

    QtPlatform platform;
    Application app{platform};

    // Owned by the start window's view (their parent), which this object owns.
    main_2View* View2 = nullptr;
    TForm3View* View3 = nullptr;
    TForm1View* View1 = nullptr;
    TForm4View* View4 = nullptr;

private:
    std::unique_ptr<main_2View> main_;
};

}  // namespace optc::qt
