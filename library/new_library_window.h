#pragma once

#include "library/library_file.h"
#include "shell/windows.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qx {

// Makes a library of SHP files and a palette, the previews the SHP files'
// own frames in that palette, in the new units directory; the browser then
// opens it in a viewer.
class NewLibraryWindow : public QWidget {
    Q_OBJECT
public:
    explicit NewLibraryWindow(Windows& windows, QWidget* parent = nullptr);

    // Empties the fields for the next library.
    void clear();
    void addShpFile();
    void removeShpFile();
    void choosePalette();
    void make();

    library::ShpLibraryRequest request() const;

    QComboBox* KindBox;
    QLineEdit* TitleEdit;
    QListWidget* ShpList;
    QPushButton* AddShpButton;
    QPushButton* RemoveShpButton;
    QLineEdit* PaletteEdit;
    QPushButton* PaletteButton;
    QPushButton* MakeButton;
    QPushButton* CancelButton;

private:
    Windows& windows_;
};

}
