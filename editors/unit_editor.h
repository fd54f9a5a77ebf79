#pragma once

#include "editors/replacing_editor.h"

namespace qx {

// The unit editor: a unit's values, choices and abilities, its icon and
// image from a library, and the stock unit it replaces.
class Tcnuform : public ReplacingEditor {
    Q_OBJECT
public:
    explicit Tcnuform(Windows& windows);

    // Empties the fields, lists and boxes; the graphics and the tolerance stay.
    void resetFields() override;
    void loadStock(const std::string& identifier) override;
    // "Add to Project".
    void save();

    AnimationArea* imageArea = nullptr;

protected:
    void entryLoaded(const records::ObjectRecord& record) override;

private:
    void buildGroupedLoadMenu();
    void keepGroupsApart(bool infantryClicked);
    void enableGroups();
    bool mayBeSaved();
};

}
