// The yardstick for the start-up benchmark: the least a Qt 6 desktop program
// shows, a main window with a menu bar and a status bar, and nothing else.
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("E&xit"), &app, &QApplication::quit);
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    window.resize(640, 480);
    window.show();
    return QApplication::exec();
}
