#pragma once

#include "shell/windows.h"

#include <QPointer>
#include <QWidget>

class QPushButton;

namespace qx {

// The toolbar across the top of the screen. It also holds the animation
// being dragged from a library viewer, which the drop targets take.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(Windows& windows);

    QWidget* dragSource() const { return dragSource_; }
    void setDragSource(QWidget* source) { dragSource_ = source; }

    // Spans the toolbar across the screen, its frame just off screen.
    void stretch();
    QPushButton* button(const QString& caption) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addButton(const QString& caption, const std::function<void()>& action);
    void openEditor(QWidget* editor, const std::string& scratchName);

    Windows& windows_;
    QPointer<QWidget> dragSource_;
};

}
