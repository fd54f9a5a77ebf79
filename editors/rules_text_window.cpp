#include "editors/rules_text_window.h"

#include "common/bytes.h"
#include "common/cp1252.h"
#include "common/rules_line.h"
#include "project/project_window.h"
#include "shell/accessibility.h"
#include "shell/dialog_service.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QTextBlock>
#include <QTimer>

namespace qx {
namespace {

constexpr int kCheckDelayMs = 250;

QTextCharFormat colour(const QColor& colour, bool bold = false)
{
    QTextCharFormat format;
    format.setForeground(colour);
    if (bold)
        format.setFontWeight(QFont::Bold);
    return format;
}

// The text as the project stores it: Windows-1252, CR LF line ends; the
// first line without a form in it, when there is one.
struct StoredText {
    std::string bytes;
    int badLine = 0;
};

StoredText storedText(const QString& text)
{
    StoredText stored;
    auto lines = text.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    for (int i = 0; i < lines.size(); ++i) {
        auto line = utf8ToCp1252(toUtf8(lines[i]));
        if (!line) {
            stored.badLine = i + 1;
            return stored;
        }
        stored.bytes += *line + "\r\n";
    }
    return stored;
}

}

void RulesHighlighter::mark(std::map<std::size_t, bool> faults)
{
    faults_ = std::move(faults);
    rehighlight();
}

void RulesHighlighter::highlightBlock(const QString& text)
{
    auto bytes = toUtf8(text);
    auto read = readRulesLine(bytes);
    auto comment = text.indexOf(';');
    if (read.kind == RulesLine::Kind::Header) {
        setFormat(0, comment < 0 ? text.size() : comment, colour(QColor(0x1f, 0x4e, 0x9c), true));
    } else if (read.kind == RulesLine::Kind::Entry) {
        auto equals = text.indexOf('=');
        setFormat(0, equals, colour(QColor(0x8b, 0x1a, 0x6b)));
        setFormat(equals + 1, (comment < 0 ? text.size() : comment) - equals - 1, colour(QColor(0x1b, 0x6e, 0x20)));
    }
    if (comment >= 0)
        setFormat(comment, text.size() - comment, colour(Qt::darkGray));
    auto marked = faults_.find(static_cast<std::size_t>(currentBlock().blockNumber() + 1));
    if (marked == faults_.end())
        return;
    for (int i = 0; i < text.size(); ++i) {
        auto format = this->format(i);
        format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        format.setUnderlineColor(marked->second ? Qt::red : QColor(0xe0, 0x80, 0x00));
        setFormat(i, 1, format);
    }
}

namespace {

class Margin : public QWidget {
public:
    explicit Margin(NumberedTextEdit* edit) : QWidget(edit), edit_(edit) {}
    QSize sizeHint() const override { return {edit_->marginWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { edit_->paintMargin(event); }

private:
    NumberedTextEdit* edit_;
};

}

NumberedTextEdit::NumberedTextEdit(QWidget* parent) : QPlainTextEdit(parent), margin_(new Margin(this))
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { setViewportMargins(marginWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy)
            margin_->scroll(0, dy);
        else
            margin_->update(0, rect.y(), margin_->width(), rect.height());
    });
    setViewportMargins(marginWidth(), 0, 0, 0);
}

int NumberedTextEdit::marginWidth() const
{
    auto digits = QString::number(std::max(1, blockCount())).size();
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * static_cast<int>(digits);
}

void NumberedTextEdit::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    auto area = contentsRect();
    margin_->setGeometry(area.left(), area.top(), marginWidth(), area.height());
}

void NumberedTextEdit::paintMargin(QPaintEvent* event)
{
    QPainter painter(margin_);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    auto block = firstVisibleBlock();
    auto top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        auto height = qRound(blockBoundingRect(block).height());
        if (block.isVisible())
            painter.drawText(0, top, margin_->width() - 4, fontMetrics().height(), Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        top += height;
        block = block.next();
    }
}

void NumberedTextEdit::goToLine(int line)
{
    auto block = document()->findBlockByNumber(line - 1);
    if (!block.isValid())
        return;
    setTextCursor(QTextCursor(block));
    centerCursor();
    setFocus();
}

TRulesText::TRulesText(Windows& windows) : windows_(windows)
{
    setObjectName("TRulesText");
    setWindowTitle("Rules Text");
    NameEdit = new QLineEdit(this);
    NameEdit->setObjectName("NameEdit");
    NameEdit->setMaxLength(100);
    TextEdit = new NumberedTextEdit(this);
    TextEdit->setObjectName("TextEdit");
    highlighter_ = new RulesHighlighter(TextEdit->document());
    FindEdit = new QLineEdit(this);
    FindEdit->setObjectName("FindEdit");
    FindStatus = new QLabel(this);
    FindStatus->setObjectName("FindStatus");
    Findings = new QListWidget(this);
    Findings->setObjectName("Findings");
    SpellingButton = new QPushButton("Use the Game's Spelling", this);
    SpellingButton->setObjectName("SpellingButton");
    SpellingButton->setEnabled(false);
    AddButton = new QPushButton("Add to Project", this);
    AddButton->setObjectName("AddButton");

    auto* layout = new QGridLayout(this);
    layout->addWidget(labelFor("&Name:", NameEdit), 0, 0);
    layout->addWidget(NameEdit, 0, 1, 1, 2);
    layout->addWidget(labelFor("&Rules text:", TextEdit), 1, 0, Qt::AlignTop);
    layout->addWidget(TextEdit, 1, 1, 1, 2);
    layout->addWidget(labelFor("&Find:", FindEdit), 2, 0);
    layout->addWidget(FindEdit, 2, 1);
    layout->addWidget(FindStatus, 2, 2);
    layout->addWidget(labelFor("&Check:", Findings), 3, 0, Qt::AlignTop);
    layout->addWidget(Findings, 3, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SpellingButton);
    buttons->addStretch();
    buttons->addWidget(AddButton);
    layout->addLayout(buttons, 4, 1, 1, 2);
    layout->setRowStretch(1, 3);
    layout->setRowStretch(3, 1);
    resize(640, 560);

    checkTimer_ = new QTimer(this);
    checkTimer_->setSingleShot(true);
    checkTimer_->setInterval(kCheckDelayMs);
    connect(checkTimer_, &QTimer::timeout, this, &TRulesText::check);
    connect(TextEdit, &QPlainTextEdit::textChanged, checkTimer_, qOverload<>(&QTimer::start));
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, &TRulesText::showFind);
    connect(FindEdit, &QLineEdit::returnPressed, this, &TRulesText::findNext);
    connect(Findings, &QListWidget::currentRowChanged, this, &TRulesText::findingChosen);
    connect(Findings, &QListWidget::itemActivated, this, [this] {
        auto row = static_cast<std::size_t>(Findings->currentRow());
        if (row < findings_.size())
            TextEdit->goToLine(static_cast<int>(findings_[row].line));
    });
    connect(SpellingButton, &QPushButton::clicked, this, &TRulesText::useGameSpelling);
    connect(AddButton, &QPushButton::clicked, this, [this] { runCommand(*windows_.dialogs, [this] { store(); }); });
}

void TRulesText::check()
{
    checkTimer_->stop();
    auto stored = storedText(TextEdit->toPlainText());
    findings_ = stored.badLine ? std::vector<compiler::RulesFinding>{{static_cast<std::size_t>(stored.badLine),
                                                                       "a character that is not Western European",
                                                                       false, {}}}
                               : compiler::checkRules(stored.bytes);
    Findings->clear();
    std::map<std::size_t, bool> marks;
    for (const auto& finding : findings_) {
        Findings->addItem(QString("%1: %2%3")
                              .arg(finding.line)
                              .arg(finding.note ? "note: " : "")
                              .arg(fromUtf8(cp1252ToUtf8(finding.text))));
        marks[finding.line] = marks[finding.line] || !finding.note;
    }
    if (findings_.empty())
        Findings->addItem("The game reads every line as written.");
    highlighter_->mark(std::move(marks));
    SpellingButton->setEnabled(false);
}

void TRulesText::findingChosen()
{
    auto row = Findings->currentRow();
    bool offered = row >= 0 && static_cast<std::size_t>(row) < findings_.size() &&
                   !findings_[static_cast<std::size_t>(row)].spelling.empty();
    SpellingButton->setEnabled(offered);
}

void TRulesText::useGameSpelling()
{
    auto row = Findings->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= findings_.size())
        return;
    const auto& finding = findings_[static_cast<std::size_t>(row)];
    // The list may be older than the text: a line that is gone, or no longer
    // names a key, is left alone.
    auto block = TextEdit->document()->findBlockByNumber(static_cast<int>(finding.line) - 1);
    auto text = block.text();
    auto line = toUtf8(text);
    auto read = readRulesLine(line);
    auto written = fromUtf8(cp1252ToUtf8(read.name));
    auto at = text.indexOf(written);
    if (!block.isValid() || finding.spelling.empty() || written.isEmpty() || at < 0)
        return;
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + static_cast<int>(at));
    cursor.setPosition(block.position() + static_cast<int>(at + written.size()), QTextCursor::KeepAnchor);
    cursor.insertText(fromUtf8(cp1252ToUtf8(finding.spelling)));
    check();
}

void TRulesText::showFind()
{
    FindEdit->setFocus();
    FindEdit->selectAll();
}

void TRulesText::findNext()
{
    auto wanted = FindEdit->text();
    if (wanted.isEmpty())
        return;
    bool found = TextEdit->find(wanted);
    if (!found) {
        TextEdit->moveCursor(QTextCursor::Start);
        found = TextEdit->find(wanted);
    }
    FindStatus->setText(found ? QString() : "Not found");
}

void TRulesText::store()
{
    auto name = utf8ToCp1252(toUtf8(NameEdit->text().trimmed()));
    if (!name || name->empty()) {
        windows_.dialogs->error(name ? "Please enter a name for the rules text!"
                                     : "Please use only Western European characters in the name!");
        return;
    }
    auto stored = storedText(TextEdit->toPlainText());
    if (stored.badLine) {
        windows_.dialogs->error(QString("Line %1 holds a character that is not Western European.").arg(stored.badLine));
        return;
    }
    auto refusals = compiler::rulesTextRefusals(stored.bytes, "");
    if (!refusals.empty()) {
        QStringList lines;
        for (const auto& refusal : refusals)
            lines << fromUtf8(cp1252ToUtf8(refusal));
        windows_.dialogs->error("The game would not read this rules text as written:\n" + lines.join('\n'));
        return;
    }
    DisabledWhile busy(this);
    Bytes block(stored.bytes.begin(), stored.bytes.end());
    // The window goes on editing the stored entry.
    edited.set(windows_.prjform->storeEntry({EntryKind::RulesText, *name, block, {}},
                                            project::openedListLine(EntryKind::RulesText, *name, block),
                                            edited.position()));
    storedText_ = TextEdit->toPlainText();
}

void TRulesText::closeEvent(QCloseEvent* event)
{
    // Text that is stored is in the project; any other text stays here.
    if (TextEdit->toPlainText() == storedText_) {
        NameEdit->clear();
        TextEdit->clear();
        storedText_.clear();
        edited.clear();
    }
    event->accept();
}

void TRulesText::loadEntry(int position, const project::Entry& entry)
{
    auto text = fromUtf8(cp1252ToUtf8(textOf(entry.data)));
    text.remove('\r');
    NameEdit->setText(fromUtf8(cp1252ToUtf8(entry.name)));
    TextEdit->setPlainText(text);
    storedText_ = text;
    check();
    edited.set(position);
    showToFront(this);
}

}
