// The floor of qx.exe's start under Wine: a program built with the same Qt
// that shows one window of the toolbar's size and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare Window");
    window.resize(1024, 72);
    window.show();
    return app.exec();
}
