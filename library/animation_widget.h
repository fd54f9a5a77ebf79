#pragma once

#include "library/image.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

namespace qx {

QImage toQImage(const library::Image& image);

// Runs a list of equal-sized frames forward at about 15 frames a second,
// centred. Frames may be given as a loader that runs only when they are
// first needed (painted, started or asked for).
class AnimationWidget : public QWidget {
    Q_OBJECT
public:
    explicit AnimationWidget(QWidget* parent = nullptr);

    void setFrames(library::FrameList frames);
    void setFrameLoader(QSize frameSize, std::function<library::FrameList()> loader);
    void clear();
    bool hasFrames() const;
    const library::FrameList& frames();

    void start();
    void stop();
    bool isRunning() const { return timer_.isActive(); }
    bool isDamaged() const { return damaged_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void load();

    std::optional<library::FrameList> frames_;
    std::function<library::FrameList()> loader_;
    std::vector<QImage> images_;
    QTimer timer_;
    int current_ = 0;
    bool damaged_ = false;
};

}
