#pragma once

#include "project/edited_entry.h"
#include "project/entry_loader.h"
#include "shell/windows.h"

#include <QWidget>

namespace qx {

// What every object editor shares: the window frame and the list position
// of the entry it was loaded from (-1 for a new object).
class EditorWindow : public QWidget, public EntryLoader {
    Q_OBJECT
public:
    EditorWindow(Windows& windows, const QString& className, const QString& caption);

    // Takes over the entry's position and shows the editor; the editors that
    // know their records fill their fields first.
    void loadEntry(int position, const project::Entry& entry) override;

    project::EditedEntry edited;

protected:
    Windows& windows_;
};

}
