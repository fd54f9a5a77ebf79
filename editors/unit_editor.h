#pragma once

#include "editors/editor_window.h"

class QListWidget;
class QScrollBar;

namespace qx {

class AnimationArea;
class FilteredLineEdit;
class IconArea;

// The unit editor: a unit's values, choices and abilities, its icon and
// image from a library, and the stock unit it replaces.
class Tcnuform : public EditorWindow {
    Q_OBJECT
public:
    explicit Tcnuform(Windows& windows);

    // Empties the fields, lists and boxes; the graphics and the tolerance stay.
    void resetFields() override;
    // No icon, no image, tolerance 0.
    void clearGraphics() override;
    // A stock unit, selected in the replacement list when the list holds it.
    void loadStock(const std::string& identifier) override;
    // "Add to Project".
    void save();
    void rebuildReplacementList();
    // The small buttons beside the weapon fields.
    void openWeapon(bool primary);

    IconArea* iconArea = nullptr;
    AnimationArea* imageArea = nullptr;
    QScrollBar* toleranceBar = nullptr;
    QListWidget* replacementList = nullptr;
    QPushButton* ClearButton = nullptr;
    QPushButton* PrimaryWeaponButton = nullptr;
    QPushButton* SecondaryWeaponButton = nullptr;

protected:
    void loadGraphics(const records::ObjectRecord& record, ByteView data) override;
    void entryLoaded(const records::ObjectRecord& record) override;

private:
    void buildGraphicsPage();
    void buildButtons();
    void buildLoadMenu();
    void keepGroupsApart(bool infantryClicked);
    void enableGroups();
    void toleranceTyped();
    bool mayBeSaved();
    std::vector<Bytes> graphicsParts();
    FilteredLineEdit* tolerance() const;
};

}
