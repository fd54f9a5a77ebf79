#pragma once

#include "shell/windows.h"

#include <QWidget>

namespace qx {

// What every object editor shares: the window frame and the list position
// of the entry it was loaded from (-1 for a new object).
class EditorWindow : public QWidget {
    Q_OBJECT
public:
    EditorWindow(Windows& windows, const QString& className, const QString& caption);

    int editedIndex = -1;

protected:
    Windows& windows_;
};

}
