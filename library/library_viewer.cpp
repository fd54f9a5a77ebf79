#include "library/library_viewer.h"

#include "common/cp1252.h"
#include "library/drop_targets.h"
#include "library/library_browser.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScrollArea>
#include <QVBoxLayout>

namespace qx {
namespace {

QByteArray asByteArray(const Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QString viewerOf(QWidget* widget)
{
    for (auto* w = widget; w; w = w->parentWidget()) {
        if (auto* viewer = qobject_cast<LibraryViewer*>(w))
            return viewer->libraryPath();
    }
    return {};
}

}

PreviewWidget::PreviewWidget(TForm2& browser, int tag, QWidget* parent)
    : AnimationWidget(parent)
    , browser_(browser)
    , tag_(tag)
{
}

QMimeData* PreviewWidget::dragData()
{
    library::AnimationDrag drag{toUtf8(viewerOf(this)), tag_ - 1, frames()};
    auto* mime = new QMimeData;
    mime->setData(kAnimationMime, asByteArray(library::encodeDrag(drag)));
    return mime;
}

void PreviewWidget::activate()
{
    browser_.activate(this);
}

void PreviewWidget::mousePressEvent(QMouseEvent* event)
{
    pressedAt_ = event->position().toPoint();
    activate();
}

void PreviewWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - pressedAt_).manhattanLength() < QApplication::startDragDistance())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(dragData());
    browser_.animationDragStarted(this);
    drag->exec(Qt::CopyAction);
    browser_.animationDragEnded();
}

IconListWidget::IconListWidget(const library::FrameList& icons, QWidget* parent)
    : QListWidget(parent)
    , icons_(icons)
{
    setIconSize(QSize(icons.width, icons.height));
    setDragEnabled(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    for (std::size_t i = 0; i < icons_.frames.size(); ++i) {
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(toQImage(icons_.frames[i]))), QString::number(i), this);
        item->setTextAlignment(Qt::AlignCenter);
    }
}

QMimeData* IconListWidget::dragData()
{
    int row = currentRow();
    if (row < 0 || row >= static_cast<int>(icons_.frames.size()))
        return nullptr;
    library::IconDrag drag{toUtf8(viewerOf(this)), row, icons_.frames[static_cast<std::size_t>(row)]};
    auto* mime = new QMimeData;
    mime->setData(kIconMime, asByteArray(library::encodeDrag(drag)));
    return mime;
}

void IconListWidget::startDrag(Qt::DropActions)
{
    auto* mime = dragData();
    if (!mime)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction);
}

LibraryViewer::LibraryViewer(TForm2& browser, std::shared_ptr<const library::Library> library, const QString& path)
    : browser_(browser)
    , library_(std::move(library))
    , path_(path)
{
    setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromStdString(cp1252ToUtf8(library_->title)));
    setFixedSize(kClientWidth, kClientHeight);
    new QVBoxLayout(this);
    layout()->setContentsMargins(0, 0, 0, 0);
    if (library_->kind == library::LibraryKind::Icon)
        buildIconList();
    else
        buildPreviews();
}

void LibraryViewer::buildPreviews()
{
    auto* scroll = new QScrollArea(this);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFrameShape(QFrame::NoFrame);
    QPalette black = scroll->palette();
    black.setColor(QPalette::Window, Qt::black);
    scroll->viewport()->setPalette(black);
    scroll->viewport()->setAutoFillBackground(true);
    auto* content = new QWidget;
    content->setPalette(black);
    content->setAutoFillBackground(true);
    int n = static_cast<int>(library_->previews.size());
    auto* progress = browser_.ProgressBar1;
    progress->setMaximum(n + n / 2);
    progress->setValue(n / 2);
    int top = 5;
    for (int i = 0; i < n; ++i) {
        const auto& stream = library_->previews[static_cast<std::size_t>(i)];
        auto* preview = new PreviewWidget(browser_, i + 1, content);
        auto library = library_;
        preview->setFrameLoader(QSize(stream.width, stream.height),
                                [library, i] { return library->preview(static_cast<std::size_t>(i)); });
        int height = stream.height + (i == n - 1 ? 15 : 0);
        preview->setGeometry((kClientWidth - stream.width) / 2, top, stream.width, height);
        top += stream.height + 18;
        previews_.push_back(preview);
        progress->setValue(progress->value() + 1);
    }
    content->resize(kClientWidth, top);
    scroll->setWidget(content);
    layout()->addWidget(scroll);
}

void LibraryViewer::buildIconList()
{
    auto* progress = browser_.ProgressBar1;
    progress->setMaximum(20);
    progress->setValue(7);
    icons_ = new IconListWidget(library_->previews.empty() ? library::FrameList{} : library_->preview(0), this);
    icons_->setAccessibleName("Icons");
    layout()->addWidget(icons_);
    progress->setValue(20);
}

void LibraryViewer::closeEvent(QCloseEvent* event)
{
    browser_.viewerClosed(this);
    event->accept();
}

}
