#pragma once

#include <QWidget>

#include <string>
#include <vector>

class QPlainTextEdit;

namespace qx {

// "Import of rules.ini": the changes of an imported rules file that no
// editor entry carries, each carried as rules text, and the lines the game
// would not read as meant; one a line, to read and copy.
class Timportform : public QWidget {
    Q_OBJECT
public:
    explicit Timportform(QWidget* parent);

    // Lines are Windows-1252.
    void showLines(const std::vector<std::string>& notes);

    QPlainTextEdit* NotCarried;
};

}
