#pragma once

#include "general/groups.h"
#include "project/entry_loader.h"
#include "shell/windows.h"

#include <QWidget>

#include <vector>

class QPushButton;
class QTabWidget;

namespace qx {

// The game's general rules, one page per group, each stored as one group
// entry by its own "Add to Project" button. The pages and their fields are
// built from the groups' table.
class TGeneral : public QWidget, public EntryLoader {
    Q_OBJECT
public:
    explicit TGeneral(Windows& windows);

    // Shows a stored group on its page; storing it again adds a new entry.
    void loadEntry(int position, const project::Entry& entry) override;

    // "Add to Project" of a page.
    void store(EntryKind kind);
    void resetPage(EntryKind kind);
    // The widget of a group's field, found by its rules key or label, or
    // "section" for the section a group replaces.
    QWidget* field(EntryKind kind, std::string_view name) const;
    QPushButton* addButton(EntryKind kind) const;

    QTabWidget* pages = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Page {
        const general::Group* group;
        std::vector<QWidget*> widgets;  // one per field of the group
        QPushButton* add;
        int tab;
    };
    void buildPage(const general::Group& group);
    const Page& pageOf(EntryKind kind) const;
    bool numbersStorable(const Page& page);
    void fillDefaults(const Page& page);
    general::GroupRecord recordOf(const Page& page) const;

    Windows& windows_;
    std::vector<Page> pages_;
};

}
