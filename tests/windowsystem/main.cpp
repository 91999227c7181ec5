// Tests through a real X server: the test command runs this program under xvfb-run,
// which starts a virtual screen of its own, and xdotool presses the mouse buttons on it.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
