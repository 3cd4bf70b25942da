// The limit Listora's start-up is measured against: a whole Qt Widgets process that
// shows one 240×320 window with a widget that paints a line of text, and says so on
// standard error at its first paint (as Listora does with LISTORA_DEBUG set).
#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <cstdio>

namespace {

class PaintedWidget : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawText(10, 20, QStringLiteral("Bare window"));
        if (!m_painted) {
            m_painted = true;
            std::fputs("first paint\n", stderr);
            std::fflush(stderr);
        }
    }

private:
    bool m_painted = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PaintedWidget window;
    window.resize(240, 320);
    window.show();
    return app.exec();
}
