#include "library/animation_widget.h"

#include <QPainter>

namespace qx {
namespace {
constexpr int kFrameIntervalMs = 66;
}

QImage toQImage(const library::Image& image)
{
    return QImage(image.rgba.data(), image.width, image.height, image.width * 4, QImage::Format_RGBA8888).copy();
}

AnimationWidget::AnimationWidget(QWidget* parent)
    : QWidget(parent)
{
    timer_.setInterval(kFrameIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (!images_.empty())
            current_ = (current_ + 1) % static_cast<int>(images_.size());
        update();
    });
}

void AnimationWidget::setFrames(library::FrameList frames)
{
    loader_ = nullptr;
    images_.clear();
    for (const auto& frame : frames.frames)
        images_.push_back(toQImage(frame));
    frames_ = std::move(frames);
    current_ = 0;
    update();
}

void AnimationWidget::setFrameLoader(QSize frameSize, std::function<library::FrameList()> loader)
{
    clear();
    frames_.reset();
    loader_ = std::move(loader);
    resize(frameSize);
}

void AnimationWidget::clear()
{
    stop();
    damaged_ = false;
    loader_ = nullptr;
    frames_.reset();
    images_.clear();
    current_ = 0;
    update();
}

bool AnimationWidget::hasFrames() const
{
    return frames_.has_value() || loader_ != nullptr;
}

// A preview that cannot be decoded shows as damaged; it must never take the
// window down from inside a paint or a click.
void AnimationWidget::load()
{
    if (!loader_)
        return;
    auto loader = std::move(loader_);
    loader_ = nullptr;
    try {
        setFrames(loader());
    } catch (const std::exception&) {
        setFrames({});
        damaged_ = true;
    }
}

const library::FrameList& AnimationWidget::frames()
{
    load();
    static const library::FrameList none;
    return frames_ ? *frames_ : none;
}

void AnimationWidget::start()
{
    load();
    timer_.start();
}

void AnimationWidget::stop()
{
    timer_.stop();
}

void AnimationWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    load();
    if (damaged_) {
        painter.setPen(Qt::red);
        painter.drawLine(rect().topLeft(), rect().bottomRight());
        painter.drawLine(rect().topRight(), rect().bottomLeft());
    }
    if (images_.empty())
        return;
    const auto& image = images_[static_cast<std::size_t>(current_)];
    painter.drawImage((width() - image.width()) / 2, (height() - image.height()) / 2, image);
}

}
