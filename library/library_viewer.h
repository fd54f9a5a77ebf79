#pragma once

#include "library/animation_widget.h"
#include "library/library_file.h"

#include <QListWidget>
#include <QWidget>

#include <memory>

class QMimeData;

namespace qx {

class TForm2;

// One preview of an image library; a click makes it the active preview, a
// drag carries its frames.
class PreviewWidget : public AnimationWidget {
    Q_OBJECT
public:
    PreviewWidget(TForm2& browser, int tag, QWidget* parent);

    int tag() const { return tag_; }
    // What a click does: it becomes the browser's active preview.
    void activate();
    QMimeData* dragData();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    TForm2& browser_;
    int tag_;
    QPoint pressedAt_;
};

// The icons of an icon library, one entry each; a drag carries the
// selected icon.
class IconListWidget : public QListWidget {
    Q_OBJECT
public:
    IconListWidget(const library::FrameList& icons, QWidget* parent);

    QMimeData* dragData();

protected:
    void startDrag(Qt::DropActions actions) override;

private:
    library::FrameList icons_;
};

// A window showing one library; it holds the library's path for the drop
// targets.
class LibraryViewer : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 175;
    static constexpr int kClientHeight = 300;

    LibraryViewer(TForm2& browser, std::shared_ptr<const library::Library> library, const QString& path);

    const QString& libraryPath() const { return path_; }
    const std::vector<PreviewWidget*>& previews() const { return previews_; }
    IconListWidget* iconList() const { return icons_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPreviews();
    void buildIconList();

    TForm2& browser_;
    std::shared_ptr<const library::Library> library_;
    QString path_;
    std::vector<PreviewWidget*> previews_;
    IconListWidget* icons_ = nullptr;
};

}
