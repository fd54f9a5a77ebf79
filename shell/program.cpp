#include "shell/program.h"

#include "shell/accessibility.h"
#include "shell/all_windows.h"
#include "shell/dialog_service.h"

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
    installAccessibility();
    uiState_ = std::make_unique<UiStateFile>(paths.settingsFile.parent_path() / "state.ini");
    windows_.uiState = uiState_.get();
    windows_.dialogs = &dialogs;
    windows_.form1 = create<TForm1>();
    windows_.prjform = create<Tprjform>();
    windows_.settings = create<Tsettings>(paths);
    started_ = windows_.settings->start();
    if (!started_)
        dialogs.error("Quarvex is already running.");
    dialogs.startIn(fromUtf8(windows_.settings->state().fields.units));
    windows_.cnuform = create<Tcnuform>();
    windows_.cnwform = create<Tcnwform>();
    windows_.cnpform = create<Tcnpform>();
    windows_.cnwhform = create<Tcnwhform>();
    windows_.cnbform = create<Tcnbform>();
    windows_.form2 = create<TForm2>();
    windows_.general = create<TGeneral>();
    windows_.rulesText = create<TRulesText>();

    auto* prj = windows_.prjform;
    prj->setLoader(EditedBy::Unit, windows_.cnuform);
    prj->setLoader(EditedBy::Weapon, windows_.cnwform);
    prj->setLoader(EditedBy::Projectile, windows_.cnpform);
    prj->setLoader(EditedBy::Warhead, windows_.cnwhform);
    prj->setLoader(EditedBy::Building, windows_.cnbform);
    prj->setLoader(EditedBy::General, windows_.general);
    prj->setLoader(EditedBy::RulesText, windows_.rulesText);
    places_ = std::make_unique<WindowPlaces>(*uiState_);
    for (QWidget* window : std::initializer_list<QWidget*>{windows_.prjform, windows_.settings, windows_.cnuform,
                                                          windows_.cnwform, windows_.cnpform, windows_.cnwhform,
                                                          windows_.cnbform, windows_.form2, windows_.general,
                                                          windows_.rulesText})
        places_->track(window);
}

Program::~Program()
{
    places_->keepAll();
    while (!owned_.empty())
        owned_.pop_back();
}

ShellPaths Program::defaultPaths()
{
    auto executableDir = toUtf8(QCoreApplication::applicationDirPath());
    return {settingsFilePath(), startupScratchPath(),
            defaultProgramDir(executableDir, isUsableProgramDir(executableDir)),
            toPath(executableDir)};
}

}
