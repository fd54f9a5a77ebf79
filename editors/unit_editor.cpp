#include "editors/unit_editor.h"

#include "common/cp1252.h"
#include "editors/filtered_line_edit.h"
#include "library/drop_targets.h"
#include "shell/dialog_service.h"
#include "stock/line_helpers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

namespace qx {
namespace {

using graphics::Graphic;

using objects::kInfantryBoxes;
using objects::kVehicleBoxes;

ReplacingFacts unitFacts()
{
    return {stock::CatalogueKind::Unit,
            Graphic::UnitIcon,
            "Icon Drag&&\nDrop Interface",
            {{Graphic::UnitImage, "imageArea", "Image\nDrag&&Drop Interface", "&Clear Image", true}},
            true};
}

template <typename Ids>
bool anyChecked(const EditorForm& form, const Ids& ids)
{
    return std::any_of(std::begin(ids), std::end(ids), [&](const char* id) { return form.box(id)->isChecked(); });
}

}

Tcnuform::Tcnuform(Windows& windows)
    : ReplacingEditor(windows, EntryKind::Unit, "Tcnuform", "Create new Unit", unitFacts())
{
    buildReplacing("Open a Valkor Library by clicking the Open VKL Button! \n"
                   "Select the images by dragging the graphic to this window!");
    imageArea = animationAreas.front();
    auto note = [this](int page, const QString& text) { form->grid(page)->addWidget(new QLabel(text), 0, 3, 4, 1); };
    note(0, "If nothing is\nentered, the default\nvalue / text will be used");
    note(1, "If nothing is entered,\nthe default value /\ntext will be used");
    buildGroupedLoadMenu();
    connect(form->field("name"), &QLineEdit::textChanged, this, [this] { edited.clear(); });
    for (const char* id : kInfantryBoxes)
        connect(form->box(id), &QCheckBox::clicked, this, [this] { keepGroupsApart(true); });
    for (const char* id : kVehicleBoxes)
        connect(form->box(id), &QCheckBox::clicked, this, [this] { keepGroupsApart(false); });
    connect(AddButton, &QPushButton::clicked, this, [this] { runCommand(*windows_.dialogs, [this] { save(); }); });
}

void Tcnuform::buildGroupedLoadMenu()
{
    for (const auto& group : stock::unitLoadMenu())
        addLoadEntries(loadMenu->addMenu(group.caption), group.entries);
}

void Tcnuform::resetFields()
{
    form->reset({"tolerance"});
    enableGroups();
    rebuildReplacementList();
}

void Tcnuform::loadStock(const std::string& identifier)
{
    ReplacingEditor::loadStock(identifier);
    enableGroups();
}

// Infantry abilities and vehicle abilities exclude each other.
void Tcnuform::keepGroupsApart(bool infantryClicked)
{
    if (infantryClicked && anyChecked(*form, kInfantryBoxes)) {
        for (const char* id : kVehicleBoxes)
            form->box(id)->setChecked(false);
        form->field("passengers")->clear();
    }
    if (!infantryClicked && anyChecked(*form, kVehicleBoxes)) {
        for (const char* id : kInfantryBoxes)
            form->box(id)->setChecked(false);
    }
    enableGroups();
}

void Tcnuform::enableGroups()
{
    bool infantry = anyChecked(*form, kInfantryBoxes);
    bool vehicle = anyChecked(*form, kVehicleBoxes);
    for (const char* id : kVehicleBoxes)
        form->box(id)->setEnabled(!infantry);
    form->field("passengers")->setEnabled(!infantry);
    form->label("passengers")->setEnabled(!infantry);
    for (const char* id : kInfantryBoxes)
        form->box(id)->setEnabled(!vehicle || infantry);
}

bool Tcnuform::mayBeSaved()
{
    auto& dialogs = *windows_.dialogs;
    bool noName = form->field("name")->text().isEmpty();
    bool noReplacement = replacementList->selectedItems().isEmpty();
    bool noInternalName = form->field("internalName")->text().isEmpty();
    bool icon = hasIcon();
    bool image = imageArea->hasFrames();
    bool graphics = icon ? image && !noInternalName : !image;
    if (noName || noReplacement || !graphics) {
        if (noReplacement)
            dialogs.information("Please select a unit to be replaced");
        if (noInternalName)
            dialogs.information("Please type in an internal name, that should be used by Valkor");
        if (noName)
            dialogs.information("Please type in the name of your unit!");
        if (icon != image)
            dialogs.information("Please give your unit both an icon and an image, or neither!");
        return false;
    }
    return nameIsStorable(form->field("name")->text()) && nameIsStorable(form->field("internalName")->text()) &&
           numbersAreStorable(*form);
}

void Tcnuform::save()
{
    if (!mayBeSaved())
        return;
    form->fillDefaults();
    if (form->box("tracked")->isEnabled() && form->field("passengers")->text().isEmpty())
        form->field("passengers")->setText("0");
    storeRecord(record(), hasIcon() ? graphicsParts() : std::vector<Bytes>{}, "Unit: ");
}

void Tcnuform::entryLoaded(const records::ObjectRecord& record)
{
    enableGroups();
    ReplacingEditor::entryLoaded(record);
}

}
