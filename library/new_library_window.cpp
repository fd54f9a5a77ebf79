#include "library/new_library_window.h"

#include "compiler/game_files.h"

#include "common/save_file.h"
#include "library/library_browser.h"
#include "shell/accessibility.h"
#include "shell/dialog_service.h"
#include "shell/settings_window.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace qx {
namespace {

QPushButton* button(const QString& caption, const QString& name, const QString& spoken, QWidget* parent)
{
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(name);
    made->setAccessibleName(spoken);
    return made;
}

}

NewLibraryWindow::NewLibraryWindow(Windows& windows, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , windows_(windows)
{
    setObjectName("NewLibraryWindow");
    setWindowTitle("New Library");
    KindBox = new QComboBox(this);
    KindBox->setObjectName("KindBox");
    const std::pair<const char*, library::LibraryKind> kinds[] = {
        {"Unit Library", library::LibraryKind::Unit}, {"Icon Library", library::LibraryKind::Icon},
        {"Projectile Library", library::LibraryKind::Projectile}, {"Building Library", library::LibraryKind::Building}};
    for (const auto& [caption, kind] : kinds)
        KindBox->addItem(caption, static_cast<int>(kind));
    TitleEdit = new QLineEdit(this);
    TitleEdit->setObjectName("TitleEdit");
    TitleEdit->setMaxLength(50);
    ShpList = new QListWidget(this);
    ShpList->setObjectName("ShpList");
    AddShpButton = button("Add...", "AddShpButton", "Add an SHP file", this);
    RemoveShpButton = button("Remove", "RemoveShpButton", "Remove the SHP file", this);
    PaletteEdit = new QLineEdit(this);
    PaletteEdit->setObjectName("PaletteEdit");
    PaletteEdit->setReadOnly(true);
    PaletteButton = button("Browse...", "PaletteButton", "Browse for a palette", this);
    MakeButton = button("Make Library", "MakeButton", "Make Library", this);
    CancelButton = button("Cancel", "CancelButton", "Cancel", this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(labelFor("Kind:", KindBox), 0, 0);
    grid->addWidget(KindBox, 0, 1, 1, 2);
    grid->addWidget(labelFor("Title:", TitleEdit), 1, 0);
    grid->addWidget(TitleEdit, 1, 1, 1, 2);
    grid->addWidget(labelFor("SHP files:", ShpList), 2, 0, Qt::AlignTop);
    grid->addWidget(ShpList, 2, 1, 3, 1);
    grid->addWidget(AddShpButton, 2, 2);
    grid->addWidget(RemoveShpButton, 3, 2);
    grid->addWidget(labelFor("Palette:", PaletteEdit), 5, 0);
    grid->addWidget(PaletteEdit, 5, 1);
    grid->addWidget(PaletteButton, 5, 2);
    grid->addWidget(MakeButton, 6, 1);
    grid->addWidget(CancelButton, 6, 2);
    resize(520, 320);

    auto guarded = [this](void (NewLibraryWindow::*command)()) {
        return [this, command] { runCommand(*windows_.dialogs, [&] { (this->*command)(); }); };
    };
    connect(AddShpButton, &QPushButton::clicked, this, guarded(&NewLibraryWindow::addShpFile));
    connect(RemoveShpButton, &QPushButton::clicked, this, guarded(&NewLibraryWindow::removeShpFile));
    connect(PaletteButton, &QPushButton::clicked, this, guarded(&NewLibraryWindow::choosePalette));
    connect(MakeButton, &QPushButton::clicked, this, guarded(&NewLibraryWindow::make));
    connect(CancelButton, &QPushButton::clicked, this, &QWidget::close);
}

void NewLibraryWindow::clear()
{
    KindBox->setCurrentIndex(0);
    TitleEdit->clear();
    ShpList->clear();
    PaletteEdit->clear();
    // The game's own palette, when the game folder is set and has one.
    const auto& state = windows_.settings->state();
    if (state.fields.game.empty())
        return;
    try {
        if (auto palette = compiler::gamePaletteFile(state.fields.game, compiler::kGamePalette, toPath(state.workingDir)))
            PaletteEdit->setText(fromUtf8(toText(*palette)));
    } catch (const std::exception&) {
    }
}

void NewLibraryWindow::addShpFile()
{
    auto path = windows_.dialogs->openFile("SHP Files|*.shp|All Files|*.*", "shp");
    if (path.isEmpty())
        return;
    ShpList->addItem(path);
    ShpList->setCurrentRow(ShpList->count() - 1);
}

void NewLibraryWindow::removeShpFile()
{
    delete ShpList->currentItem();
}

void NewLibraryWindow::choosePalette()
{
    auto path = windows_.dialogs->openFile("Palettes|*.pal;*.png|All Files|*.*", "pal");
    if (!path.isEmpty())
        PaletteEdit->setText(path);
}

library::ShpLibraryRequest NewLibraryWindow::request() const
{
    library::ShpLibraryRequest request;
    request.kind = static_cast<library::LibraryKind>(KindBox->currentData().toInt());
    request.title = toUtf8(TitleEdit->text());
    for (int i = 0; i < ShpList->count(); ++i)
        request.shpFiles.push_back(toUtf8(ShpList->item(i)->text()));
    request.palette = toUtf8(PaletteEdit->text());
    return request;
}

void NewLibraryWindow::make()
{
    auto asked = request();
    auto& dialogs = *windows_.dialogs;
    if (asked.title.empty())
        return dialogs.error("Please enter a title for the library!");
    if (asked.shpFiles.empty())
        return dialogs.error("Please add an SHP file!");
    if (asked.palette.empty())
        return dialogs.error("Please choose a palette!");
    auto library = library::makeShpLibrary(asked);
    const auto& units = windows_.settings->state().fields.units;
    auto path = toPath(units) / toPath(library::libraryFileName(asked.title));
    auto shown = fromUtf8(toText(path));
    std::error_code error;
    if (fs::exists(path, error) &&
        dialogs.confirm(shown + " already exists.\rDo you want to replace it?", false) != DialogService::Answer::Yes)
        return;
    fs::create_directories(toPath(units));
    saveFile(path, library);
    close();
    auto* browser = windows_.form2;
    browser->setDirectory(fromUtf8(units));
    browser->openLibrary(shown);
}

}
