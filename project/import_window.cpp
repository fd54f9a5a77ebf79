#include "project/import_window.h"

#include "common/cp1252.h"
#include "shell/accessibility.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx {

Timportform::Timportform(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName("Timportform");
    setWindowTitle("Import of rules.ini");
    NotCarried = new QPlainTextEdit(this);
    NotCarried->setObjectName("NotCarried");
    NotCarried->setReadOnly(true);
    NotCarried->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* label = labelFor("&Carried as rules text, and lines to check:", NotCarried);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("CloseButton");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(NotCarried);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(760, 420);
}

void Timportform::showLines(const std::vector<std::string>& notes)
{
    QString text = notes.empty() ? "Every change is carried by an editor entry."
                                 : "What no editor entry carries is carried by the rules-text entry, line by line; "
                                   "lines the game would not read as meant are named:";
    for (const auto& line : notes)
        text += "\n" + QString::fromStdString(cp1252ToUtf8(line));
    NotCarried->setPlainText(text);
}

}
