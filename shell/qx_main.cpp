#include "shell/dialog_service.h"
#include "shell/main_window.h"
#include "shell/program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Halvren Quarvex");
    QApplication::setApplicationVersion("0.1");
    QApplication::setQuitOnLastWindowClosed(false);
    qx::QtDialogService dialogs;
    qx::Program program(dialogs, qx::Program::defaultPaths());
    program.windows().form1->show();
    return app.exec();
}
