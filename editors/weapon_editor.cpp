#include "editors/weapon_editor.h"

#include "common/file_names.h"
#include "editors/projectile_editor.h"
#include "editors/warhead_editor.h"
#include "shell/dialog_service.h"
#include "shell/settings_window.h"

#include <QGridLayout>
#include <QPushButton>

namespace qx {
namespace {

ChoiceField::Options weaponChoiceOptions(const objects::Field& field)
{
    ChoiceField::Options options;
    options.untickWhenEmpty = std::string_view(field.id) == "sound";
    if (std::string_view(field.id) == "replaced")
        options.unclickable = ChoiceField::positionsOf(field.menu(), stock::kTorpedoTube);
    return options;
}

}

Tcnwform::Tcnwform(Windows& windows)
    : EditorWindow(windows, EntryKind::Weapon, "Tcnwform", "Create new Weapon")
{
    buildFrame(weaponChoiceOptions);
    buildLoadMenu(stock::weaponList(), stock::kTorpedoTube);
    ProjectileButton = pictureButton("projectile", "ProjectileButton", "Open the projectile",
                                     [this] { return windows_.cnpform; });
    WarheadButton = pictureButton("warhead", "WarheadButton", "Open the warhead", [this] { return windows_.cnwhform; });
    connect(AddButton, &QPushButton::clicked, this, [this] { runCommand(*windows_.dialogs, [this] { save(); }); });
}

QPushButton* Tcnwform::pictureButton(const char* id, const QString& name, const QString& spoken,
                                     std::function<EditorWindow*()> editor)
{
    auto* button = new QPushButton("...", this);
    button->setObjectName(name);
    button->setAccessibleName(spoken);
    button->setMaximumWidth(32);
    form->grid(2)->addWidget(button, form->rowOf(id), 2);
    connect(button, &QPushButton::clicked, this, [this, id, editor] {
        runCommand(*windows_.dialogs, [&] {
            if (windows_.settings->gate(names::kGateWeapon))
                openStock(id, editor(), true);
        });
    });
    return button;
}

void Tcnwform::save()
{
    auto replaced = form->choice("replaced")->text();
    if (replaced.isEmpty()) {
        windows_.dialogs->error("Please select a weapon to replace");
        return;
    }
    if (!numbersAreStorable(*form))
        return;
    form->fillDefaults();
    auto record = records::defaults(EntryKind::Weapon);
    form->read(record);
    auto name = toCp1252(replaced);
    store({EntryKind::Weapon, name, records::pack(record), {}}, "Weapon: " + name);
}

}
