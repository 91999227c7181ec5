// Leaving the minima window through the X server: Escape pressed on the keyboard and
// Cancel clicked abandon the determination, a click on Ok takes the marks. xdotool acts
// once the modal window is mapped and exposed, as a user's keyboard and mouse would.
#include <QProcess>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/ModalRescue.h"
#include "thinfilm/window/Main_4.h"
#include "thinfilm/window/Main_4View.h"
#include "thinfilm/ThinFilmData.h"
#include "ui/ScriptedPlatform.h"
#include "ui/qt/ChartWidget.h"

namespace optc::qt {
namespace {

TEST(MinimaWindowOnTheX11Server, EscapeAndCancelAbandonTheDeterminationAndOkTakesTheMarks) {
    ScriptedPlatform platform;
    std::unique_ptr<ThinFilmData> data = ThinFilmData::Create();
    TForm4 minima(platform, *data);
    TForm4View view(minima);
    minima.Dispatch([&] {
        for (int w = 900; w >= 400; w -= 5) minima.Series1.AddXY(w, 70.0 + w / 50.0, clRed);
    });

    struct Exit {
        QWidget* target;
        QStringList xdotool;  // what is done with the pointer over the target
        bool cancelled;
    };
    for (const Exit& exit : {Exit{&view.Chart(), {"key", "Escape"}, true},
                             Exit{&view.Cancel(), {"click", "1"}, true},
                             Exit{&view.Ok(), {"click", "1"}, false}}) {
        SCOPED_TRACE(exit.xdotool.join(' ').toStdString());
        minima.BeginMarking();
        bool acted = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWindow* window = view.windowHandle();
            if (acted || !window || !window->isExposed()) return;
            acted = true;
            const QPoint at = exit.target->mapToGlobal(exit.target->rect().center());
            QProcess xdotool;
            xdotool.start("xdotool", QStringList{"mousemove", "--sync", QString::number(at.x()),
                                                 QString::number(at.y())} + exit.xdotool);
            EXPECT_TRUE(xdotool.waitForFinished(20000));
            EXPECT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().toStdString();
        });
        // A window the input never closes is closed here, and the test fails.
        testing::ModalRescue rescue(view);
        poll.start();
        rescue.Arm(60000);
        view.exec();
        poll.stop();
        rescue.Disarm();
        EXPECT_TRUE(acted);
        EXPECT_FALSE(rescue.Stuck());
        EXPECT_FALSE(view.isVisible());
        EXPECT_EQ(minima.Cancelled(), exit.cancelled);
    }
}

}  // namespace
}  // namespace optc::qt
