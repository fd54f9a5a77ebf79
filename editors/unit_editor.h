#pragma once

#include "editors/editor_window.h"

class QListWidget;
class QScrollBar;

namespace qx {

class AnimationArea;
class EditorForm;
class FilteredLineEdit;
class IconArea;

// The unit editor: a unit's values, choices and abilities, its icon and
// image from a library, and the stock unit it replaces.
class Tcnuform : public EditorWindow {
    Q_OBJECT
public:
    explicit Tcnuform(Windows& windows);

    void loadEntry(int position, const project::Entry& entry) override;

    // Empties the fields, lists and boxes; the graphics and the tolerance stay.
    void resetFields();
    // No icon, no image, tolerance 0.
    void clearGraphics();
    // What an entry of the Load menu does.
    void loadStock(const std::string& identifier);
    // "Add to Project".
    void save();
    void rebuildReplacementList();
    // The small buttons beside the weapon fields.
    void openWeapon(bool primary);

    EditorForm* form = nullptr;
    IconArea* iconArea = nullptr;
    AnimationArea* imageArea = nullptr;
    QScrollBar* toleranceBar = nullptr;
    QListWidget* replacementList = nullptr;
    QPushButton* ClearButton = nullptr;
    QPushButton* PrimaryWeaponButton = nullptr;
    QPushButton* SecondaryWeaponButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

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
