// Program entry: creates the windows in order and runs the event loop until the main window closes.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Tamboro Pro v6.7");
    window.resize(539, 501);
    window.show();
    return app.exec();
}
