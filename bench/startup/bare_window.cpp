// The floor for start-up time and memory: a bare Qt Widgets window of the editor's shape (a menu bar
// with four menus, a fixed 729 x 519 client area, a status bar) and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    for (const char* title : {"&File", "&Edit", "&Image", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(title));
    auto* client = new QWidget;
    client->setFixedSize(729, 519 - 21);
    window.setCentralWidget(client);
    window.statusBar()->showMessage(QString());
    window.setWindowTitle(QStringLiteral(" Bare"));
    window.show();
    return app.exec();
}
