#pragma once

#include "project/entry_loader.h"
#include "shell/windows.h"

#include <QWidget>

#include <map>
#include <vector>

class QListWidget;
class QPushButton;

namespace qx {

class EditorWindow;

// The open project as a list (line i belongs to entry i of the working
// file), with the project-level commands.
class Tprjform : public QWidget {
    Q_OBJECT
public:
    explicit Tprjform(Windows& windows);

    // Start-up: reopen the project last compiled into the game, or start an
    // empty one when there is none or it cannot be read.
    void openStartupProject(const std::string& package);

    void newProject();
    void openProject();
    void saveProject();
    void editEntry();
    void removeEntry();
    void compileProject();

    // Which window "Edit" hands the entries it edits to.
    void setLoader(EditedBy editor, EntryLoader* loader);

    // The line of an entry (Windows-1252 bytes) at the end of the list.
    void addLine(const std::string& line);
    // A save of an editor: the entry appended to the working file, its line
    // to the list, and the project window shown.
    void appendEntry(const project::NewEntry& entry, const std::string& line);
    // The entry at position removed from the working file and the list; the
    // editors' edited entries follow.
    void removeEntryAt(int position);

    QPushButton* NewQXP;
    QPushButton* OpenQXP;
    QPushButton* SaveQXP;
    QListWidget* ListBox1;
    QPushButton* EditQXP;
    QPushButton* RemoveQXP;
    QPushButton* compQXP;
    QListWidget* warnings;

private:
    QPushButton* addButton(const QString& caption, const QString& name, void (Tprjform::*command)());
    fs::path workingFile(const std::string& name) const;
    void startEmptyProject();
    void openPackageFile(const fs::path& package);
    void showLines(const std::vector<std::string>& lines);
    std::vector<EditorWindow*> objectEditors() const;
    void forgetEditedEntries();

    Windows& windows_;
    std::map<EditedBy, EntryLoader*> loaders_;
};

}
