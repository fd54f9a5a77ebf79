#include "editors/projectile_editor.h"

#include "common/save_file.h"
#include "editors/editor_form.h"
#include "editors/filtered_line_edit.h"
#include "editors/graphics.h"
#include "library/component_stream.h"
#include "library/drop_targets.h"
#include "library/library_browser.h"
#include "shell/dialog_service.h"
#include "shell/main_window.h"

#include <QGridLayout>
#include <QPushButton>

namespace qx {
namespace {

using graphics::Graphic;

// Choosing a stock projectile again keeps it chosen.
ChoiceField::Options projectileChoiceOptions(const objects::Field&)
{
    ChoiceField::Options options;
    options.keepChosen = true;
    return options;
}

}

Tcnpform::Tcnpform(Windows& windows)
    : EditorWindow(windows, EntryKind::Projectile, "Tcnpform", "Create new projectile")
{
    buildFrame(projectileChoiceOptions);
    buildLoadMenu(stock::projectileList());
    preview = new AnimationArea([this] { return windows_.form2 && windows_.form2->animationDragging(); }, this);
    preview->setObjectName("preview");
    preview->setAccessibleName("Preview");
    preview->setMinimumSize(96, 96);
    preview->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* clear = new QAction("&Clear Image", preview);
    preview->addAction(clear);
    connect(clear, &QAction::triggered, this, [this] { clearGraphics(); });
    preview->fileDropped = [this](const QString& path) {
        return windows_.form2->shpFileDrag(path, library::LibraryKind::Projectile);
    };
    preview->dropped = [this](const library::AnimationDrag& drag) {
        windows_.form1->graphicSource(Graphic::Projectile) = {drag.libraryPath, drag.imageNumber};
    };
    form->grid(3)->addWidget(preview, form->grid(3)->rowCount(), 0, 1, 2);
    connect(AddButton, &QPushButton::clicked, this, [this] { runCommand(*windows_.dialogs, [this] { save(); }); });
}

void Tcnpform::resetFields()
{
    form->reset({"internalName"});
}

void Tcnpform::clearGraphics()
{
    preview->clear();
}

bool Tcnpform::mayBeSaved()
{
    bool noProjectile = form->choice("replaced")->text().isEmpty();
    bool noInternalName = form->field("internalName")->text().isEmpty();
    if (noProjectile || (preview->hasFrames() && noInternalName)) {
        if (noProjectile)
            windows_.dialogs->error("Please select a projectile to replace");
        if (noInternalName)
            windows_.dialogs->error("Please type in an internal name for your projectile");
        return false;
    }
    return nameIsStorable(form->field("internalName")->text()) && numbersAreStorable(*form);
}

void Tcnpform::save()
{
    if (!mayBeSaved())
        return;
    form->fillDefaults();
    auto record = records::defaults(EntryKind::Projectile);
    form->read(record);
    std::vector<Bytes> parts;
    if (preview->hasFrames()) {
        auto shp = workingFile(graphics::shpFileOf(Graphic::Projectile));
        const auto& source = windows_.form1->graphicSource(Graphic::Projectile);
        if (!source.unchanged())
            graphics::extract(source, shp);
        parts = {library::writeImageListComponent(preview->frames()), readFile(shp)};
        record.sizes = {static_cast<std::uint32_t>(parts[0].size()), static_cast<std::uint32_t>(parts[1].size())};
    }
    auto name = toCp1252(form->choice("replaced")->text());
    store({EntryKind::Projectile, name, records::pack(record), std::move(parts)}, "Projectile: " + name);
}

void Tcnpform::loadGraphics(const records::ObjectRecord& record, ByteView data)
{
    if (!record.hasGraphics())
        return;
    auto parts = records::partsOf(record, data);
    std::size_t consumed = 0;
    preview->setFrames(library::readImageListComponent(parts[0], consumed));
    preview->start();
    saveFile(workingFile(graphics::shpFileOf(Graphic::Projectile)), parts[1]);
}

void Tcnpform::entryLoaded(const records::ObjectRecord&)
{
    windows_.form1->graphicSource(Graphic::Projectile) = {graphics::kNotChanged, 0};
}

}
