// The yardstick for start-up: a Qt Widgets program that shows one empty window.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget w;
    w.resize(400, 300);
    w.show();
    return QApplication::exec();
}
