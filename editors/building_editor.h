#pragma once

#include "editors/editor_window.h"

namespace qx {

class Tcnbform : public EditorWindow {
    Q_OBJECT
public:
    explicit Tcnbform(Windows& windows) : EditorWindow(windows, EntryKind::Building, "Tcnbform", "Create new Building") {}
};

}
