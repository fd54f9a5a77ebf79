#include "shell/settings_window.h"

#include "common/file_names.h"
#include "project/project_window.h"
#include "shell/accessibility.h"
#include "shell/dialog_service.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace qx {
namespace {

std::string chosenDirectory(DialogService& dialogs, const QString& title)
{
    auto chosen = toUtf8(dialogs.browseFolder(title));
    return directoryExists(chosen) ? chosen : std::string();
}

QString missingText(const std::vector<std::string>& missing)
{
    QStringList names;
    for (const auto& name : missing)
        names << fromUtf8(name);
    return "Some files couldn't be found: " + names.join(", ") + ".";
}

}

Tsettings::Tsettings(Windows& windows, const ShellPaths& paths)
    : windows_(windows)
    , paths_(paths)
{
    setObjectName("Tsettings");
    setWindowTitle("Settings");
    setWindowFlags(Qt::Tool | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    new QGridLayout(this);
    Edit1 = addGroup("Your Valkor Directory:", "Edit1", &Tsettings::browseGame);
    Edit2 = addGroup("Your Quarvex Directory", "Edit2", &Tsettings::browseProgram);
    Edit3 = addGroup("Your New Units Directory:", "Edit3", &Tsettings::browseUnits);
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelButton");
    int row = grid->rowCount();
    grid->addWidget(ok, row, 0);
    grid->addWidget(cancel, row, 1);
    connect(ok, &QPushButton::clicked, this, &Tsettings::accept);
    connect(cancel, &QPushButton::clicked, this, &Tsettings::reject);
}

bool Tsettings::start()
{
    state_ = readStartupState(paths_.settingsFile, paths_.startupScratch, paths_.defaultProgramDir);
    lock_ = WorkingDirLock::acquire(toPath(state_.workingDir));
    if (!lock_)
        return false;
    prepareDirectories(state_);
    showFields();
    runCommand(*windows_.dialogs, [&] { windows_.prjform->settleGame(state_.fields.game); });
    runCommand(*windows_.dialogs, [&] { windows_.prjform->startUp(lastCompiledPackage(state_.fields)); });
    return true;
}

QLineEdit* Tsettings::addGroup(const QString& label, const QString& name, void (Tsettings::*browse)())
{
    auto* grid = static_cast<QGridLayout*>(layout());
    int row = grid->rowCount();
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setMinimumWidth(320);
    field->setStyleSheet("QLineEdit { background: black; color: silver; }");
    auto* button = new QPushButton("Browse", this);
    button->setObjectName("Browse" + name);
    button->setAccessibleName("Browse for " + spokenCaption(label));
    grid->addWidget(labelFor(label, field), row, 0, 1, 2);
    grid->addWidget(field, row + 1, 0);
    grid->addWidget(button, row + 1, 1);
    connect(button, &QPushButton::clicked, this, [this, browse] { runCommand(*windows_.dialogs, [&] { (this->*browse)(); }); });
    return field;
}

std::string Tsettings::workingFile(const std::string& name) const
{
    return joinName(state_.workingDir, name);
}

void Tsettings::showFields()
{
    Edit1->setText(fromUtf8(state_.fields.game));
    Edit2->setText(fromUtf8(state_.fields.program));
    Edit3->setText(fromUtf8(state_.fields.units));
}

bool Tsettings::gate(const std::string& scratchName)
{
    auto result = passGate(paths_.settingsFile, state_, scratchName);
    showFields();
    if (result == GateResult::Refused) {
        windows_.dialogs->information("Please set the directories first!");
        showToFront(this);
    }
    return result == GateResult::Pass;
}

void Tsettings::browseGame()
{
    auto dir = chosenDirectory(*windows_.dialogs, "Please select your Valkor directory");
    if (dir.empty())
        return;
    auto missing = missingFiles(dir, {"vk95.exe", "valkor.mix", "game.dat", "vksetup.exe", "valkor.ini"});
    if (!missing.empty()) {
        windows_.dialogs->error(missingText(missing) + " Please select a valid Valkor Directory");
        return;
    }
    state_.fields.game = dir;
    showFields();
}

void Tsettings::browseProgram()
{
    auto dir = chosenDirectory(*windows_.dialogs, "Please select your Quarvex directory!");
    if (dir.empty())
        return;
    // The folder of the program, or a data folder Quarvex made for itself.
    auto missing = missingFiles(dir, {names::kProgramFile, names::kProgramReadme});
    bool dataFolder = missingFiles(dir, {names::kDataFolderMarker, names::kProgramReadme}).empty();
    if (!missing.empty() && !dataFolder) {
        windows_.dialogs->error(missingText(missing) + " Please select a valid Quarvex Directory");
        return;
    }
    state_.fields.program = dir;
    auto units = joinName(dir, "units");
    if (directoryExists(units) && state_.fields.units.empty())
        state_.fields.units = units;
    showFields();
}

void Tsettings::browseUnits()
{
    auto dir = chosenDirectory(*windows_.dialogs, "Please the directory where the units should be saved!");
    if (dir.empty())
        return;
    state_.fields.units = dir;
    showFields();
}

void Tsettings::accept()
{
    const auto& fields = state_.fields;
    if (fields.game.empty() || fields.program.empty() || fields.units.empty())
        return;
    hide();
    runCommand(*windows_.dialogs, [&] {
        if (directoryExists(fields.game))
            fs::current_path(toPath(fields.game));
        else
            windows_.dialogs->error(fromUtf8(fields.game));
        auto newWorkingDir = workingDirFor(fields.program);
        std::optional<WorkingDirLock> newLock;
        if (newWorkingDir != state_.workingDir) {
            newLock = WorkingDirLock::acquire(toPath(newWorkingDir));
            if (!newLock) {
                windows_.dialogs->error("Another Quarvex is running with this Quarvex directory.");
                return;
            }
        }
        writeSettings(paths_.settingsFile, fields);
        if (newLock) {
            moveWorkingDirectory(state_.workingDir, newWorkingDir, lock_);
            state_.workingDir = newWorkingDir;
            lock_ = std::move(newLock);
        }
        state_.directoriesSet = true;
    });
    QDialog::accept();
}

void Tsettings::reject()
{
    if (!state_.directoriesSet) {
        state_.fields = {};
        showFields();
    }
    QDialog::reject();
}

}
