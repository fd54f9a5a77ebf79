#pragma once

#include <QWidget>

#include <string>
#include <vector>

class QPlainTextEdit;

namespace qx {

// "Import of rules.ini": the changes of an imported rules file that no
// entry carries, one a line, to read and copy.
class Timportform : public QWidget {
    Q_OBJECT
public:
    explicit Timportform(QWidget* parent);

    // Lines are Windows-1252.
    void showLines(const std::vector<std::string>& notCarried);

    QPlainTextEdit* NotCarried;
};

}
