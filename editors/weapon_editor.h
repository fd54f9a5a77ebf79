#pragma once

#include "editors/editor_window.h"

namespace qx {

class EditorForm;

// The weapon editor: a stock weapon's damage, range, delay, speed, burst,
// abilities, projectile, warhead and sound.
class Tcnwform : public EditorWindow {
    Q_OBJECT
public:
    explicit Tcnwform(Windows& windows);

    void loadEntry(int position, const project::Entry& entry) override;

    void resetFields();
    // Fills the fields with a stock weapon's values; the weapon itself
    // becomes the one to be replaced.
    void loadStock(const std::string& identifier);
    // "Add to Project".
    void save();
    // The picture buttons beside the projectile and warhead fields.
    void openProjectile();
    void openWarhead();

    EditorForm* form = nullptr;
    QPushButton* ProjectileButton = nullptr;
    QPushButton* WarheadButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* pictureButton(const char* id, const QString& name, const QString& spoken);
};

}
