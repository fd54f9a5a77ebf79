#include "editors/building_editor.h"

#include "editors/filtered_line_edit.h"
#include "library/drop_targets.h"
#include "shell/dialog_service.h"
#include "shell/main_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace qx {
namespace {

using graphics::Graphic;

ReplacingFacts buildingFacts()
{
    return {stock::CatalogueKind::Building,
            Graphic::BuildingIcon,
            "Icon  Drag && Drop\n-------Interface-------",
            {{Graphic::BuildingAnimation, "animationArea", "Image Drag && Drop Interface\nBuilding Animation",
              "&Clear Building Animation", false},
             {Graphic::BuildingImage, "imageArea", "Building Image", "&Clear Building Image", true}},
            false};
}

}

Tcnbform::Tcnbform(Windows& windows)
    : ReplacingEditor(windows, EntryKind::Building, "Tcnbform", "Create new Building", buildingFacts())
{
    buildReplacing("Open a Valkor Library by clicking the Open VKL Button! \n"
                   "Select the images by dragging the graphic to this window!");
    animationArea = animationAreas[0];
    imageArea = animationAreas[1];
    placeBoxes();
    for (int page : {0, 1})
        form->grid(page)->addWidget(new QLabel("If nothing is entered, \nthe default value / \ntext will be used"), 0, 3, 4, 1);
    buildLoadMenu(stock::prerequisiteList());
    connect(AddButton, &QPushButton::clicked, this, [this] { runCommand(*windows_.dialogs, [this] { save(); }); });
}

// Boxes 1 to 7 on the left; on the right 8, 10 to 14, then 9.
void Tcnbform::placeBoxes()
{
    const char* const left[] = {"cloakable", "explodes", "invisible", "selfHealing", "sensors", "doubleOwned", "powered"};
    const char* const right[] = {"repairable", "unsellable", "waterBuilding", "dirt", "capturable", "crewed",
                                 "checkForBuildings"};
    auto* grid = form->grid(2);
    for (int row = 0; row < 7; ++row) {
        grid->addWidget(form->box(left[row]), row, 0);
        grid->addWidget(form->box(right[row]), row, 1);
    }
}

void Tcnbform::resetFields()
{
    form->reset({"internalName", "tolerance"});
}

void Tcnbform::clearGraphics()
{
    ReplacingEditor::clearGraphics();
    form->field("internalName")->clear();
    for (auto graphic : {Graphic::BuildingIcon, Graphic::BuildingAnimation, Graphic::BuildingImage})
        windows_.form1->graphicSource(graphic) = {};
}

void Tcnbform::loadStock(const std::string& identifier)
{
    auto kept = edited;
    ReplacingEditor::loadStock(identifier);
    edited = kept;
}

bool Tcnbform::mayBeSaved()
{
    auto& dialogs = *windows_.dialogs;
    bool noName = form->field("name")->text().isEmpty();
    bool noReplacement = replacementList->selectedItems().isEmpty();
    bool noInternalName = form->field("internalName")->text().isEmpty();
    bool all = hasIcon() && allAnimations();
    bool none = !hasIcon() && !anyAnimation();
    if (noName || noReplacement || !(none || (all && !noInternalName))) {
        if (noName)
            dialogs.error("Please type in the name of your building!");
        if (!animationArea->hasFrames())
            dialogs.error("Please add a building animation!");
        if (noInternalName)
            dialogs.error("Please type in an internal name, that should be used by Valkor");
        if (noReplacement)
            dialogs.error("Please select a building to be replaced");
        if (!all && !none)
            dialogs.error("Please give your building an icon, an animation and an image, or none of them!");
        return false;
    }
    return nameIsStorable(form->field("name")->text()) && nameIsStorable(form->field("internalName")->text()) &&
           numbersAreStorable(*form);
}

void Tcnbform::save()
{
    if (!mayBeSaved())
        return;
    form->fillDefaults();
    bool graphics = hasIcon() && allAnimations();
    storeRecord(record(), graphics ? graphicsParts() : std::vector<Bytes>{}, "Building: ");
}

}
