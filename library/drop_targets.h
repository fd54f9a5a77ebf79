#pragma once

#include "library/animation_widget.h"
#include "library/drag_data.h"

#include <QLabel>

class QMimeData;

namespace qx {

inline const char* const kAnimationMime = "application/x-quarvex-animation";
inline const char* const kIconMime = "application/x-quarvex-icon";

// Whether an animation drag from the library browser is under way.
using DragFlag = std::function<bool()>;

// The one local file a file manager's drag carries, when its name ends in
// one of the suffixes (".shp", any letter case); empty otherwise.
QString droppedFile(const QMimeData* mime, const QStringList& suffixes);

// What a drop target makes of an SHP file from a file manager: the drag a
// viewer would have given; nothing when it takes none.
template <typename Drag>
using FileDrop = std::function<std::optional<Drag>(const QString& path)>;

// Shows one picture; accepts an icon dragged from an icon library while no
// animation drag is under way.
class IconArea : public QLabel {
    Q_OBJECT
public:
    IconArea(DragFlag animationDrag, QWidget* parent = nullptr);

    void setPicture(const library::Image& picture);
    const library::Image& picture() const { return picture_; }

    std::function<void(const library::IconDrag&)> dropped;
    FileDrop<library::IconDrag> fileDropped;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool accepts(const QMimeData* mime) const;

    DragFlag animationDrag_;
    library::Image picture_;
};

// Runs the frames of an animation dragged from a library viewer; accepts
// only while the animation drag is under way.
class AnimationArea : public AnimationWidget {
    Q_OBJECT
public:
    AnimationArea(DragFlag animationDrag, QWidget* parent = nullptr);

    std::function<void(const library::AnimationDrag&)> dropped;
    FileDrop<library::AnimationDrag> fileDropped;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool accepts(const QMimeData* mime) const;

    DragFlag animationDrag_;
};

}
