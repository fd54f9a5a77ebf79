#pragma once

#include "editors/editor_window.h"

namespace qx {

// The warhead editor: a stock warhead's damage against the five armour
// types, its explosion and death animation, spread and what it destroys.
class Tcnwhform : public EditorWindow {
    Q_OBJECT
public:
    explicit Tcnwhform(Windows& windows);

    // "Add to Project".
    void save();
};

}
