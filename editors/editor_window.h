#pragma once

#include "project/edited_entry.h"
#include "project/entry_loader.h"
#include "shell/windows.h"
#include "stock/menus.h"

#include <QWidget>

class QMenu;
class QPushButton;
class QTabWidget;

namespace qx {

class EditorForm;

// What every object editor shares: the window with its pages and the buttons
// "Add to Project" and "Load" below them, the Load menu, the list position
// of the entry it was loaded from (none for a new object), and the steps of
// a save.
class EditorWindow : public QWidget, public EntryLoader {
    Q_OBJECT
public:
    EditorWindow(Windows& windows, const QString& className, const QString& caption);

    // Takes over the entry's position and shows the editor; the editors that
    // know their records fill their fields first.
    void loadEntry(int position, const project::Entry& entry) override;

    project::EditedEntry edited;
    QTabWidget* pages = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* LoadButton = nullptr;
    QMenu* loadMenu = nullptr;

protected:
    // The pages and the two buttons; the editors whose pages are built call it.
    void buildFrame();
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The Load menu's one entry "&Load": a submenu of the stock objects of
    // the list whose identifiers can be loaded.
    void buildLoadMenu(stock::Menu objects, const std::function<void(const std::string&)>& load,
                       const std::string& skipped = {});

    // A name the project can store (Windows-1252); otherwise the user is told.
    bool nameIsStorable(const QString& name);
    // One error box per number field that cannot be stored, in window order.
    bool numbersAreStorable(const EditorForm& form);
    // The replace-on-save: the edited entry (if any) is removed, the new one
    // appended with its list line, the project window shown; the window is
    // disabled meanwhile. The edited entry then stands last.
    void store(const project::NewEntry& entry, const std::string& listLine);
    fs::path workingFile(const char* name) const;

    Windows& windows_;
};

}
