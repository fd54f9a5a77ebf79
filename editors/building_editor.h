#pragma once

#include "editors/replacing_editor.h"

namespace qx {

// The building editor: the unit editor's twin, with power, distance and
// storage, fourteen abilities, and an icon, an animation and an image.
class Tcnbform : public ReplacingEditor {
    Q_OBJECT
public:
    explicit Tcnbform(Windows& windows);

    // The fields, lists and boxes; the internal name, the graphics, the
    // tolerance and the list stay.
    void resetFields() override;
    // No graphics, no internal name, and no library to take them from.
    void clearGraphics() override;
    // A stock building's values; the edited entry stays the edited entry.
    void loadStock(const std::string& identifier) override;
    // "Add to Project".
    void save();

    AnimationArea* animationArea = nullptr;
    AnimationArea* imageArea = nullptr;

private:
    void placeBoxes();
    bool mayBeSaved();
};

}
