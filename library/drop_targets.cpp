#include "library/drop_targets.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPixmap>
#include <QUrl>

namespace qx {
namespace {

void answer(QDragMoveEvent* event, bool accept)
{
    if (accept)
        event->acceptProposedAction();
    else
        event->ignore();
}

ByteView payload(const QByteArray& data)
{
    return ByteView(reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size()));
}

template <typename Drag>
bool isShpFile(const QMimeData* mime, const FileDrop<Drag>& fileDropped)
{
    return fileDropped && !droppedFile(mime, {".shp"}).isEmpty();
}

// The drag a drop carries: a viewer's in its own form (when fromViewer
// allows it), or the one an SHP file from a file manager gives.
template <typename Drag, typename Decode>
std::optional<Drag> dragOf(const QMimeData* mime, const char* format, bool fromViewer, Decode decode,
                           const FileDrop<Drag>& fileDropped)
{
    if (mime->hasFormat(format))
        return fromViewer ? decode(payload(mime->data(format))) : std::nullopt;
    if (isShpFile(mime, fileDropped))
        return fileDropped(droppedFile(mime, {".shp"}));
    return std::nullopt;
}

}

QString droppedFile(const QMimeData* mime, const QStringList& suffixes)
{
    if (!mime->hasUrls() || mime->urls().size() != 1 || !mime->urls().front().isLocalFile())
        return {};
    auto path = mime->urls().front().toLocalFile();
    for (const auto& suffix : suffixes) {
        if (path.endsWith(suffix, Qt::CaseInsensitive))
            return path;
    }
    return {};
}

IconArea::IconArea(DragFlag animationDrag, QWidget* parent)
    : QLabel(parent)
    , animationDrag_(std::move(animationDrag))
{
    setAcceptDrops(true);
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Box);
}

void IconArea::setPicture(const library::Image& picture)
{
    picture_ = picture;
    setPixmap(picture.empty() ? QPixmap() : QPixmap::fromImage(toQImage(picture)));
}

bool IconArea::accepts(const QMimeData* mime) const
{
    return (mime->hasFormat(kIconMime) && !animationDrag_()) || isShpFile(mime, fileDropped);
}

void IconArea::dragEnterEvent(QDragEnterEvent* event)
{
    answer(event, accepts(event->mimeData()));
}

void IconArea::dragMoveEvent(QDragMoveEvent* event)
{
    answer(event, accepts(event->mimeData()));
}

void IconArea::dropEvent(QDropEvent* event)
{
    auto drag = dragOf(event->mimeData(), kIconMime, !animationDrag_(), library::decodeIconDrag, fileDropped);
    if (!drag) {
        event->ignore();
        return;
    }
    setPicture(drag->icon);
    event->acceptProposedAction();
    if (dropped)
        dropped(*drag);
}

AnimationArea::AnimationArea(DragFlag animationDrag, QWidget* parent)
    : AnimationWidget(parent)
    , animationDrag_(std::move(animationDrag))
{
    setAcceptDrops(true);
}

bool AnimationArea::accepts(const QMimeData* mime) const
{
    return (mime->hasFormat(kAnimationMime) && animationDrag_()) || isShpFile(mime, fileDropped);
}

void AnimationArea::dragEnterEvent(QDragEnterEvent* event)
{
    answer(event, accepts(event->mimeData()));
}

void AnimationArea::dragMoveEvent(QDragMoveEvent* event)
{
    answer(event, accepts(event->mimeData()));
}

void AnimationArea::dropEvent(QDropEvent* event)
{
    auto drag = dragOf(event->mimeData(), kAnimationMime, animationDrag_(), library::decodeAnimationDrag, fileDropped);
    if (!drag) {
        event->ignore();
        return;
    }
    setFrames(drag->frames);
    start();
    event->acceptProposedAction();
    if (dropped)
        dropped(*drag);
}

}
