#pragma once

#include "compiler/rules_check.h"
#include "project/edited_entry.h"
#include "project/entry_loader.h"
#include "shell/windows.h"

#include <QPlainTextEdit>
#include <QSyntaxHighlighter>
#include <QWidget>

#include <map>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace qx {

// Sections, keys, values and comments in their colours; a line the check
// marks is underlined, a fault in red, a note in orange.
class RulesHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

    // By line number, from 1: whether the line holds a fault (or only notes).
    void mark(std::map<std::size_t, bool> faults);

protected:
    void highlightBlock(const QString& text) override;

private:
    std::map<std::size_t, bool> faults_;
};

// A plain text editor with the line numbers in a margin on its left.
class NumberedTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit NumberedTextEdit(QWidget* parent);

    int marginWidth() const;
    void paintMargin(QPaintEvent* event);
    void goToLine(int line);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* margin_;
};

// "Rules Text": any lines of rules.ini, checked as the player types against
// how the game reads them, stored in the project as a rules-text entry.
class TRulesText : public QWidget, public EntryLoader {
    Q_OBJECT
public:
    explicit TRulesText(Windows& windows);

    // Edit from the project window: the entry's name and text, its position
    // taken over.
    void loadEntry(int position, const project::Entry& entry) override;
    // The check of the text as it stands, shown in the list and the margin.
    void check();
    // Stores the text under its name, in place of the edited entry if any.
    void store();
    // Ctrl+F: the find box; Enter in it finds the next match.
    void showFind();
    void findNext();
    // Takes the game's spelling offered by the chosen finding.
    void useGameSpelling();

    project::EditedEntry edited;
    QLineEdit* NameEdit;
    NumberedTextEdit* TextEdit;
    QLineEdit* FindEdit;
    QLabel* FindStatus;
    QListWidget* Findings;
    QPushButton* SpellingButton;
    QPushButton* AddButton;

protected:
    // Closing empties a window whose text is stored; unstored text stays.
    void closeEvent(QCloseEvent* event) override;

private:
    void findingChosen();

    Windows& windows_;
    RulesHighlighter* highlighter_;
    QTimer* checkTimer_;
    std::vector<compiler::RulesFinding> findings_;
    QString storedText_;  // as last stored or loaded
};

}
