#include "editors/weapon_editor.h"

#include "editors/editor_form.h"
#include "stock/stock_loader.h"

#include <QCloseEvent>

namespace qx {

Tcnwform::Tcnwform(Windows& windows)
    : EditorWindow(windows, "Tcnwform", "Create new Weapon")
{
    buildFrame();
    form = new EditorForm(EntryKind::Weapon, pages);
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

void Tcnwform::closeEvent(QCloseEvent* event)
{
    edited.clear();
    resetFields();
    event->accept();
}

}
