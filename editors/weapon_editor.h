#pragma once

#include "editors/editor_window.h"

namespace qx {

class Tcnwform : public EditorWindow {
    Q_OBJECT
public:
    explicit Tcnwform(Windows& windows) : EditorWindow(windows, "Tcnwform", "Create new Weapon") {}
};

}
