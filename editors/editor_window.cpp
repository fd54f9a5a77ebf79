#include "editors/editor_window.h"

#include "common/cp1252.h"
#include "compiler/rules_writer.h"
#include "project/project_window.h"
#include "shell/dialog_service.h"
#include "shell/settings_window.h"
#include "stock/line_helpers.h"
#include "stock/stock_loader.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qx {

EditorWindow::EditorWindow(Windows& windows, EntryKind kind, const QString& className, const QString& caption)
    : windows_(windows)
    , kind_(kind)
{
    setObjectName(className);
    createCaption_ = caption;
    setWindowTitle(caption);
    edited.changed = [this] { showCaption(); };
    resize(480, 360);
}

void EditorWindow::buildFrame(const EditorForm::ChoiceOptions& options)
{
    auto* layout = new QVBoxLayout(this);
    pages = new QTabWidget(this);
    pages->setObjectName("pages");
    pages->setAccessibleName("Pages");
    layout->addWidget(pages);
    auto* buttons = new QHBoxLayout;
    AddButton = new QPushButton("Add to Project", this);
    AddButton->setObjectName("AddButton");
    LoadButton = new QPushButton("Load", this);
    LoadButton->setObjectName("LoadButton");
    buttons->addWidget(AddButton);
    buttons->addWidget(LoadButton);
    layout->addLayout(buttons);
    loadMenu = new QMenu(this);
    loadMenu->setObjectName("loadMenu");
    form = std::make_unique<EditorForm>(kind_, pages, options);
    // Choosing another stock object to replace makes a new object.
    if (auto* replaced = form->choice("replaced"))
        connect(replaced, &ChoiceField::clicked, this, [this] { edited.clear(); });
    connect(LoadButton, &QPushButton::clicked, this, [this] { loadMenu->popup(QCursor::pos()); });
}

void EditorWindow::buildLoadMenu(stock::Menu objects, const std::string& skipped)
{
    addLoadEntries(loadMenu, objects, skipped);
}

void EditorWindow::addLoadEntries(QMenu* menu, stock::Menu objects, const std::string& skipped)
{
    for (const auto* entry : objects) {
        auto identifier = stock::bracketIdentifier(entry);
        if (identifier == skipped)
            continue;
        connect(menu->addAction(QString::fromStdString(cp1252ToUtf8(entry))), &QAction::triggered, this,
                [this, identifier] { runCommand(*windows_.dialogs, [&] { loadStock(identifier); }); });
    }
}

void EditorWindow::contextMenuEvent(QContextMenuEvent* event)
{
    if (loadMenu && !loadMenu->isEmpty()) {
        loadMenu->popup(event->globalPos());
        event->accept();
    }
}

void EditorWindow::resetFields()
{
    if (form)
        form->reset();
}

void EditorWindow::loadStock(const std::string& identifier)
{
    edited.clear();
    resetFields();
    clearGraphics();
    form->apply(stock::loadStockObject(identifier, kind_));
}

void EditorWindow::showCaption()
{
    if (!edited.isSet()) {
        setWindowTitle(createCaption_);
        return;
    }
    auto what = QString(createCaption_).remove("Create new ");
    what[0] = what[0].toUpper();
    setWindowTitle("Edit " + what + " - " + QString::fromStdString(cp1252ToUtf8(editedName_)));
}

void EditorWindow::loadEntry(int position, const project::Entry& entry)
{
    if (form) {
        // A damaged entry is refused before the window changes.
        auto record = records::unpack(kind_, entry.data);
        if (record.hasGraphics())
            records::partsOf(record, entry.data);
        resetFields();
        clearGraphics();
        loadGraphics(record, entry.data);
        form->fill(record);
        entryLoaded(record);
        // A stored value the game cannot use is told, never changed unasked.
        for (const auto& fault : compiler::playFaults(record))
            windows_.dialogs->information(QString::fromStdString(cp1252ToUtf8(fault)));
    }
    editedName_ = entry.name;
    edited.set(position);
    showToFront(this);
}

void EditorWindow::closeEvent(QCloseEvent* event)
{
    resetFields();
    clearGraphics();
    edited.clear();
    event->accept();
}

void EditorWindow::openStock(const char* fieldId, EditorWindow* editor, bool showField)
{
    auto text = form->choice(fieldId)->text();
    if (text.isEmpty())
        return;
    editor->loadStock(stock::bracketIdentifier(text.toStdString()));
    if (showField)
        editor->form->choice("replaced")->showText(text);
    showToFront(editor);
}

bool EditorWindow::nameIsStorable(const QString& name)
{
    if (utf8ToCp1252(name.toStdString()))
        return true;
    windows_.dialogs->error("Please use only Western European characters in the name!");
    return false;
}

bool EditorWindow::numbersAreStorable(const EditorForm& form)
{
    auto faults = form.unstorableNumbers();
    for (const auto& fault : faults)
        windows_.dialogs->error(fault);
    return faults.isEmpty();
}

fs::path EditorWindow::workingFile(const char* name) const
{
    return toPath(windows_.settings->workingFile(name));
}

bool EditorWindow::readByTheGame(const project::NewEntry& entry)
{
    compiler::StockRecords stock;
    auto record = records::unpack(kind_, entry.record);
    auto faults = compiler::lineFaults(compiler::objectSection(record, stock), kind_);
    for (const auto& fault : faults)
        windows_.dialogs->error(QString::fromStdString(cp1252ToUtf8(fault)));
    return faults.empty();
}

void EditorWindow::store(const project::NewEntry& entry, const std::string& listLine)
{
    if (!readByTheGame(entry))
        return;
    DisabledWhile busy(this);
    bool replacing = edited.isSet();
    auto position = windows_.prjform->storeEntry(entry, listLine, edited.position());
    if (replacing) {
        editedName_ = entry.name;
        edited.set(position);
    }
}

}
