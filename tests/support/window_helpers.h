#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QMenu>

namespace qx::test {

// The menu's entry of that caption, or none.
inline QAction* actionNamed(QMenu* menu, const QString& text)
{
    for (auto* action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// A drag entering the target and dropped: whether the target took it.
inline bool deliver(QWidget* target, QMimeData* mime)
{
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

}
