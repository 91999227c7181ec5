// Tests through a real X server: the test command runs this program under xvfb-run,
// which starts a virtual screen of its own, and xdotool presses the mouse buttons on it.
#include <QApplication>
#include <gtest/gtest.h>

#include <cstring>

#include "windowsystem/DragSource.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    // Started again by a drag-and-drop test as the program a file is dragged from.
    if (argc == 3 && std::strcmp(argv[1], optc::qt::testing::kDragSourceArgument) == 0)
        return optc::qt::testing::RunDragSource(argv[2]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
