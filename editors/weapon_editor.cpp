#include "editors/weapon_editor.h"

#include "common/file_names.h"
#include "editors/editor_form.h"
#include "editors/projectile_editor.h"
#include "editors/warhead_editor.h"
#include "shell/dialog_service.h"
#include "shell/settings_window.h"
#include "stock/line_helpers.h"
#include "stock/stock_loader.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QPushButton>

namespace qx {
namespace {

ChoiceField::Options weaponChoiceOptions(const objects::Field& field)
{
    ChoiceField::Options options;
    options.untickWhenEmpty = std::string_view(field.id) == "sound";
    if (std::string_view(field.id) == "replaced") {
        auto menu = field.menu();
        for (std::size_t i = 0; i < menu.size(); ++i) {
            if (stock::bracketIdentifier(menu[i]) == "TorpTube")
                options.unclickable.insert(i);
        }
    }
    return options;
}

}

Tcnwform::Tcnwform(Windows& windows)
    : EditorWindow(windows, "Tcnwform", "Create new Weapon")
{
    buildFrame();
    form = new EditorForm(EntryKind::Weapon, pages, weaponChoiceOptions);
    buildLoadMenu(stock::weaponList(), [this](const std::string& identifier) { loadStock(identifier); }, "TorpTube");
    connect(form->choice("replaced"), &ChoiceField::clicked, this, [this] { edited.clear(); });
    ProjectileButton = pictureButton("projectile", "ProjectileButton", "Open the projectile");
    WarheadButton = pictureButton("warhead", "WarheadButton", "Open the warhead");
    connect(ProjectileButton, &QPushButton::clicked, this, [this] { runCommand(*windows_.dialogs, [this] { openProjectile(); }); });
    connect(WarheadButton, &QPushButton::clicked, this, [this] { runCommand(*windows_.dialogs, [this] { openWarhead(); }); });
    connect(AddButton, &QPushButton::clicked, this, [this] { runCommand(*windows_.dialogs, [this] { save(); }); });
}

QPushButton* Tcnwform::pictureButton(const char* id, const QString& name, const QString& spoken)
{
    auto* button = new QPushButton("...", this);
    button->setObjectName(name);
    button->setAccessibleName(spoken);
    button->setMaximumWidth(32);
    form->grid(2)->addWidget(button, form->rowOf(id), 2);
    return button;
}

void Tcnwform::resetFields()
{
    form->reset();
}

void Tcnwform::loadStock(const std::string& identifier)
{
    edited.clear();
    resetFields();
    form->apply(stock::loadStockObject(identifier, EntryKind::Weapon));
}

void Tcnwform::openProjectile()
{
    auto text = form->choice("projectile")->text();
    if (!windows_.settings->gate(names::kGateWeapon) || text.isEmpty())
        return;
    auto* projectiles = windows_.cnpform;
    projectiles->loadStock(stock::bracketIdentifier(text.toStdString()));
    projectiles->form->choice("replaced")->setText(text);
    showToFront(projectiles);
}

void Tcnwform::openWarhead()
{
    auto text = form->choice("warhead")->text();
    if (!windows_.settings->gate(names::kGateWeapon) || text.isEmpty())
        return;
    auto* warheads = windows_.cnwhform;
    warheads->loadStock(stock::bracketIdentifier(text.toStdString()));
    warheads->form->choice("replaced")->setText(text);
    showToFront(warheads);
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

void Tcnwform::loadEntry(int position, const project::Entry& entry)
{
    resetFields();
    form->fill(records::unpack(EntryKind::Weapon, entry.data));
    edited.set(position);
    showToFront(this);
}

void Tcnwform::closeEvent(QCloseEvent* event)
{
    edited.clear();
    resetFields();
    event->accept();
}

}
