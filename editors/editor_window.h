#pragma once

#include "editors/editor_form.h"
#include "project/edited_entry.h"
#include "project/entry_loader.h"
#include "shell/windows.h"
#include "stock/menus.h"

#include <QWidget>

#include <memory>

class QMenu;
class QPushButton;
class QTabWidget;

namespace qx {


// What every object editor shares: the window with its pages and the buttons
// "Add to Project" and "Load" below them, the Load menu, the list position
// of the entry it was loaded from (none for a new object), and the steps of
// a save.
class EditorWindow : public QWidget, public EntryLoader {
    Q_OBJECT
public:
    EditorWindow(Windows& windows, EntryKind kind, const QString& className, const QString& caption);

    // Edit from the project window: the window emptied, then filled from the
    // entry's record (and its graphics), the entry's position taken over.
    void loadEntry(int position, const project::Entry& entry) override;

    // Empties the fields; each editor keeps what its own reset keeps.
    virtual void resetFields();
    // No graphics.
    virtual void clearGraphics() {}
    // What an entry of the Load menu does: the window filled with a stock
    // object's values, as a new object.
    virtual void loadStock(const std::string& identifier);

    project::EditedEntry edited;
    std::unique_ptr<EditorForm> form;
    QTabWidget* pages = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* LoadButton = nullptr;
    QMenu* loadMenu = nullptr;

protected:
    // The pages, built from the kind's table, and the two buttons.
    void buildFrame(const EditorForm::ChoiceOptions& options = {});
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Closing empties the window.
    void closeEvent(QCloseEvent* event) override;
    // An edit's graphics, before the fields are filled, and what an editor
    // shows once they are.
    virtual void loadGraphics(const records::ObjectRecord&, ByteView) {}
    virtual void entryLoaded(const records::ObjectRecord&) {}
    // Opens another editor loaded with the stock object named in a field.
    void openStock(const char* fieldId, EditorWindow* editor, bool showField);
    // The Load menu: the list's stock objects at once, but the one skipped.
    void buildLoadMenu(stock::Menu objects, const std::string& skipped = {});
    // One entry per stock object of the list, each loading it.
    void addLoadEntries(QMenu* menu, stock::Menu objects, const std::string& skipped = {});

    // A name the project can store (Windows-1252); otherwise the user is told.
    bool nameIsStorable(const QString& name);
    // One error box per number field that cannot be stored, in window order.
    bool numbersAreStorable(const EditorForm& form);
    // Whether every line the entry compiles to is read by the game as
    // meant; otherwise the user is told which field and how long it may be.
    bool readByTheGame(const project::NewEntry& entry);
    // The replace-on-save: the entry is refused when the game would not read
    // its lines; the edited entry (if any) is removed, the new one
    // appended with its list line, the project window shown; the window is
    // disabled meanwhile. The edited entry then stands last.
    void store(const project::NewEntry& entry, const std::string& listLine);
    fs::path workingFile(const char* name) const;
    // "Create new Unit", or "Edit Unit - NAME" while the window edits an
    // entry of the project.
    void showCaption();

    Windows& windows_;
    QString createCaption_;
    std::string editedName_;
    EntryKind kind_;
};

}
