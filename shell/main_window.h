#pragma once

#include "editors/graphics.h"
#include "shell/windows.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QPushButton;

namespace qx {

// The toolbar across the top of the screen. It also holds what the editors
// share: where each graphic of the objects being edited comes from, and the
// animation being dragged from a library viewer.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(Windows& windows);

    graphics::Source& graphicSource(graphics::Graphic graphic) { return sources_.at(static_cast<std::size_t>(graphic)); }
    QWidget* dragSource() const { return dragSource_; }
    void setDragSource(QWidget* source) { dragSource_ = source; }

    // Spans the toolbar across the screen, its frame just off screen.
    void stretch();
    QPushButton* button(const QString& caption) const;
    // F1 in any window: the user's guide in the desktop's browser.
    void showGuide();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addButton(const QString& caption, const std::function<void()>& action);
    void openEditor(QWidget* editor, const std::string& scratchName);

    Windows& windows_;
    QPointer<QWidget> dragSource_;
    std::array<graphics::Source, 6> sources_;
};

}
