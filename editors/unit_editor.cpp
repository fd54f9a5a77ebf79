#include "editors/unit_editor.h"

#include "common/cp1252.h"
#include "common/file_names.h"
#include "common/text.h"
#include "common/save_file.h"
#include "editors/editor_form.h"
#include "editors/filtered_line_edit.h"
#include "editors/weapon_editor.h"
#include "library/component_stream.h"
#include "library/drop_targets.h"
#include "library/library_browser.h"
#include "shell/accessibility.h"
#include "shell/dialog_service.h"
#include "shell/main_window.h"
#include "shell/settings_window.h"
#include "stock/catalogue.h"
#include "stock/line_helpers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

namespace qx {
namespace {

using graphics::Graphic;

constexpr int kMaxTolerance = 300;
const char* const kInfantryBoxes[] = {"c4", "panic", "infiltrate", "dogLogic"};
const char* const kVehicleBoxes[] = {"noMovingFire", "tracked"};

// The entries a click cannot choose: the torpedo tube is no unit's weapon
// but may come from a stock unit or an edit.
ChoiceField::Options unitChoiceOptions(const objects::Field& field)
{
    ChoiceField::Options options;
    const std::string id = field.id;
    options.untickWhenEmpty = id == "owner" || id == "armour" || id == "primary" || id == "secondary" ||
                              id == "prerequisites";
    if (id == "primary" || id == "secondary")
        options.unclickable = ChoiceField::positionsOf(field.menu(), "TorpTube");
    return options;
}

}

Tcnuform::Tcnuform(Windows& windows)
    : EditorWindow(windows, EntryKind::Unit, "Tcnuform", "Create new Unit")
{
    setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildFrame(unitChoiceOptions);
    buildButtons();
    auto note = [this](int page, const QString& text) { form->grid(page)->addWidget(new QLabel(text), 0, 3, 4, 1); };
    note(0, "If nothing is\nentered, the default\nvalue / text will be used");
    note(1, "If nothing is entered,\nthe default value /\ntext will be used");
    buildGraphicsPage();
    buildLoadMenu();
    connect(form->field("name"), &QLineEdit::textChanged, this, [this] { edited.clear(); });
    for (const char* id : kInfantryBoxes)
        connect(form->box(id), &QCheckBox::clicked, this, [this] { keepGroupsApart(true); });
    for (const char* id : kVehicleBoxes)
        connect(form->box(id), &QCheckBox::clicked, this, [this] { keepGroupsApart(false); });
    connect(AddButton, &QPushButton::clicked, this, [this] { runCommand(*windows_.dialogs, [this] { save(); }); });
    rebuildReplacementList();
    resize(560, 480);
}

FilteredLineEdit* Tcnuform::tolerance() const
{
    return form->field("tolerance");
}

void Tcnuform::buildButtons()
{
    ClearButton = new QPushButton("Clear", this);
    ClearButton->setObjectName("ClearButton");
    ClearButton->setAccessibleName("Clear the prerequisites");
    form->grid(1)->addWidget(ClearButton, form->rowOf("prerequisites"), 2);
    connect(ClearButton, &QPushButton::clicked, this, [this] { form->choice("prerequisites")->reset(); });
    auto weaponButton = [this](const char* id, const QString& name, bool primary) {
        auto* button = new QPushButton("...", this);
        button->setObjectName(name);
        button->setAccessibleName(primary ? "Open the primary weapon" : "Open the secondary weapon");
        button->setMaximumWidth(32);
        form->grid(0)->addWidget(button, form->rowOf(id), 2);
        connect(button, &QPushButton::clicked, this, [this, primary] {
            runCommand(*windows_.dialogs, [this, primary] { openWeapon(primary); });
        });
        return button;
    };
    PrimaryWeaponButton = weaponButton("primary", "PrimaryWeaponButton", true);
    SecondaryWeaponButton = weaponButton("secondary", "SecondaryWeaponButton", false);
}

void Tcnuform::buildGraphicsPage()
{
    auto* grid = form->grid(3);
    int row = grid->rowCount();
    auto dragging = [this] { return windows_.form2 && windows_.form2->animationDragging(); };
    grid->addWidget(new QLabel("Open a Valkor Library by clicking the Open VKL Button! \n"
                               "Select the images by dragging the graphic to this window!"),
                    row++, 0, 1, 3);
    iconArea = new IconArea(dragging, this);
    iconArea->setObjectName("iconArea");
    iconArea->setMinimumSize(64, 48);
    iconArea->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* clearIcon = new QAction("&Clear Icon", iconArea);
    iconArea->addAction(clearIcon);
    connect(clearIcon, &QAction::triggered, this, [this] { iconArea->setPicture({}); });
    iconArea->dropped = [this](const library::IconDrag& drag) {
        windows_.form1->graphicSource(Graphic::UnitIcon) = {drag.libraryPath, drag.imageNumber};
    };
    imageArea = new AnimationArea(dragging, this);
    imageArea->setObjectName("imageArea");
    imageArea->setMinimumSize(96, 96);
    imageArea->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* clearImage = new QAction("&Clear Image", imageArea);
    imageArea->addAction(clearImage);
    connect(clearImage, &QAction::triggered, this, [this] {
        imageArea->clear();
        rebuildReplacementList();
    });
    imageArea->dropped = [this](const library::AnimationDrag& drag) {
        windows_.form1->graphicSource(Graphic::UnitImage) = {drag.libraryPath, drag.imageNumber};
        rebuildReplacementList();
    };
    auto area = [&](const QString& caption, QWidget* widget) {
        auto* label = new QLabel(caption);
        nameAfterLabel(label, widget);
        grid->addWidget(label, row, 0);
        grid->addWidget(widget, row++, 1);
    };
    area("Icon Drag&&\nDrop Interface", iconArea);
    area("Image\nDrag&&Drop Interface", imageArea);

    toleranceBar = new QScrollBar(Qt::Horizontal, this);
    toleranceBar->setObjectName("toleranceBar");
    toleranceBar->setAccessibleName("Frame Tolerance");
    toleranceBar->setRange(0, kMaxTolerance);
    toleranceBar->setPageStep(50);
    toleranceBar->setMinimumWidth(120);
    toleranceBar->setToolTip(tolerance()->toolTip());
    grid->addWidget(toleranceBar, form->rowOf("tolerance"), 2);
    tolerance()->setText("0");
    connect(toleranceBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (tolerance()->text() != QString::number(value))
            tolerance()->setText(QString::number(value));
        rebuildReplacementList();
    });
    connect(tolerance(), &QLineEdit::textChanged, this, &Tcnuform::toleranceTyped);
    connect(tolerance(), &QLineEdit::returnPressed, this, [this] {
        toleranceBar->setValue(tolerance()->text().toInt());
        if (imageArea->hasFrames())
            rebuildReplacementList();
    });
    connect(tolerance(), &QLineEdit::editingFinished, this, [this] {
        if (imageArea->hasFrames())
            rebuildReplacementList();
    });

    const auto& replaced = form->table().fields[objects::indexOf(form->table(), "replaced")];
    auto* caption = new QLabel(replaced.label);
    replacementList = new QListWidget(this);
    replacementList->setObjectName("replacementList");
    replacementList->setToolTip(replaced.hint);
    nameAfterLabel(caption, replacementList);
    grid->addWidget(caption, row++, 0, 1, 3);
    grid->addWidget(replacementList, row++, 0, 1, 3);
}

// The field holds 0 to 300 whatever is typed or pasted.
void Tcnuform::toleranceTyped()
{
    if (tolerance()->text().toInt() > kMaxTolerance)
        tolerance()->setText(QString::number(kMaxTolerance));
}

void Tcnuform::buildLoadMenu()
{
    auto* load = loadMenu->addMenu("&Load");
    load->setObjectName("LoadSubmenu");
    for (const auto& group : stock::unitLoadMenu()) {
        auto* submenu = load->addMenu(group.caption);
        for (const auto* entry : group.entries) {
            auto identifier = stock::bracketIdentifier(entry);
            connect(submenu->addAction(QString::fromStdString(cp1252ToUtf8(entry))), &QAction::triggered, this,
                    [this, identifier] { runCommand(*windows_.dialogs, [&] { loadStock(identifier); }); });
        }
    }
}

void Tcnuform::rebuildReplacementList()
{
    replacementList->clear();
    int frames = imageArea->hasFrames() ? static_cast<int>(imageArea->frames().frames.size()) : 0;
    if (imageArea->hasFrames()) {
        auto value = std::clamp(tolerance()->text().toInt(), 0, kMaxTolerance);
        tolerance()->setText(QString::number(value));
        toleranceBar->setValue(value);
    }
    for (const auto& text :
         stock::catalogueLookup(stock::CatalogueKind::Unit, frames, toleranceBar->value(), !imageArea->hasFrames()))
        replacementList->addItem(QString::fromStdString(cp1252ToUtf8(text)));
}

void Tcnuform::resetFields()
{
    form->reset({"tolerance"});
    enableGroups();
    rebuildReplacementList();
}

void Tcnuform::clearGraphics()
{
    iconArea->setPicture({});
    imageArea->clear();
    toleranceBar->setValue(0);
    tolerance()->setText("0");
    rebuildReplacementList();
}

void Tcnuform::loadStock(const std::string& identifier)
{
    EditorWindow::loadStock(identifier);
    enableGroups();
    rebuildReplacementList();
    auto wanted = lowerCase(identifier);
    for (int row = 0; row < replacementList->count(); ++row) {
        if (lowerCase(stock::bracketIdentifier(replacementList->item(row)->text().toStdString())) == wanted)
            replacementList->setCurrentRow(row);
    }
}

// Infantry abilities and vehicle abilities exclude each other.
void Tcnuform::keepGroupsApart(bool infantryClicked)
{
    auto anySet = [this](const auto& ids) {
        return std::any_of(std::begin(ids), std::end(ids), [this](const char* id) { return form->box(id)->isChecked(); });
    };
    if (infantryClicked && anySet(kInfantryBoxes)) {
        for (const char* id : kVehicleBoxes)
            form->box(id)->setChecked(false);
        form->field("passengers")->clear();
    }
    if (!infantryClicked && anySet(kVehicleBoxes)) {
        for (const char* id : kInfantryBoxes)
            form->box(id)->setChecked(false);
    }
    enableGroups();
}

void Tcnuform::enableGroups()
{
    auto anySet = [this](const auto& ids) {
        return std::any_of(std::begin(ids), std::end(ids), [this](const char* id) { return form->box(id)->isChecked(); });
    };
    bool infantry = anySet(kInfantryBoxes);
    bool vehicle = anySet(kVehicleBoxes);
    for (const char* id : kVehicleBoxes)
        form->box(id)->setEnabled(!infantry);
    form->field("passengers")->setEnabled(!infantry);
    form->label("passengers")->setEnabled(!infantry);
    for (const char* id : kInfantryBoxes)
        form->box(id)->setEnabled(!vehicle || infantry);
}

void Tcnuform::openWeapon(bool primary)
{
    if (!windows_.settings->gate(primary ? names::kGatePrimaryWeapon : names::kGateSecondaryWeapon))
        return;
    auto* field = form->choice(primary ? "primary" : "secondary");
    if (field->text().isEmpty())
        return;
    auto* weapons = windows_.cnwform;
    weapons->loadStock(stock::bracketIdentifier(field->text().toStdString()));
    if (primary)
        weapons->form->choice("replaced")->setText(field->text());
    showToFront(weapons);
}

bool Tcnuform::mayBeSaved()
{
    auto& dialogs = *windows_.dialogs;
    bool noName = form->field("name")->text().isEmpty();
    bool noReplacement = replacementList->selectedItems().isEmpty();
    bool noInternalName = form->field("internalName")->text().isEmpty();
    bool icon = !iconArea->picture().empty();
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

// The stored icon and frame list, then the two SHP files, which a drop
// since the last edit brings from its library first.
std::vector<Bytes> Tcnuform::graphicsParts()
{
    auto icon = workingFile(graphics::shpFileOf(Graphic::UnitIcon));
    auto image = workingFile(graphics::shpFileOf(Graphic::UnitImage));
    const auto& iconSource = windows_.form1->graphicSource(Graphic::UnitIcon);
    const auto& imageSource = windows_.form1->graphicSource(Graphic::UnitImage);
    if (!iconSource.unchanged())
        graphics::extract(iconSource, icon);
    if (!imageSource.unchanged())
        graphics::extract(imageSource, image);
    return {library::writePictureComponent(iconArea->picture()), library::writeImageListComponent(imageArea->frames()),
            readFile(icon), readFile(image)};
}

void Tcnuform::save()
{
    if (!mayBeSaved())
        return;
    form->fillDefaults();
    if (form->box("tracked")->isEnabled() && form->field("passengers")->text().isEmpty())
        form->field("passengers")->setText("0");
    auto record = records::defaults(EntryKind::Unit);
    form->read(record);
    record.number("frameCount") = imageArea->hasFrames() ? static_cast<std::int32_t>(imageArea->frames().frames.size()) : 0;
    record.number("replaced") = replacementList->currentRow();
    std::vector<Bytes> parts;
    if (!iconArea->picture().empty()) {
        parts = graphicsParts();
        for (std::size_t i = 0; i < parts.size(); ++i)
            record.sizes[i] = static_cast<std::uint32_t>(parts[i].size());
    }
    auto name = record.text("name");
    store({EntryKind::Unit, name, records::pack(record), std::move(parts)}, "Unit: " + name);
}

void Tcnuform::loadGraphics(const records::ObjectRecord& record, ByteView data)
{
    if (!record.hasGraphics())
        return;
    auto parts = records::partsOf(record, data);
    std::size_t consumed = 0;
    iconArea->setPicture(library::readPictureComponent(parts[0], consumed));
    imageArea->setFrames(library::readImageListComponent(parts[1], consumed));
    imageArea->start();
    saveFile(workingFile(graphics::shpFileOf(Graphic::UnitIcon)), parts[2]);
    saveFile(workingFile(graphics::shpFileOf(Graphic::UnitImage)), parts[3]);
}

void Tcnuform::entryLoaded(const records::ObjectRecord& record)
{
    enableGroups();
    toleranceBar->setValue(std::clamp<int>(record.number("tolerance"), 0, kMaxTolerance));
    tolerance()->setText(QString::number(toleranceBar->value()));
    rebuildReplacementList();
    if (record.number("replaced") < replacementList->count())
        replacementList->setCurrentRow(record.number("replaced"));
    windows_.form1->graphicSource(Graphic::UnitIcon) = {graphics::kNotChanged, 0};
    windows_.form1->graphicSource(Graphic::UnitImage) = {graphics::kNotChanged, 0};
}

}
