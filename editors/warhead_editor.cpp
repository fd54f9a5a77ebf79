#include "editors/warhead_editor.h"

#include "editors/filtered_line_edit.h"
#include "shell/dialog_service.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace qx {

Tcnwhform::Tcnwhform(Windows& windows)
    : EditorWindow(windows, EntryKind::Warhead, "Tcnwhform", "Create new warhead")
{
    buildFrame();
    buildLoadMenu(stock::warheadList());
    for (const char* id : {"none", "wood", "light", "heavy", "concrete"})
        form->grid(0)->addWidget(new QLabel("%"), form->rowOf(id), 2);
    form->grid(0)->addWidget(new QLabel("Damage value against \nvarious armor types: "), form->rowOf("none"), 3);
    auto* spread = form->field("spread");
    spread->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(spread, &QWidget::customContextMenuRequested, this,
            [this, spread](const QPoint& at) { loadMenu->popup(spread->mapToGlobal(at)); });
    connect(AddButton, &QPushButton::clicked, this, [this] { runCommand(*windows_.dialogs, [this] { save(); }); });
}

void Tcnwhform::save()
{
    auto replaced = form->choice("replaced")->text();
    if (replaced.isEmpty() || !numbersAreStorable(*form))
        return;
    auto record = records::defaults(EntryKind::Warhead);
    form->read(record);
    auto name = toCp1252(replaced);
    store({EntryKind::Warhead, name, records::pack(record), {}}, "Warhead: " + name);
}

}
