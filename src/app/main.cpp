// Placeholder program until the application shell lands: shows an empty start window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Optical Constants");
    window.resize(944, 618);
    window.show();
    return app.exec();
}
