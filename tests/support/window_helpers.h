#pragma once

#include "compiler/compile.h"
#include "library/library_browser.h"
#include "library/library_viewer.h"
#include "project/project_window.h"

#include <QApplication>
#include <QDropEvent>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <memory>

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

// The first graphic of the browser's newest viewer (its first icon, for an
// icon library) dragged onto the target: whether the target took it.
inline bool dragFirstGraphic(TForm2* browser, QWidget* target)
{
    auto* viewer = browser->viewers().back();
    if (viewer->iconList()) {
        viewer->iconList()->setCurrentRow(0);
        return deliver(target, std::unique_ptr<QMimeData>(viewer->iconList()->dragData()).get());
    }
    auto* preview = viewer->previews()[0];
    std::unique_ptr<QMimeData> mime(preview->dragData());
    browser->animationDragStarted(preview);
    bool taken = deliver(target, mime.get());
    browser->animationDragEnded();
    return taken;
}

// A file dragged from a file manager onto the target: whether it took it.
inline bool dropFile(QWidget* target, const fs::path& file)
{
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(toText(file)))});
    return deliver(target, &mime);
}

// The lines of the project window's list.
inline QStringList listLines(const Tprjform* project)
{
    QStringList lines;
    for (int i = 0; i < project->ListBox1->count(); ++i)
        lines << project->ListBox1->item(i)->text();
    return lines;
}

// The rules file the compiler's writers build from a project working file.
inline std::string builtRules(const fs::path& projectFile)
{
    return compiler::rulesFileText(compiler::buildOutputs(readFile(projectFile)).rules);
}

}
