#include "shell/dialog_service.h"
#include "shell/main_window.h"
#include "shell/program.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>

namespace {

const char* const kUsage =
    "usage: qx [--help | --version]\n"
    "Starts the Quarvex editor. The directories it works with are chosen in its settings window.\n"
#ifdef _WIN32
    "Settings are kept in %APPDATA%\\Quarvex. A copy unpacked into a folder it cannot write\n"
    "keeps its working files in %LOCALAPPDATA%\\Quarvex.\n"
    "The user's guide: docs\\guide.html beside qx.exe; F1 in any window opens it.\n";
#else
    "Settings are kept in $XDG_CONFIG_HOME/quarvex (~/.config/quarvex). A copy installed in a\n"
    "folder it cannot write keeps its working files in $XDG_DATA_HOME/quarvex\n"
    "(~/.local/share/quarvex).\n"
    "The user's guide: /usr/share/doc/quarvex/guide.html; F1 in any window opens it.\n";
#endif

}

int main(int argc, char* argv[])
{
    // Answered before the window system is touched, so they work without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("qx %s\n", QX_VERSION);
        return 0;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Halvren Quarvex");
    QApplication::setApplicationVersion(QX_VERSION);
    QApplication::setQuitOnLastWindowClosed(false);
    qx::QtDialogService dialogs;
    std::unique_ptr<qx::Program> program;
    // A start that cannot make its folders says why instead of ending silently.
    try {
        program = std::make_unique<qx::Program>(dialogs, qx::Program::defaultPaths());
    } catch (const std::exception& failure) {
        dialogs.error(QString::fromStdString(failure.what()));
        return 1;
    }
    if (!program->started())
        return 1;
    program->windows().form1->show();
    return app.exec();
}
