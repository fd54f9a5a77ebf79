#pragma once

#include "library/animation_widget.h"
#include "shell/windows.h"

#include <QPointer>
#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
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

    QComboBox* DriveComboBox1;
    QListWidget* DirectoryListBox1;
    QListWidget* FileListBox1;
    QComboBox* FilterComboBox1;
    QProgressBar* ProgressBar1;
    QPushButton* ViewButton;
    QPushButton* BackButton;
    QPushButton* NewButton;
    NewLibraryWindow* newLibrary() const { return newLibrary_; }

private:
    void fillDrives();
    void showDrive();
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
};

}
