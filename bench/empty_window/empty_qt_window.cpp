// The floor for the program's start-up: an empty Qt window of a given size,
// with nothing of ours in it; or, given a text, with only that text in it, to
// show what drawing any text at all costs.
//
// usage: empty_qt_window <width> <height> [text]

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <string>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quenlor"));
    window.setFixedSize(argc > 2 ? std::stoi(argv[1]) : 640, argc > 2 ? std::stoi(argv[2]) : 480);
    if (argc > 3) new QLabel(QString::fromUtf8(argv[3]), &window);
    window.show();
    return QApplication::exec();
}
