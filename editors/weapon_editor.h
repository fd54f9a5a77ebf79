#pragma once

#include "editors/editor_window.h"

namespace qx {

class EditorForm;

// The weapon editor: its pages and fields, which the unit editor's weapon
// buttons fill.
class Tcnwform : public EditorWindow {
    Q_OBJECT
public:
    explicit Tcnwform(Windows& windows);

    void resetFields();
    // Fills the fields with a stock weapon's values; the weapon itself
    // becomes the one to be replaced.
    void loadStock(const std::string& identifier);

    EditorForm* form = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
};

}
