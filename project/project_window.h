#pragma once

#include "project/edited_entry.h"
#include "project/entry_loader.h"
#include "shell/windows.h"

#include <QWidget>

#include <map>
#include <optional>
#include <vector>

class QAction;
class QListWidget;
class QMenu;
class QPushButton;
class QToolButton;

namespace qx {

class EditorWindow;
class Timportform;
class Tpreviewform;

// The open project as a list (line i belongs to entry i of the working
// file), with the project-level commands.
class Tprjform : public QWidget {
    Q_OBJECT
public:
    explicit Tprjform(Windows& windows);

    // Start-up: offer the project a crashed run left; otherwise reopen the
    // project last compiled into the game, or start an empty one when there
    // is none or it cannot be read.
    void startUp(const std::optional<std::string>& lastCompiled);
    // Finishes a compile's install that a kill interrupted, before the
    // compiled project is read, and lists what the game now holds.
    void settleGame(const std::string& gameDir);
    void openStartupProject(const std::string& package);

    void newProject();
    void openProject();
    // Saves to the project's own package, or asks for one as Save As does;
    // false when the user cancelled the file dialog.
    bool saveProject();
    bool saveProjectAs();
    // The package the project was opened from or saved to; empty for a new
    // or imported project.
    const std::string& packagePath() const { return packagePath_; }
    void editEntry();
    void removeEntry();
    void compileProject();
    // Shows what a compile would do, writing nothing.
    void previewProject();
    void restoreGame();
    void exportText();
    // The project a folder's project.ini describes becomes the open one.
    void importText();
    // The project the editors would make of a hand-edited rules.ini
    // becomes the open one; what no entry carries is shown.
    void importRules();
    // The rules file becomes the open project, as importRules does.
    void importRulesFrom(const QString& source);

    // Entries were added, replaced or removed since the project was started,
    // opened, saved or compiled into the game.
    bool hasUnsavedChanges() const { return unsaved_; }
    // Asks whether to save unsaved changes first; true when the caller may
    // go on (saved or discarded), false when the user cancelled.
    bool settleUnsavedChanges(const QString& question);

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

    // An editor's save as one step that can be undone: the entry at replaced
    // (none with EditedEntry::kNone) removed, the new one appended; returns
    // the new entry's position.
    int storeEntry(const project::NewEntry& entry, const std::string& line,
                   int replaced = project::EditedEntry::kNone);

    // Undo and redo of Remove, Add (an editor's save) and the imports, as
    // many steps as the run made; New and Open start a new history.
    void undo();
    void redo();
    QAction* undoAction;
    QAction* redoAction;

    QPushButton* NewQXP;
    QPushButton* OpenQXP;
    QPushButton* SaveQXP;
    QPushButton* SaveAsQXP;
    QToolButton* RecentQXP;
    QMenu* RecentMenu;
    QListWidget* ListBox1;
    QPushButton* EditQXP;
    QPushButton* RemoveQXP;
    QPushButton* compQXP;
    QPushButton* PreviewQXP;
    QPushButton* RestoreGame;
    QPushButton* ImportExport;
    QMenu* ImportExportMenu;
    QListWidget* warnings;
    Tpreviewform* preview = nullptr;
    Timportform* importReport = nullptr;

protected:
    // A package from a file manager opens as Open does; a rules.ini is
    // imported as "Import rules.ini..." does.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    template <typename Command>
    QPushButton* addButton(const QString& caption, const QString& name, Command command);
    template <typename Command>
    void addMenuCommand(const QString& caption, Command command);
    void addImportExportMenu();
    // Throws for a game directory that is gone; false when the settings
    // send the user to the settings window.
    bool gameDirReady();
    bool restoreCrashedProject();
    fs::path workingFile(const std::string& name) const;
    void startEmptyProject();
    // A checked working file in memory becomes the open project, unsaved.
    void openImported(ByteView plain);
    void openPackageFile(const fs::path& package);
    void showLines(const std::vector<std::string>& lines);
    std::vector<project::EditedEntry*> editedEntries() const;
    void forgetEditedEntries();
    void setUnsaved(bool unsaved);
    // The project now belongs to this package (empty: to none).
    void setPackage(const std::string& path);
    void showName();
    void addRecentMenu();
    void fillRecentMenu();
    void openRecent(const std::string& path);
    struct UndoStep {
        fs::path file;  // the working file as it was
        QStringList lines;
        bool unsaved;
        std::string package;
        int select;
    };
    // Called before a change that can be undone; select is the row chosen
    // when the step is undone.
    void rememberForUndo(int select);
    UndoStep snapshot(int select);
    void restore(const UndoStep& step);
    void forgetHistory();
    void stepBack(std::vector<UndoStep>& from, std::vector<UndoStep>& to);
    void showHistory();

    Windows& windows_;
    std::map<EditedBy, EntryLoader*> loaders_;
    bool unsaved_ = false;
    std::string packagePath_;
    std::vector<UndoStep> undo_;
    std::vector<UndoStep> redo_;
    int snapshots_ = 0;
};

}
