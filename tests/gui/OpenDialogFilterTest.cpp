// The filter the imports give the open dialog, as Qt's dialog shows it: every spectrum
// format first and chosen, then each format alone, then all files.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <functional>
#include <memory>

#include "datafiles/ImportReading.h"
#include "ui/qt/QtPlatform.h"

namespace optc::qt {
namespace {

TEST(OpenDialog, OffersEverySpectrumFormatFirstThenEachThenAllFiles) {
    QtPlatform platform;
    QStringList shown;
    QString chosen;
    // The dialog runs its own loop: look at it once it is up, then cancel it.
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [&, poll] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            shown = dialog->nameFilters();
            chosen = dialog->selectedNameFilter();
            dialog->reject();
            *poll = nullptr;
        } else {
            QTimer::singleShot(5, *poll);
        }
    };
    QTimer::singleShot(0, *poll);

    EXPECT_FALSE(platform.OpenFileDialog(kSpectrumFilter));
    EXPECT_EQ(shown, QStringList({"Spectra (*.txt *.csv *.jdx *.dx *.jcamp)", "Text files (*.txt)", "CSV files (*.csv)",
                                  "JCAMP-DX files (*.jdx *.dx *.jcamp)", "All files (*)"}));
    EXPECT_EQ(chosen, "Spectra (*.txt *.csv *.jdx *.dx *.jcamp)");
}

}  // namespace
}  // namespace optc::qt
