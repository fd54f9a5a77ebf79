#include "editors/filtered_line_edit.h"

#include "editors/key_filters.h"

#include <QKeyEvent>
#include <QTimer>
#include <QToolTip>

namespace qx {
namespace {

// The key as the filters know it: one character, backspace, or none.
std::optional<char> filterKey(const QKeyEvent* event)
{
    if (event->key() == Qt::Key_Backspace)
        return filters::kBackspace;
    auto text = event->text();
    if (text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() < 0x7f &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return static_cast<char>(text[0].unicode());
    return std::nullopt;
}

}

FilteredLineEdit::FilteredLineEdit(objects::Filter filter, int maxLength, QWidget* parent, int limit)
    : QLineEdit(parent)
    , filter_(filter)
    , limit_(limit)
{
    if (maxLength > 0)
        setMaxLength(maxLength);
    connect(this, &QLineEdit::textChanged, this, &FilteredLineEdit::enforce);
}

void FilteredLineEdit::replaceText(const std::string& text)
{
    filtering_ = true;
    setText(QString::fromStdString(text));
    filtering_ = false;
}

void FilteredLineEdit::setStoredText(const QString& text)
{
    replaceText(text.toStdString());
}

void FilteredLineEdit::enforce()
{
    if (filtering_)
        return;
    auto current = text().toStdString();
    auto wanted = filters::normalized(filter_, current, limit_);
    if (wanted != current)
        replaceText(wanted);
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event)
{
    auto key = filterKey(event);
    if (!key || filter_ == objects::Filter::None) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    auto before = text().toStdString();
    auto result = filters::pressKey(filter_, before, *key, limit_);
    if (result.text != before)
        replaceText(result.text);
    auto typed = filters::typedAs(filter_, *key);
    filtering_ = true;
    if (result.accepted && typed != *key)
        insert(QString(QChar(typed)));
    else if (result.accepted)
        QLineEdit::keyPressEvent(event);
    filtering_ = false;
    event->accept();
    if (!result.accepted && result.text == before)
        signalRefusal();
}

// A refused key is never swallowed silently: the field flashes and says
// what it takes where the player looks.
void FilteredLineEdit::signalRefusal()
{
    auto takes = QString::fromStdString(filters::takesText(filter_, limit_));
    emit refused(takes);
    QToolTip::showText(mapToGlobal(QPoint(0, height())), takes, this);
    setStyleSheet("QLineEdit { background: #f6c9c9; }");
    QTimer::singleShot(300, this, [this] { setStyleSheet(QString()); });
}

void FilteredLineEdit::keyReleaseEvent(QKeyEvent* event)
{
    auto current = text().toStdString();
    auto released = filters::releaseKey(filter_, current, limit_);
    if (released != current)
        replaceText(released);
    QLineEdit::keyReleaseEvent(event);
}

}
