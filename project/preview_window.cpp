#include "project/preview_window.h"

#include "common/cp1252.h"
#include "shell/accessibility.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSyntaxHighlighter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qx {
namespace {

// Added and removed lines and hunk headers in colours of their own; the
// document is laid out once, each block coloured as it is laid out.
class DiffHighlighter : public QSyntaxHighlighter {
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

protected:
    void highlightBlock(const QString& line) override
    {
        if (line.startsWith("+++") || line.startsWith("---"))
            setFormat(0, static_cast<int>(line.size()), format(Qt::darkGray, true));
        else if (line.startsWith("@@"))
            setFormat(0, static_cast<int>(line.size()), format(Qt::darkBlue, true));
        else if (line.startsWith('+'))
            setFormat(0, static_cast<int>(line.size()), format(Qt::darkGreen, false));
        else if (line.startsWith('-'))
            setFormat(0, static_cast<int>(line.size()), format(Qt::darkRed, false));
    }

private:
    static QTextCharFormat format(Qt::GlobalColor colour, bool bold)
    {
        QTextCharFormat result;
        result.setForeground(colour);
        if (bold)
            result.setFontWeight(QFont::Bold);
        return result;
    }
};

QString findingText(const compiler::Finding& finding)
{
    auto text = QString::fromStdString(cp1252ToUtf8(finding.text)).replace('\r', " / ");
    auto kind = QString(compiler::kindName(finding.kind));
    if (finding.kind == compiler::Finding::Kind::Question)
        kind += " (shown as answered Yes)";
    return kind + ": " + text;
}

}

Tpreviewform::Tpreviewform(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName("Tpreviewform");
    setWindowTitle("Compile Preview");
    Messages = new QListWidget(this);
    Messages->setObjectName("Messages");
    RulesDiff = new QPlainTextEdit(this);
    RulesDiff->setObjectName("RulesDiff");
    RulesDiff->setReadOnly(true);
    RulesDiff->setLineWrapMode(QPlainTextEdit::NoWrap);
    RulesDiff->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    new DiffHighlighter(RulesDiff->document());
    Members = new QTableWidget(0, 2, this);
    Members->setObjectName("Members");
    Members->setHorizontalHeaderLabels({"Name", "Size (bytes)"});
    Members->horizontalHeader()->setStretchLastSection(true);
    Members->verticalHeader()->hide();
    Members->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CompileButton = new QPushButton("Compile", this);
    CompileButton->setObjectName("CompileButton");
    CloseButton = new QPushButton("Close", this);
    CloseButton->setObjectName("CloseButton");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labelFor("&Messages:", Messages));
    layout->addWidget(Messages, 1);
    layout->addWidget(labelFor("C&hanges to rules.ini:", RulesDiff));
    layout->addWidget(RulesDiff, 4);
    layout->addWidget(labelFor("&Archive members:", Members));
    layout->addWidget(Members, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CompileButton);
    buttons->addWidget(CloseButton);
    layout->addLayout(buttons);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
    connect(CompileButton, &QPushButton::clicked, this, [this] {
        close();
        emit compileRequested();
    });
    resize(760, 640);
}

void Tpreviewform::showPreview(const std::vector<compiler::Finding>& findings,
                               const std::optional<compiler::Preview>& preview)
{
    Messages->clear();
    for (const auto& finding : findings)
        Messages->addItem(findingText(finding));
    CompileButton->setEnabled(preview.has_value());
    if (!preview)
        RulesDiff->setPlainText("The compile would stop: nothing would be installed.");
    else if (preview->rulesDiff.empty())
        RulesDiff->setPlainText("The compile would not change rules.ini.");
    else
        RulesDiff->setPlainText(QString::fromStdString(cp1252ToUtf8(preview->rulesDiff)).remove('\r'));
    showMembers(preview ? preview->members : std::vector<compiler::Preview::Member>{});
}

void Tpreviewform::showMembers(const std::vector<compiler::Preview::Member>& members)
{
    Members->setRowCount(static_cast<int>(members.size()));
    for (int row = 0; row < Members->rowCount(); ++row) {
        const auto& member = members[static_cast<std::size_t>(row)];
        Members->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(cp1252ToUtf8(member.name))));
        auto* size = new QTableWidgetItem(QString::number(member.size));
        size->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Members->setItem(row, 1, size);
    }
}

}
