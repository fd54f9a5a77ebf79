#pragma once

#include "editors/editor_window.h"

namespace qx {

class AnimationArea;

// The projectile editor: a stock projectile's arming delay, frames, rate of
// turn and eighteen properties, and a graphic from a library.
class Tcnpform : public EditorWindow {
    Q_OBJECT
public:
    explicit Tcnpform(Windows& windows);

    // The fields, the list and the boxes; the internal name and the graphic stay.
    void resetFields() override;
    void clearGraphics() override;
    // "Add to Project".
    void save();

    AnimationArea* preview = nullptr;

protected:
    void loadGraphics(const records::ObjectRecord& record, ByteView data) override;
    void entryLoaded(const records::ObjectRecord& record) override;

private:
    bool mayBeSaved();
};

}
