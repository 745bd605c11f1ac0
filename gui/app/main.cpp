// mlcenter: the desktop control program.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Marlune Control Center");
    QMainWindow window;
    window.setWindowTitle("Marlune Control Center");
    window.show();
    return QApplication::exec();
}
