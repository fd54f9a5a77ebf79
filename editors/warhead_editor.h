#pragma once

#include "editors/editor_window.h"

namespace qx {

class EditorForm;

// The warhead editor: a stock warhead's damage against the five armour
// types, its explosion and death animation, spread and what it destroys.
class Tcnwhform : public EditorWindow {
    Q_OBJECT
public:
    explicit Tcnwhform(Windows& windows);

    void loadEntry(int position, const project::Entry& entry) override;

    void resetFields();
    void loadStock(const std::string& identifier);
    // "Add to Project".
    void save();

    EditorForm* form = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
};

}
