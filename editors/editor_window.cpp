#include "editors/editor_window.h"

namespace qx {

EditorWindow::EditorWindow(Windows& windows, const QString& className, const QString& caption)
    : windows_(windows)
{
    setObjectName(className);
    setWindowTitle(caption);
    resize(480, 360);
}

void EditorWindow::loadEntry(int position, const project::Entry&)
{
    edited.set(position);
    showToFront(this);
}

}
