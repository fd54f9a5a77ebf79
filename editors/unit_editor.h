#pragma once

#include "editors/editor_window.h"

namespace qx {

class Tcnuform : public EditorWindow {
    Q_OBJECT
public:
    explicit Tcnuform(Windows& windows) : EditorWindow(windows, "Tcnuform", "Create new Unit") {}
};

}
