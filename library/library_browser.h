#pragma once

#include "shell/windows.h"

#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace qx {

class AnimationWidget;
class LibraryViewer;

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

    // Drags and the active preview, for the viewers.
    void activate(AnimationWidget* preview);
    void animationDragStarted(AnimationWidget* preview);
    void animationDragEnded();
    void viewerClosed(LibraryViewer* viewer);

    bool dragFlag = false;
    AnimationWidget* activePreview = nullptr;
    int viewerCounter = 0;
    const std::vector<LibraryViewer*>& viewers() const { return viewers_; }

    QComboBox* DriveComboBox1;
    QListWidget* DirectoryListBox1;
    QListWidget* FileListBox1;
    QComboBox* FilterComboBox1;
    QProgressBar* ProgressBar1;
    QPushButton* ViewButton;
    QPushButton* BackButton;

private:
    void fillDrives();
    void fillDirectories();
    void placeViewer(LibraryViewer* viewer);

    Windows& windows_;
    QString directory_;
    std::vector<std::string> pathList_;
    std::vector<LibraryViewer*> viewers_;
};

}
