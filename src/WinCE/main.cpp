// Listora's entry point. Until the application object lands, it opens the main
// window at the handheld's size.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Listora"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Listora"));
    window.resize(240, 320);
    window.show();
    return app.exec();
}
