#pragma once

#include "shell/windows.h"

#include <QWidget>

class QPushButton;

namespace qx {

// The toolbar across the top of the screen. It also holds state that other
// windows share: the graphic source paths and the dragged animation.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(Windows& windows);

    QString Label1, Label2, Label4, Label5, Label6, Label7;
    QWidget* tempcomp = nullptr;

    // Spans the toolbar across the screen, its frame just off screen.
    void stretch();
    QPushButton* button(const QString& caption) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addButton(const QString& caption, const std::function<void()>& action);
    void openEditor(QWidget* editor, const std::string& scratchName);

    Windows& windows_;
};

}
