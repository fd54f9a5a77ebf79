#pragma once

#include "archive/mix_reader.h"
#include "library/animation_widget.h"
#include "library/drag_data.h"
#include "library/library_file.h"
#include "library/palette.h"
#include "shell/windows.h"

#include <optional>

#include <QPointer>
#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace qx {

class LibraryViewer;
class NewLibraryWindow;

// Finds graphics libraries on disk and opens them in viewers, from which
// graphics are dragged onto the editors.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(Windows& windows);
    ~TForm2() override;

    const QString& directory() const { return directory_; }
    void setDirectory(const QString& directory);
    void changeDrive(int index);
    void rebuildList();
    void openSelected();
    // Opens the library file in a new viewer.
    void openLibrary(const QString& path);
    // An SHP file from a file manager as the drag of a library of its own,
    // written into the working directory, so that it goes onto the editors
    // as a library's graphic does; its previews drawn in the palette for
    // dropped files (the one the player chose once, else the game's).
    // Nothing when the player chose none or the file was refused (said).
    std::optional<library::AnimationDrag> shpFileDrag(const QString& shpFile, library::LibraryKind kind);
    // The same for an icon: the file's first frame.
    std::optional<library::IconDrag> shpFileIcon(const QString& shpFile);

    // Drags and the active preview, for the viewers.
    void activate(AnimationWidget* preview);
    void animationDragStarted(AnimationWidget* preview);
    void animationDragEnded();
    void viewerClosed(LibraryViewer* viewer);

    // An animation is being dragged from a viewer.
    bool animationDragging() const { return dragFlag_; }
    AnimationWidget* activePreview() const { return activePreview_; }
    // How many viewers were placed since the cascade last began at the top.
    int viewerCounter() const { return viewerCounter_; }
    std::vector<LibraryViewer*> viewers() const;

protected:
    // A library file from a file manager opens in a viewer.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

public:

    // The folder or archive the lists show.
    QLabel* PathLabel;
    QComboBox* DriveComboBox1;
    QListWidget* DirectoryListBox1;
    QListWidget* FileListBox1;
    QComboBox* FilterComboBox1;
    QProgressBar* ProgressBar1;
    QPushButton* ViewButton;
    QPushButton* BackButton;
    QPushButton* NewButton;
    QPushButton* ExtractButton;
    NewLibraryWindow* newLibrary() const { return newLibrary_; }

    // The game folder as a place beside the drives: its archives, and the
    // archives inside them, as folders; their members as the files.
    void showGame();
    void showArchive(int row);
    // The chosen SHP member in a viewer, drawn in the game's temperate
    // palette: a library of that one graphic in the working directory,
    // so that it drags onto the editors as any library's graphics do.
    void viewMember();
    // New Library, with the chosen SHP graphic of the game as its first file.
    void newLibraryFromChosen();
    // The chosen member written into a folder the player picks.
    void extractMembers();
    bool showingGame() const { return game_.has_value(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct GameView {
        std::string dir;
        std::vector<std::string> archives;  // paths openArchivePath takes; empty for a damaged one
        std::optional<archive::MixReader> archive;
        std::vector<archive::MixMember> members;  // as listed
        std::vector<std::string> names;
    };
    const archive::MixMember* chosenMember() const;
    // The rows of the selected members in list order, or the current one.
    std::vector<std::size_t> chosenMembers() const;
    library::AnimationDrag oneGraphicLibrary(Bytes shp, const std::string& name, const library::Palette& palette,
                               library::LibraryKind kind, const std::string& fileName);
    std::optional<library::Palette> dropPalette();
    void fillDrives();
    void showDrive();
    // The lists read again, the chosen library kept chosen.
    void refresh();
    void fillDirectories();
    void placeViewer(LibraryViewer* viewer);

    Windows& windows_;
    QString directory_;
    std::vector<std::string> pathList_;
    std::vector<QPointer<LibraryViewer>> viewers_;
    bool dragFlag_ = false;
    QPointer<AnimationWidget> activePreview_;
    int viewerCounter_ = 0;
    NewLibraryWindow* newLibrary_;
    QFileSystemWatcher* watcher_;
    int filesDropped_ = 0;
    std::optional<GameView> game_;
};

}
