#include "library/library_browser.h"

#include "common/cp1252.h"
#include "library/library_file.h"
#include "library/library_viewer.h"
#include "library/new_library_window.h"
#include "shell/accessibility.h"
#include "shell/dialog_service.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStorageInfo>

namespace qx {
namespace {

const char* const kParent = "..";

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
    ViewButton = new QPushButton("View Library", this);
    ViewButton->setObjectName("ViewButton");
    ViewButton->setEnabled(false);
    BackButton = new QPushButton("Back", this);
    BackButton->setObjectName("BackButton");
    NewButton = new QPushButton("New Library...", this);
    NewButton->setObjectName("NewButton");
    newLibrary_ = new NewLibraryWindow(windows_, this);
    // A screen reader names a combo box by its current entry unless a label
    // points at it, so each gets one.
    grid->addWidget(labelFor("Drive:", DriveComboBox1), 0, 0);
    grid->addWidget(labelFor("Show:", FilterComboBox1), 0, 1);
    grid->addWidget(DriveComboBox1, 1, 0);
    grid->addWidget(DirectoryListBox1, 2, 0);
    grid->addWidget(FilterComboBox1, 1, 1);
    grid->addWidget(FileListBox1, 2, 1);
    grid->addWidget(ProgressBar1, 0, 2, 3, 1);
    grid->addWidget(ViewButton, 3, 0);
    grid->addWidget(BackButton, 3, 1);
    grid->addWidget(NewButton, 4, 0, 1, 2);
    resize(520, 360);

    auto guarded = [this](void (TForm2::*command)()) {
        return [this, command] { runCommand(*windows_.dialogs, [&] { (this->*command)(); }); };
    };
    connect(DriveComboBox1, &QComboBox::activated, this,
            [this](int index) { runCommand(*windows_.dialogs, [&] { changeDrive(index); }); });
    connect(DirectoryListBox1, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        runCommand(*windows_.dialogs, [&] { setDirectory(QDir(directory_).filePath(item->text())); });
    });
    connect(FilterComboBox1, &QComboBox::currentIndexChanged, this, guarded(&TForm2::rebuildList));
    connect(FileListBox1, &QListWidget::currentRowChanged, this, [this](int row) { ViewButton->setEnabled(row >= 0); });
    connect(FileListBox1, &QListWidget::itemDoubleClicked, this, guarded(&TForm2::openSelected));
    connect(ViewButton, &QPushButton::clicked, this, guarded(&TForm2::openSelected));
    connect(BackButton, &QPushButton::clicked, this, &QWidget::close);
    connect(NewButton, &QPushButton::clicked, this, [this] {
        newLibrary_->clear();
        showToFront(newLibrary_);
    });

    fillDrives();
    setDirectory(QDir::currentPath());
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
    for (const auto& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid())
            DriveComboBox1->addItem(QDir::toNativeSeparators(volume.rootPath()), volume.rootPath());
    }
}

void TForm2::showDrive()
{
    DriveComboBox1->setCurrentIndex(DriveComboBox1->findData(QStorageInfo(directory_).rootPath()));
}

void TForm2::setDirectory(const QString& directory)
{
    directory_ = QDir(directory).canonicalPath();
    showDrive();
    fillDirectories();
    rebuildList();
}

void TForm2::changeDrive(int index)
{
    auto root = DriveComboBox1->itemData(index).toString();
    QDir dir(root);
    if (root.isEmpty() || !dir.exists() || !dir.isReadable()) {
        showDrive();
        windows_.dialogs->error("geht nict");
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

void TForm2::placeViewer(LibraryViewer* viewer)
{
    viewer->move(22 * viewerCounter_, 22 * viewerCounter_);
    ++viewerCounter_;
    auto* screen = QApplication::primaryScreen();
    int screenHeight = screen ? screen->geometry().height() : 768;
    if (22 * viewerCounter_ + LibraryViewer::kClientHeight > screenHeight)
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
