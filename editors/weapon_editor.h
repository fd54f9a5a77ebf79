#pragma once

#include "editors/editor_window.h"

#include <functional>

namespace qx {

// The weapon editor: a stock weapon's damage, range, delay, speed, burst,
// abilities, projectile, warhead and sound.
class Tcnwform : public EditorWindow {
    Q_OBJECT
public:
    explicit Tcnwform(Windows& windows);

    // "Add to Project".
    void save();

    QPushButton* ProjectileButton = nullptr;
    QPushButton* WarheadButton = nullptr;

private:
    // The editor is looked up when the button is pressed: it is made after this one.
    QPushButton* pictureButton(const char* id, const QString& name, const QString& spoken,
                               std::function<EditorWindow*()> editor);
};

}
