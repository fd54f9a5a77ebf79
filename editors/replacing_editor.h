#pragma once

#include "editors/editor_window.h"
#include "editors/graphics.h"
#include "stock/catalogue.h"

#include <vector>

class QLabel;
class QListWidget;
class QScrollBar;

namespace qx {

class AnimationArea;
class FilteredLineEdit;
class IconArea;

// What tells the editors of objects that replace a stock unit or building
// apart, besides their tables.
struct ReplacingFacts {
    struct Animation {
        graphics::Graphic graphic;
        const char* name;          // the area's object name
        const char* caption;
        const char* clearCaption;  // its context menu's entry
        bool drivesList;           // its frame count chooses the stock objects on offer
    };
    stock::CatalogueKind catalogue;
    graphics::Graphic icon;
    const char* iconCaption;
    std::vector<Animation> animations;
    // Choice menus of empty fields open with nothing ticked, and the
    // torpedo tube cannot be clicked.
    bool unitChoices;
};

// An editor of objects that take the place of a stock unit or building:
// an icon and animations dropped from libraries, the frame tolerance, the
// list of stock objects on offer, and the weapon and prerequisite buttons.
class ReplacingEditor : public EditorWindow {
    Q_OBJECT
public:
    ReplacingEditor(Windows& windows, EntryKind kind, const QString& className, const QString& caption,
                    ReplacingFacts facts);

    // No icon, no animations, tolerance 0.
    void clearGraphics() override;
    // The stock object, selected in the list when the list offers it.
    void loadStock(const std::string& identifier) override;
    void rebuildReplacementList();
    // The small buttons beside the weapon fields.
    void openWeapon(bool primary);

    IconArea* iconArea = nullptr;
    std::vector<AnimationArea*> animationAreas;
    QScrollBar* toleranceBar = nullptr;
    QListWidget* replacementList = nullptr;
    // The frame counts of the dropped animation and of the chosen object,
    // or why the chosen object no longer fits.
    QLabel* fitLabel = nullptr;
    QPushButton* ClearButton = nullptr;
    QPushButton* PrimaryWeaponButton = nullptr;
    QPushButton* SecondaryWeaponButton = nullptr;

protected:
    void loadGraphics(const records::ObjectRecord& record, ByteView data) override;
    void entryLoaded(const records::ObjectRecord& record) override;

    // The pages, then the buttons and the graphics page.
    void buildReplacing(const QString& graphicsNote);
    AnimationArea* listArea() const;
    bool hasIcon() const;
    bool allAnimations() const;
    bool anyAnimation() const;
    // The record's values from the window, its graphics parts brought from
    // their libraries (or the working directory after an edit).
    records::ObjectRecord record();
    std::vector<Bytes> graphicsParts();
    void storeRecord(records::ObjectRecord record, std::vector<Bytes> parts, const char* listPrefix);
    FilteredLineEdit* tolerance() const;

    ReplacingFacts facts_;

private:
    void buildButtons();
    void buildGraphicsPage(const QString& note);
    void buildTolerance();
    AnimationArea* addAnimation(const ReplacingFacts::Animation& animation);
    int animationFrames() const;
    // The frame count of a stock object of the list; 0 for another text.
    int catalogueFrames(const QString& text) const;
    // The frame counts, or why the object chosen before (lost) no longer fits.
    void showFit(const QString& lost);

    QString chosenObject_;
};

}
