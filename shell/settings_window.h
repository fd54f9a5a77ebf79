#pragma once

#include "shell/instance_lock.h"
#include "shell/startup.h"
#include "shell/windows.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace qx {

// Where the shell keeps its files; tests point these into a scratch folder.
struct ShellPaths {
    fs::path settingsFile;
    fs::path startupScratch;
    std::string defaultProgramDir;
    // The folder of the editor's program, where F1 looks for the guide.
    fs::path executableDir;
};

// The three directories, the settings file and the directory gate.
class Tsettings : public QDialog {
    Q_OBJECT
public:
    Tsettings(Windows& windows, const ShellPaths& paths);

    // Reads the settings, takes the working directory and prepares it; run
    // once, right after the window is created. False, with nothing touched,
    // when another run holds the working directory.
    bool start();

    const ShellState& state() const { return state_; }
    std::string workingFile(const std::string& name) const;

    // True when the caller may go on; otherwise the user has been told.
    bool gate(const std::string& scratchName);

    void browseGame();
    void browseProgram();
    void browseUnits();
    void accept() override;
    void reject() override;

    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;

private:
    QLineEdit* addGroup(const QString& label, const QString& name, void (Tsettings::*browse)());
    void showFields();

    Windows& windows_;
    ShellPaths paths_;

public:
    const ShellPaths& paths() const { return paths_; }
    ShellState state_;
    std::optional<WorkingDirLock> lock_;
};

}
