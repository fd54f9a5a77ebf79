#pragma once

#include "compiler/compile.h"

#include <QWidget>

#include <optional>
#include <vector>

class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace qx {

// "Compile Preview": what a compile would say and install, before it runs.
class Tpreviewform : public QWidget {
    Q_OBJECT
public:
    explicit Tpreviewform(QWidget* parent);

    // The findings in order; the diff and members when the compile would
    // go on, nothing when it would stop (then "Compile" is disabled).
    void showPreview(const std::vector<compiler::Finding>& findings, const std::optional<compiler::Preview>& preview);

    QListWidget* Messages;
    QPlainTextEdit* RulesDiff;
    QTableWidget* Members;
    QPushButton* CompileButton;
    QPushButton* CloseButton;

signals:
    void compileRequested();

private:
    void showMembers(const std::vector<compiler::Preview::Member>& members);
};

}
