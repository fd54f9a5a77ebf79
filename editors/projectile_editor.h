#pragma once

#include "editors/editor_window.h"

namespace qx {

class Tcnpform : public EditorWindow {
    Q_OBJECT
public:
    explicit Tcnpform(Windows& windows) : EditorWindow(windows, "Tcnpform", "Create new projectile") {}
};

}
