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
    auto* label = labelFor("&Not carried:", NotCarried);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("CloseButton");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(NotCarried);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(760, 420);
}

void Timportform::showLines(const std::vector<std::string>& notCarried)
{
    auto count = notCarried.size();
    QString text = count == 0   ? "Every change is carried by an entry."
                   : count == 1 ? "1 change is not carried:"
                                : QString("%1 changes are not carried:").arg(count);
    for (const auto& line : notCarried)
        text += "\n" + QString::fromStdString(cp1252ToUtf8(line));
    NotCarried->setPlainText(text);
}

}
