#pragma once

#include <QLabel>
#include <QString>

namespace qx {

// Teaches the accessibility interface what the program's widgets are: the
// ten windows and the library viewers report the window role, a library
// preview is an image named after its number with an action that makes it
// the active preview. Safe to call more than once.
void installAccessibility();

// The label names its field: the field is the label's buddy, and its
// accessible name is the label's text without '&', trailing colons,
// arrows and blanks.
void nameAfterLabel(QLabel* label, QWidget* field);

// A new label for the field, beside it in its parent, that names it so.
QLabel* labelFor(const QString& caption, QWidget* field);

// The text a screen reader announces for a caption.
QString spokenCaption(const QString& caption);

}
