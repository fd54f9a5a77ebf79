#pragma once

#include "editors/editor_window.h"

namespace qx {

class Tcnwhform : public EditorWindow {
    Q_OBJECT
public:
    explicit Tcnwhform(Windows& windows) : EditorWindow(windows, "Tcnwhform", "Create new warhead") {}
};

}
