#include "editors/replacing_editor.h"

#include "common/cp1252.h"
#include "common/file_names.h"
#include "common/save_file.h"
#include "common/text.h"
#include "editors/filtered_line_edit.h"
#include "editors/weapon_editor.h"
#include "library/component_stream.h"
#include "library/drop_targets.h"
#include "library/library_browser.h"
#include "shell/accessibility.h"
#include "shell/dialog_service.h"
#include "shell/main_window.h"
#include "shell/settings_window.h"
#include "stock/line_helpers.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace qx {
namespace {

constexpr int kMaxTolerance = 300;

ChoiceField::Options replacingChoiceOptions(const objects::Field& field, bool unitChoices)
{
    ChoiceField::Options options;
    if (!unitChoices)
        return options;
    const std::string id = field.id;
    options.untickWhenEmpty = id == "owner" || id == "armour" || id == "primary" || id == "secondary" ||
                              id == "prerequisites";
    if (id == "primary" || id == "secondary")
        options.unclickable = ChoiceField::positionsOf(field.menu(), stock::kTorpedoTube);
    if (id == "prerequisites") {
        for (auto i = objects::kHeldPrerequisites; i < field.menu().size(); ++i)
            options.unclickable.insert(i);
        options.unclickableReason = "The game keeps prerequisites in 32 bits, one per building type: this building "
                                    "lies beyond them and would stand for another.";
    }
    return options;
}

}

ReplacingEditor::ReplacingEditor(Windows& windows, EntryKind kind, const QString& className, const QString& caption,
                                 ReplacingFacts facts)
    : EditorWindow(windows, kind, className, caption)
    , facts_(std::move(facts))
{
    setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

void ReplacingEditor::buildReplacing(const QString& graphicsNote)
{
    bool unitChoices = facts_.unitChoices;
    buildFrame([unitChoices](const objects::Field& field) { return replacingChoiceOptions(field, unitChoices); });
    buildButtons();
    buildGraphicsPage(graphicsNote);
    rebuildReplacementList();
    resize(560, 480);
}

FilteredLineEdit* ReplacingEditor::tolerance() const
{
    return form->field("tolerance");
}

void ReplacingEditor::buildButtons()
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

AnimationArea* ReplacingEditor::addAnimation(const ReplacingFacts::Animation& animation)
{
    auto* area = new AnimationArea([this] { return windows_.form2 && windows_.form2->animationDragging(); }, this);
    area->setObjectName(animation.name);
    area->setMinimumSize(96, 96);
    area->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* clear = new QAction(animation.clearCaption, area);
    area->addAction(clear);
    bool drivesList = animation.drivesList;
    connect(clear, &QAction::triggered, this, [this, area, drivesList] {
        area->clear();
        if (drivesList)
            rebuildReplacementList();
    });
    auto graphic = animation.graphic;
    area->dropped = [this, graphic, drivesList](const library::AnimationDrag& drag) {
        windows_.form1->graphicSource(graphic) = {drag.libraryPath, drag.imageNumber};
        if (drivesList)
            rebuildReplacementList();
    };
    // An SHP file from a file manager goes in as a library of its own.
    auto kind = facts_.catalogue == stock::CatalogueKind::Unit ? library::LibraryKind::Unit
                                                                : library::LibraryKind::Building;
    area->fileDropped = [this, kind](const QString& path) { return windows_.form2->shpFileDrag(path, kind); };
    return area;
}

void ReplacingEditor::buildGraphicsPage(const QString& note)
{
    auto* grid = form->grid(3);
    int row = grid->rowCount();
    grid->addWidget(new QLabel(note), row++, 0, 1, 3);
    auto place = [&](const QString& caption, QWidget* widget) {
        grid->addWidget(labelFor(caption, widget), row, 0);
        grid->addWidget(widget, row++, 1);
    };
    iconArea = new IconArea([this] { return windows_.form2 && windows_.form2->animationDragging(); }, this);
    iconArea->setObjectName("iconArea");
    iconArea->setMinimumSize(64, 48);
    iconArea->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* clearIcon = new QAction("&Clear Icon", iconArea);
    iconArea->addAction(clearIcon);
    connect(clearIcon, &QAction::triggered, this, [this] { iconArea->setPicture({}); });
    iconArea->dropped = [this](const library::IconDrag& drag) {
        windows_.form1->graphicSource(facts_.icon) = {drag.libraryPath, drag.imageNumber};
    };
    iconArea->fileDropped = [this](const QString& path) { return windows_.form2->shpFileIcon(path); };
    place(facts_.iconCaption, iconArea);
    for (const auto& animation : facts_.animations) {
        animationAreas.push_back(addAnimation(animation));
        place(animation.caption, animationAreas.back());
    }
    buildTolerance();
    row = grid->rowCount();
    const auto& replaced = form->table().fields[objects::indexOf(form->table(), "replaced")];
    replacementList = new QListWidget(this);
    replacementList->setObjectName("replacementList");
    replacementList->setToolTip(replaced.hint);
    grid->addWidget(labelFor(replaced.label, replacementList), row++, 0, 1, 3);
    grid->addWidget(replacementList, row++, 0, 1, 3);
    fitLabel = new QLabel(this);
    fitLabel->setObjectName("fitLabel");
    fitLabel->setWordWrap(true);
    fitLabel->setAccessibleName("Frame counts");
    grid->addWidget(fitLabel, row++, 0, 1, 3);
    connect(replacementList, &QListWidget::currentRowChanged, this, [this] {
        chosenObject_ = replacementList->currentItem() ? replacementList->currentItem()->text() : QString();
        showFit(QString());
    });
}

void ReplacingEditor::buildTolerance()
{
    toleranceBar = new QScrollBar(Qt::Horizontal, this);
    toleranceBar->setObjectName("toleranceBar");
    toleranceBar->setAccessibleName("Frame Tolerance");
    toleranceBar->setRange(0, kMaxTolerance);
    toleranceBar->setPageStep(50);
    toleranceBar->setMinimumWidth(120);
    toleranceBar->setToolTip(tolerance()->toolTip());
    form->grid(3)->addWidget(toleranceBar, form->rowOf("tolerance"), 2);
    tolerance()->setText("0");
    connect(toleranceBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (tolerance()->text() != QString::number(value))
            tolerance()->setText(QString::number(value));
        rebuildReplacementList();
    });
    // The field holds 0 to 300 whatever is typed or pasted, and the list
    // follows it as it is typed.
    connect(tolerance(), &QLineEdit::textChanged, this, [this] {
        if (tolerance()->text().toInt() > kMaxTolerance)
            tolerance()->setText(QString::number(kMaxTolerance));
        toleranceBar->setValue(tolerance()->text().toInt());
    });
}

AnimationArea* ReplacingEditor::listArea() const
{
    for (std::size_t i = 0; i < facts_.animations.size(); ++i) {
        if (facts_.animations[i].drivesList)
            return animationAreas[i];
    }
    return animationAreas.back();
}

bool ReplacingEditor::hasIcon() const
{
    return !iconArea->picture().empty();
}

bool ReplacingEditor::allAnimations() const
{
    return std::all_of(animationAreas.begin(), animationAreas.end(), [](auto* area) { return area->hasFrames(); });
}

bool ReplacingEditor::anyAnimation() const
{
    return std::any_of(animationAreas.begin(), animationAreas.end(), [](auto* area) { return area->hasFrames(); });
}

void ReplacingEditor::rebuildReplacementList()
{
    // The chosen object stays chosen while it fits, and is chosen again
    // when it fits again.
    auto kept = chosenObject_;
    QSignalBlocker quiet(replacementList);
    replacementList->clear();
    auto* area = listArea();
    int frames = animationFrames();
    if (area->hasFrames()) {
        auto value = std::clamp(tolerance()->text().toInt(), 0, kMaxTolerance);
        tolerance()->setText(QString::number(value));
        toleranceBar->setValue(value);
    }
    for (const auto& entry : stock::offeredCatalogue(facts_.catalogue)) {
        if (!area->hasFrames() || std::abs(entry.frames - frames) <= toleranceBar->value())
            replacementList->addItem(QString::fromStdString(cp1252ToUtf8(entry.text)));
    }
    auto found = replacementList->findItems(kept, Qt::MatchExactly);
    if (!kept.isEmpty() && !found.isEmpty())
        replacementList->setCurrentItem(found.front());
    showFit(kept.isEmpty() || !found.isEmpty() ? QString() : kept);
}

int ReplacingEditor::animationFrames() const
{
    auto* area = listArea();
    return area->hasFrames() ? static_cast<int>(area->frames().frames.size()) : 0;
}

int ReplacingEditor::catalogueFrames(const QString& text) const
{
    auto wanted = utf8ToCp1252(text.toStdString()).value_or("");
    for (const auto& entry : stock::offeredCatalogue(facts_.catalogue)) {
        if (wanted == entry.text)
            return entry.frames;
    }
    return 0;
}

void ReplacingEditor::showFit(const QString& lost)
{
    int frames = animationFrames();
    QStringList lines;
    if (!lost.isEmpty()) {
        int theirs = catalogueFrames(lost);
        lines << QString("%1 has %2 frames, your animation %3; tolerance %4 would admit it.")
                     .arg(lost)
                     .arg(theirs)
                     .arg(frames)
                     .arg(std::abs(theirs - frames));
    } else {
        if (listArea()->hasFrames())
            lines << QString("Your animation: %1 frames.").arg(frames);
        if (auto* chosen = replacementList->currentItem())
            lines << QString("%1: %2 frames.").arg(chosen->text()).arg(catalogueFrames(chosen->text()));
    }
    fitLabel->setText(lines.join(" "));
}

void ReplacingEditor::clearGraphics()
{
    chosenObject_.clear();
    iconArea->setPicture({});
    for (auto* area : animationAreas)
        area->clear();
    toleranceBar->setValue(0);
    tolerance()->setText("0");
    rebuildReplacementList();
}

void ReplacingEditor::loadStock(const std::string& identifier)
{
    EditorWindow::loadStock(identifier);
    rebuildReplacementList();
    auto wanted = lowerCase(identifier);
    for (int row = 0; row < replacementList->count(); ++row) {
        if (lowerCase(stock::bracketIdentifier(replacementList->item(row)->text().toStdString())) == wanted)
            replacementList->setCurrentRow(row);
    }
}

void ReplacingEditor::openWeapon(bool primary)
{
    if (!windows_.settings->gate(primary ? names::kGatePrimaryWeapon : names::kGateSecondaryWeapon))
        return;
    openStock(primary ? "primary" : "secondary", windows_.cnwform, primary);
}

records::ObjectRecord ReplacingEditor::record()
{
    auto record = records::defaults(kind_);
    form->read(record);
    auto* area = listArea();
    bool graphics = hasIcon() && allAnimations();
    record.number("frameCount") = graphics ? static_cast<std::int32_t>(area->frames().frames.size()) : 0;
    record.number("replaced") = replacementList->currentRow();
    return record;
}

// The stored icon and frame lists, then the SHP files, which a drop since
// the last edit brings from its library first.
std::vector<Bytes> ReplacingEditor::graphicsParts()
{
    std::vector<Bytes> pictures{library::writePictureComponent(iconArea->picture())};
    std::vector<graphics::Graphic> graphics{facts_.icon};
    for (std::size_t i = 0; i < animationAreas.size(); ++i) {
        pictures.push_back(library::writeImageListComponent(animationAreas[i]->frames()));
        graphics.push_back(facts_.animations[i].graphic);
    }
    for (auto graphic : graphics) {
        auto shp = workingFile(graphics::shpFileOf(graphic));
        const auto& source = windows_.form1->graphicSource(graphic);
        if (!source.unchanged())
            graphics::extract(source, shp);
        pictures.push_back(readFile(shp));
    }
    return pictures;
}

void ReplacingEditor::storeRecord(records::ObjectRecord record, std::vector<Bytes> parts, const char* listPrefix)
{
    for (std::size_t i = 0; i < parts.size(); ++i)
        record.sizes.at(i) = static_cast<std::uint32_t>(parts[i].size());
    auto name = record.text("name");
    store({kind_, name, records::pack(record), std::move(parts)}, listPrefix + name);
}

void ReplacingEditor::loadGraphics(const records::ObjectRecord& record, ByteView data)
{
    if (!record.hasGraphics())
        return;
    auto parts = records::partsOf(record, data);
    std::size_t consumed = 0;
    iconArea->setPicture(library::readPictureComponent(parts[0], consumed));
    for (std::size_t i = 0; i < animationAreas.size(); ++i) {
        animationAreas[i]->setFrames(library::readImageListComponent(parts[1 + i], consumed));
        animationAreas[i]->start();
    }
    auto shp = 1 + animationAreas.size();
    saveFile(workingFile(graphics::shpFileOf(facts_.icon)), parts[shp]);
    for (std::size_t i = 0; i < animationAreas.size(); ++i)
        saveFile(workingFile(graphics::shpFileOf(facts_.animations[i].graphic)), parts[shp + 1 + i]);
}

void ReplacingEditor::entryLoaded(const records::ObjectRecord& record)
{
    toleranceBar->setValue(std::clamp<int>(record.number("tolerance"), 0, kMaxTolerance));
    tolerance()->setText(QString::number(toleranceBar->value()));
    rebuildReplacementList();
    if (record.number("replaced") < replacementList->count())
        replacementList->setCurrentRow(record.number("replaced"));
    windows_.form1->graphicSource(facts_.icon) = {graphics::kNotChanged, 0};
    for (const auto& animation : facts_.animations)
        windows_.form1->graphicSource(animation.graphic) = {graphics::kNotChanged, 0};
}

}
