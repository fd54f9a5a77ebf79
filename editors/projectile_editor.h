#pragma once

#include "editors/editor_window.h"

namespace qx {

class AnimationArea;
class EditorForm;

// The projectile editor: a stock projectile's arming delay, frames, rate of
// turn and eighteen properties, and a graphic from a library.
class Tcnpform : public EditorWindow {
    Q_OBJECT
public:
    explicit Tcnpform(Windows& windows);

    void loadEntry(int position, const project::Entry& entry) override;

    // The fields, the list and the boxes; the internal name and the graphic stay.
    void resetFields();
    void clearGraphic();
    void loadStock(const std::string& identifier);
    // "Add to Project".
    void save();

    EditorForm* form = nullptr;
    AnimationArea* preview = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool mayBeSaved();
};

}
