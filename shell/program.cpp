#include "shell/program.h"

#include "shell/all_windows.h"

#include <QCoreApplication>

namespace qx {

template <typename Window, typename... Args>
Window* Program::create(Args&&... args)
{
    auto window = std::make_unique<Window>(windows_, std::forward<Args>(args)...);
    auto* raw = window.get();
    owned_.push_back(std::move(window));
    return raw;
}

Program::Program(DialogService& dialogs, const ShellPaths& paths)
{
    windows_.dialogs = &dialogs;
    windows_.form1 = create<TForm1>();
    windows_.prjform = create<Tprjform>();
    windows_.settings = create<Tsettings>(paths);
    windows_.settings->start();
    windows_.cnuform = create<Tcnuform>();
    windows_.cnwform = create<Tcnwform>();
    windows_.cnpform = create<Tcnpform>();
    windows_.cnwhform = create<Tcnwhform>();
    windows_.cnbform = create<Tcnbform>();
    windows_.form2 = create<TForm2>();
    windows_.general = create<TGeneral>();

    auto* prj = windows_.prjform;
    prj->setLoader(1, windows_.cnuform);
    prj->setLoader(2, windows_.cnwform);
    prj->setLoader(3, windows_.cnpform);
    prj->setLoader(4, windows_.cnwhform);
    prj->setLoader(5, windows_.cnbform);
    for (std::uint8_t kind = 6; kind <= 18; ++kind)
        prj->setLoader(kind, windows_.general);
}

Program::~Program()
{
    while (!owned_.empty())
        owned_.pop_back();
}

ShellPaths Program::defaultPaths()
{
    return {settingsFilePath(), startupScratchPath(), toUtf8(QCoreApplication::applicationDirPath())};
}

}
