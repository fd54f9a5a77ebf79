#include "library/library_browser.h"

#include "archive/game_archives.h"
#include "common/cp1252.h"
#include "common/error.h"
#include "common/save_file.h"
#include "common/text.h"
#include "compiler/game_files.h"
#include "library/drop_targets.h"
#include "library/library_file.h"
#include "library/palette.h"
#include "library/shp.h"
#include "project/encoder.h"
#include "shell/settings_window.h"
#include "library/library_viewer.h"
#include "shell/ui_state.h"
#include "shell/window_places.h"
#include "library/new_library_window.h"
#include "shell/accessibility.h"
#include "shell/dialog_service.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QStorageInfo>

namespace qx {
namespace {

// Room for a viewer's title bar below the toolbar.
constexpr int kViewerTitleBar = 32;

const char* const kParent = "..";
// The drive list's data for the game folder.
const char* const kGamePlace = "game:";

QStringList libraryFiles(const QString& directory)
{
    return QDir(directory).entryList({"*.vkl"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

}

TForm2::TForm2(Windows& windows)
    : windows_(windows)
{
    setObjectName("TForm2");
    setWindowTitle("Please select a Valkor Library File");
    auto* grid = new QGridLayout(this);
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName("DriveComboBox1");
    DirectoryListBox1 = new QListWidget(this);
    DirectoryListBox1->setObjectName("DirectoryListBox1");
    DirectoryListBox1->setAccessibleName("Directories");
    FileListBox1 = new QListWidget(this);
    FileListBox1->setObjectName("FileListBox1");
    FileListBox1->setAccessibleName("Libraries");
    FilterComboBox1 = new QComboBox(this);
    FilterComboBox1->setObjectName("FilterComboBox1");
    FilterComboBox1->addItems({"All Libraries", "Icon Libraries", "Unit Libraries", "Projectile Libraries",
                               "Building Libraries"});
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setAccessibleName("Progress");
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setToolTip("How far the libraries of the folder are read");
    PathLabel = new QLabel(this);
    PathLabel->setObjectName("PathLabel");
    PathLabel->setAccessibleName("Folder shown");
    PathLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    watcher_ = new QFileSystemWatcher(this);
    // Libraries made or removed meanwhile, here or by another program.
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (!game_)
            runCommand(*windows_.dialogs, [this] { refresh(); });
    });
    ViewButton = new QPushButton("View Library", this);
    ViewButton->setObjectName("ViewButton");
    ViewButton->setEnabled(false);
    BackButton = new QPushButton("Back", this);
    BackButton->setObjectName("BackButton");
    NewButton = new QPushButton("New Library...", this);
    NewButton->setObjectName("NewButton");
    ExtractButton = new QPushButton("Extract...", this);
    ExtractButton->setObjectName("ExtractButton");
    ExtractButton->setEnabled(false);
    newLibrary_ = new NewLibraryWindow(windows_, this);
    // A screen reader names a combo box by its current entry unless a label
    // points at it, so each gets one.
    grid->addWidget(PathLabel, 0, 0, 1, 3);
    grid->addWidget(labelFor("Drive:", DriveComboBox1), 1, 0);
    grid->addWidget(labelFor("Show:", FilterComboBox1), 1, 1);
    grid->addWidget(labelFor("Read:", ProgressBar1), 1, 2);
    grid->addWidget(DriveComboBox1, 2, 0);
    grid->addWidget(DirectoryListBox1, 3, 0);
    grid->addWidget(FilterComboBox1, 2, 1);
    grid->addWidget(FileListBox1, 3, 1);
    grid->addWidget(ProgressBar1, 2, 2, 2, 1);
    grid->addWidget(ViewButton, 4, 0);
    grid->addWidget(BackButton, 4, 1);
    grid->addWidget(NewButton, 5, 0);
    grid->addWidget(ExtractButton, 5, 1);
    resize(520, 360);

    auto guarded = [this](void (TForm2::*command)()) {
        return [this, command] { runCommand(*windows_.dialogs, [&] { (this->*command)(); }); };
    };
    connect(DriveComboBox1, &QComboBox::activated, this,
            [this](int index) { runCommand(*windows_.dialogs, [&] { changeDrive(index); }); });
    connect(DirectoryListBox1, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        runCommand(*windows_.dialogs, [&] {
            if (game_)
                showArchive(DirectoryListBox1->row(item));
            else
                setDirectory(QDir(directory_).filePath(item->text()));
        });
    });
    connect(FilterComboBox1, &QComboBox::currentIndexChanged, this, guarded(&TForm2::rebuildList));
    connect(FileListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
        ViewButton->setEnabled(row >= 0);
        ExtractButton->setEnabled(game_ && row >= 0);
    });
    connect(ExtractButton, &QPushButton::clicked, this, guarded(&TForm2::extractMembers));
    connect(FileListBox1, &QListWidget::itemDoubleClicked, this, guarded(&TForm2::openSelected));
    connect(ViewButton, &QPushButton::clicked, this, guarded(&TForm2::openSelected));
    connect(BackButton, &QPushButton::clicked, this, &QWidget::close);
    connect(NewButton, &QPushButton::clicked, this, guarded(&TForm2::newLibraryFromChosen));

    setAcceptDrops(true);
    fillDrives();
    // The browser starts where New Library writes.
    const auto units = windows_.settings ? fromUtf8(windows_.settings->state().fields.units) : QString();
    setDirectory(!units.isEmpty() && QDir(units).exists() ? units : QDir::currentPath());
}

void TForm2::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData(), {".vkl"}).isEmpty())
        event->acceptProposedAction();
}

void TForm2::dropEvent(QDropEvent* event)
{
    auto path = droppedFile(event->mimeData(), {".vkl"});
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    runCommand(*windows_.dialogs, [&] { openLibrary(QDir::toNativeSeparators(path)); });
}

void TForm2::refresh()
{
    auto chosen = FileListBox1->currentItem() ? FileListBox1->currentItem()->text() : QString();
    fillDirectories();
    rebuildList();
    if (auto found = FileListBox1->findItems(chosen, Qt::MatchExactly); !chosen.isEmpty() && !found.isEmpty())
        FileListBox1->setCurrentItem(found.front());
}

TForm2::~TForm2()
{
    for (auto* viewer : viewers())
        delete viewer;
}

// Each volume as the system writes it ("C:\\" on Windows), its root path
// as the entry's data.
void TForm2::fillDrives()
{
    DriveComboBox1->clear();
    const auto& gameDir = windows_.settings ? windows_.settings->state().fields.game : std::string();
    if (!gameDir.empty())
        DriveComboBox1->addItem("Game: " + QDir::toNativeSeparators(fromUtf8(gameDir)), kGamePlace);
    for (const auto& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid())
            DriveComboBox1->addItem(QDir::toNativeSeparators(volume.rootPath()), volume.rootPath());
    }
}

void TForm2::showEvent(QShowEvent* event)
{
    // The game folder may have been set since the list was made.
    fillDrives();
    if (game_)
        DriveComboBox1->setCurrentIndex(DriveComboBox1->findData(kGamePlace));
    else
        showDrive();
    QWidget::showEvent(event);
}

void TForm2::showDrive()
{
    DriveComboBox1->setCurrentIndex(DriveComboBox1->findData(QStorageInfo(directory_).rootPath()));
}

void TForm2::setDirectory(const QString& directory)
{
    game_.reset();
    ExtractButton->setEnabled(false);
    directory_ = QDir(directory).canonicalPath();
    if (!watcher_->directories().isEmpty())
        watcher_->removePaths(watcher_->directories());
    if (!directory_.isEmpty())
        watcher_->addPath(directory_);
    PathLabel->setText(QDir::toNativeSeparators(directory_));
    showDrive();
    fillDirectories();
    rebuildList();
}

void TForm2::changeDrive(int index)
{
    auto root = DriveComboBox1->itemData(index).toString();
    if (root == kGamePlace) {
        showGame();
        return;
    }
    QDir dir(root);
    if (root.isEmpty() || !dir.exists() || !dir.isReadable()) {
        showDrive();
        windows_.dialogs->error("The drive " + QDir::toNativeSeparators(root) + " cannot be read.");
        return;
    }
    setDirectory(root);
}

void TForm2::fillDirectories()
{
    DirectoryListBox1->clear();
    QDir dir(directory_);
    if (!dir.isRoot())
        DirectoryListBox1->addItem(kParent);
    DirectoryListBox1->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
}

void TForm2::rebuildList()
{
    FileListBox1->setEnabled(false);
    DirectoryListBox1->setEnabled(false);
    FileListBox1->clear();
    FileListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    pathList_.clear();
    auto files = libraryFiles(directory_);
    ProgressBar1->setRange(0, std::max<int>(1, static_cast<int>(files.size())));
    int filter = FilterComboBox1->currentIndex();
    for (int i = 0; i < files.size(); ++i) {
        ProgressBar1->setValue(i);
        auto path = QDir::toNativeSeparators(QDir(directory_).filePath(files[i]));
        library::LibraryHead head;
        try {
            head = library::parseHead(library::readHead(toPath(toUtf8(path))));
        } catch (const std::exception&) {
            head = {};
        }
        if (filter == 0 || (head.valid && head.kindByte == filter)) {
            FileListBox1->addItem(QString::fromStdString(cp1252ToUtf8(library::listLine(head))));
            pathList_.push_back(toUtf8(path));
        }
    }
    ProgressBar1->setValue(ProgressBar1->maximum());
    FileListBox1->setEnabled(true);
    DirectoryListBox1->setEnabled(true);
}

void TForm2::openSelected()
{
    if (game_) {
        viewMember();
        return;
    }
    int row = FileListBox1->currentRow();
    if (row < 0) {
        windows_.dialogs->error("Please select a VKL-File to open!");
        return;
    }
    if (FileListBox1->item(row)->text() == "No Valid VKL" &&
        windows_.dialogs->confirm("This is not a valid VKL\rDo you really want to open it?", false) !=
            DialogService::Answer::Yes)
        return;
    // The path of the file listed in that line, whatever the directory holds now.
    openLibrary(fromUtf8(pathList_.at(static_cast<std::size_t>(row))));
}

void TForm2::openLibrary(const QString& path)
{
    setEnabled(false);
    struct Reenable {
        QWidget* window;
        ~Reenable() { window->setEnabled(true); }
    } reenable{this};
    ProgressBar1->setValue(0);
    auto library = std::make_shared<const library::Library>(library::openLibrary(toPath(toUtf8(path))));
    auto* viewer = new LibraryViewer(*this, library, path);
    viewers_.push_back(viewer);
    placeViewer(viewer);
    viewer->show();
}

// Viewers open stacked below the toolbar, beside the browser where the
// screen has room for them.
void TForm2::placeViewer(LibraryViewer* viewer)
{
    auto* screen = QApplication::primaryScreen();
    int screenWidth = screen ? screen->geometry().width() : 1024;
    int screenHeight = screen ? screen->geometry().height() : 768;
    int left = frameGeometry().right() + 8;
    if (!isVisible() || left + LibraryViewer::kClientWidth > screenWidth)
        left = 0;
    int top = kToolbarHeight + kViewerTitleBar;
    viewer->move(left + 22 * viewerCounter_, top + 22 * viewerCounter_);
    ++viewerCounter_;
    if (top + 22 * viewerCounter_ + LibraryViewer::kClientHeight > screenHeight)
        viewerCounter_ = 0;
}

void TForm2::activate(AnimationWidget* preview)
{
    if (preview->isRunning())
        return;
    if (activePreview_)
        activePreview_->stop();
    preview->start();
    activePreview_ = preview;
}

void TForm2::animationDragStarted(AnimationWidget* preview)
{
    dragFlag_ = true;
    windows_.form1->setDragSource(preview);
}

void TForm2::animationDragEnded()
{
    dragFlag_ = false;
}

void TForm2::viewerClosed(LibraryViewer* viewer)
{
    for (auto* preview : viewer->previews()) {
        if (preview == activePreview_) {
            preview->stop();
            activePreview_ = nullptr;
        }
    }
    if (windows_.form1->dragSource() && viewer->isAncestorOf(windows_.form1->dragSource()))
        windows_.form1->setDragSource(nullptr);
    std::erase(viewers_, viewer);
}

std::vector<LibraryViewer*> TForm2::viewers() const
{
    std::vector<LibraryViewer*> open;
    for (const auto& viewer : viewers_) {
        if (viewer)
            open.push_back(viewer);
    }
    return open;
}

}

namespace qx {

void TForm2::showGame()
{
    GameView view{windows_.settings->state().fields.game, {}, std::nullopt, {}, {}};
    DriveComboBox1->setCurrentIndex(DriveComboBox1->findData(kGamePlace));
    PathLabel->setText("Game: " + QDir::toNativeSeparators(fromUtf8(view.dir)));
    DirectoryListBox1->clear();
    FileListBox1->clear();
    ExtractButton->setEnabled(false);
    for (const auto& path : archive::gameArchives(toPath(view.dir))) {
        auto name = toText(path.filename());
        try {
            archive::MixReader reader(archive::fileSource(path), name);
            view.archives.push_back(name);
            DirectoryListBox1->addItem(fromUtf8(name));
            for (const auto& [member, inner] : archive::namedArchives(reader)) {
                view.archives.push_back(name + "/" + inner);
                DirectoryListBox1->addItem(fromUtf8(cp1252ToUtf8(name + "/" + inner)));
            }
        } catch (const std::exception& damaged) {
            // One line for a damaged archive; the others still open.
            view.archives.emplace_back();
            DirectoryListBox1->addItem(fromUtf8(cp1252ToUtf8(oneLine(damaged.what()))));
        }
    }
    game_ = std::move(view);
}

void TForm2::showArchive(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= game_->archives.size() || game_->archives[row].empty())
        return;
    FileListBox1->clear();
    game_->members.clear();
    game_->names.clear();
    game_->archive.reset();
    // Members are extracted and made into a library several at a time.
    FileListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto reader = archive::openArchivePath(game_->archives[row], toPath(game_->dir));
    PathLabel->setText("Game: " + fromUtf8(cp1252ToUtf8(game_->archives[row])));
    archive::MemberNames names(reader);
    for (const auto& member : reader.members()) {
        auto name = names.of(member);
        game_->members.push_back(member);
        game_->names.push_back(name);
        FileListBox1->addItem(QString("%1  %2 bytes  %3")
                                  .arg(fromUtf8(cp1252ToUtf8(name)))
                                  .arg(member.size)
                                  .arg(fromUtf8(archive::kindOf(reader, member, name).text())));
    }
    game_->archive.emplace(std::move(reader));
}

const archive::MixMember* TForm2::chosenMember() const
{
    auto row = FileListBox1->currentRow();
    if (!game_ || !game_->archive || row < 0 || static_cast<std::size_t>(row) >= game_->members.size())
        return nullptr;
    return &game_->members[static_cast<std::size_t>(row)];
}

std::vector<std::size_t> TForm2::chosenMembers() const
{
    std::vector<std::size_t> rows;
    if (!game_ || !game_->archive)
        return rows;
    for (auto* item : FileListBox1->selectedItems())
        rows.push_back(static_cast<std::size_t>(FileListBox1->row(item)));
    if (rows.empty() && chosenMember())
        rows.push_back(static_cast<std::size_t>(FileListBox1->currentRow()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TForm2::viewMember()
{
    const auto* member = chosenMember();
    if (!member) {
        windows_.dialogs->error("Please select a graphic of the game to view!");
        return;
    }
    const auto& name = game_->names[static_cast<std::size_t>(member - game_->members.data())];
    const auto& reader = *game_->archive;
    if (archive::kindOf(reader, *member, name).what != archive::MemberKind::What::Shp) {
        windows_.dialogs->error(fromUtf8(cp1252ToUtf8(name)) + " is no SHP graphic.");
        return;
    }
    auto paletteBytes = compiler::findGameFile(game_->dir, compiler::kGamePalette, true);
    if (!paletteBytes)
        throw Error("The game folder has no " + std::string(compiler::kGamePalette) + " to draw its graphics in.");
    auto palette = library::readPalette(*paletteBytes, compiler::kGamePalette);
    auto made = oneGraphicLibrary(reader.read(*member), name, palette, library::LibraryKind::Unit,
                                  "game-" + archive::safeFileName(name, member->id));
    openLibrary(fromUtf8(made.libraryPath));
}

library::AnimationDrag TForm2::oneGraphicLibrary(Bytes shp, const std::string& name, const library::Palette& palette,
                                                 library::LibraryKind kind, const std::string& fileName)
{
    auto image = library::imageFromShp(std::move(shp), name, palette, kind);
    auto path = toPath(windows_.settings->workingFile(fileName + ".vkl"));
    saveFile(path, encoder::coded(library::buildLibrary(kind, name.substr(0, 50), {image})));
    return {toText(path), 0, std::move(image.preview)};
}

std::optional<library::Palette> TForm2::dropPalette()
{
    auto& remembered = windows_.uiState->state().dropPalette;
    if (remembered.empty()) {
        const auto& game = windows_.settings->state().fields.game;
        if (auto bytes = game.empty() ? std::nullopt : compiler::findGameFile(game, compiler::kGamePalette, true))
            return library::readPalette(*bytes, compiler::kGamePalette);
        auto chosen = windows_.dialogs->openFile("Palettes|*.pal;*.png|All Files|*.*", "pal");
        if (chosen.isEmpty())
            return std::nullopt;
        remembered = toUtf8(chosen);
        windows_.uiState->save();
    }
    return library::readPalette(readFile(toPath(remembered), library::kMaxPaletteFileBytes), remembered);
}

std::optional<library::AnimationDrag> TForm2::shpFileDrag(const QString& shpFile, library::LibraryKind kind)
{
    std::optional<library::AnimationDrag> drag;
    runCommand(*windows_.dialogs, [&] {
        auto palette = dropPalette();
        if (!palette)
            return;
        auto path = toPath(toUtf8(shpFile));
        auto name = utf8ToCp1252(toText(path.filename())).value_or("dropped.shp");
        drag = oneGraphicLibrary(readFile(path, library::kMaxShpFileBytes), name, *palette, kind,
                                 "dropped-" + std::to_string(++filesDropped_));
    });
    return drag;
}

std::optional<library::IconDrag> TForm2::shpFileIcon(const QString& shpFile)
{
    auto drag = shpFileDrag(shpFile, library::LibraryKind::Icon);
    if (!drag)
        return std::nullopt;
    return library::IconDrag{drag->libraryPath, 0, drag->frames.frames.at(0)};
}

void TForm2::newLibraryFromChosen()
{
    newLibrary_->clear();
    // Graphics of the game go in as SHP files, saved in the working directory.
    for (auto row : chosenMembers()) {
        const auto& member = game_->members[row];
        const auto& name = game_->names[row];
        if (archive::kindOf(*game_->archive, member, name).what == archive::MemberKind::What::Shp) {
            auto path = toPath(windows_.settings->workingFile("game-" + archive::safeFileName(name, member.id)));
            saveFile(path, game_->archive->read(member));
            newLibrary_->ShpList->addItem(fromUtf8(toText(path)));
        }
    }
    showToFront(newLibrary_);
}

void TForm2::extractMembers()
{
    auto rows = chosenMembers();
    if (rows.empty())
        return;
    auto folder = windows_.dialogs->browseFolder("Extract to");
    if (folder.isEmpty())
        return;
    for (auto row : rows) {
        const auto& member = game_->members[row];
        auto file = archive::safeFileName(game_->names[row], member.id);
        saveFile(toPath(toUtf8(folder)) / toPath(cp1252ToUtf8(file)), game_->archive->read(member));
    }
}

}
