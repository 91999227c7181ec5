// Files dragged from another program onto the Thin Films and Bulk windows through the
// X server's drag-and-drop exchange: xdotool presses the mouse on a drag source in a
// second process, moves it over the target and lets go, as a user dragging a file from
// a file manager does. The drop imports the file as the window's import button would.
#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include <string>

#include "bulk/BulkData.h"
#include "bulk/Main_3.h"
#include "bulk/Main_3View.h"
#include "support/SourceTree.h"
#include "thinfilm/window/Main_1.h"
#include "thinfilm/window/Main_1View.h"
#include "ui/ScriptedPlatform.h"
#include "windowsystem/DragSource.h"

namespace optc::qt {
namespace {

using optc::testing::kExamples;

// Drags `path` from a source window at the top left of the screen onto `target`'s
// middle. True once `shown` names the file.
bool DragOnto(QWidget& target, const std::string& path, const StaticText& shown, const std::string& name) {
    QProcess source;
    source.start(QCoreApplication::applicationFilePath(),
                 {::optc::qt::testing::kDragSourceArgument, QString::fromStdString(path)});
    if (!source.waitForStarted(10000)) return false;
    EXPECT_TRUE(QTest::qWaitFor([&] { return source.canReadLine() || source.waitForReadyRead(10); }, 20000))
        << "the drag source never showed";
    const QPoint from(60, 60);
    const QPoint to = target.mapToGlobal(target.rect().center());
    const auto coords = [](QPoint p) { return QStringList{QString::number(p.x()), QString::number(p.y())}; };
    // Down on the source, a few steps towards the target (a drag starts only once the
    // pointer has moved), pauses for the drag-and-drop messages to go both ways, up.
    QStringList steps = QStringList{"mousemove", "--sync"} + coords(from) + QStringList{"mousedown", "1"};
    for (int i = 1; i <= 4; ++i) {
        const QPoint on = from + (to - from) * i / 4;
        steps += QStringList{"sleep", "0.2", "mousemove"} + coords(on);
    }
    steps += QStringList{"sleep", "0.2", "mousemove"} + coords(to + QPoint(3, 3));
    steps += QStringList{"sleep", "0.5", "mouseup", "1"};
    QProcess xdotool;
    xdotool.start("xdotool", steps);
    // The target answers the exchange from this event loop while xdotool runs.
    const bool imported =
        QTest::qWaitFor([&] { return shown.Text().find(name) != std::string::npos; }, 20000);
    // Done by now, unless it hangs.
    if (xdotool.state() != QProcess::NotRunning) {
        EXPECT_TRUE(xdotool.waitForFinished(20000));
    }
    EXPECT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().toStdString();
    EXPECT_TRUE(imported) << "shown: " << shown.Text();
    if (!source.waitForFinished(10000)) source.kill();
    return imported;
}

void Show(QWidget& window, QPoint at) {
    window.move(at);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
}

TEST(FileDropOnTheX11Server, ASpectrumDraggedFromAnotherProgramIsImported) {
    ScriptedPlatform platform;
    auto thin = ThinFilmData::Create();
    TForm1 form1(platform, *thin, [] { return UnitChoices{}; });
    TForm1View view1(form1);
    Show(view1, QPoint(200, 0));
    EXPECT_TRUE(DragOnto(view1, (kExamples / "thinfilm-transmission.txt").string(), form1.Fileshow1,
                         "thinfilm-transmission.txt"));
    EXPECT_EQ(thin->SpecCount, 801);
    view1.hide();

    auto bulk = BulkData::Create();
    TForm3 form3(platform, *bulk, [] { return UnitChoices{}; });
    TForm3View view3(form3);
    Show(view3, QPoint(200, 0));
    EXPECT_TRUE(DragOnto(view3, (kExamples / "bulk-transmission.txt").string(), form3.Fileshow1,
                         "bulk-transmission.txt"));
    EXPECT_GT(bulk->SpecCount, 0);
    EXPECT_TRUE(platform.errors.empty()) << platform.errors.front();
    EXPECT_TRUE(platform.openAnswers.empty());
}

}  // namespace
}  // namespace optc::qt
