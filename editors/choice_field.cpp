#include "editors/choice_field.h"

#include "common/cp1252.h"
#include "stock/line_helpers.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>

namespace qx {

ChoiceField::ChoiceField(stock::Menu menu, Mode mode, Options options, QWidget* parent)
    : QLineEdit(parent)
    , list_(menu)
    , mode_(mode)
    , options_(std::move(options))
    , menu_(new QMenu(this))
    , ticks_(menu.size(), false)
{
    setReadOnly(true);
    setCursor(Qt::PointingHandCursor);
    auto* dropDown = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    dropDown->setToolTip("Choose");
    connect(dropDown, &QAction::triggered, this, [this] { openMenu(mapToGlobal(rect().bottomLeft())); });
    for (auto* button : findChildren<QToolButton*>())
        button->setAccessibleName("Choose");
    if (mode_ == Mode::Many)
        menu_->installEventFilter(this);
    else
        fitLongestEntry();
    menu_->setToolTipsVisible(!options_.unclickableReason.isEmpty());
    for (std::size_t i = 0; i < list_.size(); ++i) {
        auto* action = menu_->addAction(QString::fromStdString(cp1252ToUtf8(list_[i])));
        action->setCheckable(true);
        if (!options_.unclickableReason.isEmpty() && options_.unclickable.contains(i)) {
            action->setEnabled(false);
            action->setToolTip(options_.unclickableReason);
        }
        connect(action, &QAction::triggered, this, [this, i] { click(i); });
    }
}

std::set<std::size_t> ChoiceField::positionsOf(stock::Menu menu, const std::string& identifier)
{
    std::set<std::size_t> positions;
    for (std::size_t i = 0; i < menu.size(); ++i) {
        if (stock::bracketIdentifier(menu[i]) == identifier)
            positions.insert(i);
    }
    return positions;
}

void ChoiceField::click(std::size_t position)
{
    if (position >= list_.size() || options_.unclickable.contains(position)) {
        showTicked();
        return;
    }
    toggle(position);
    showTicked();
    emit clicked(position);
}

void ChoiceField::toggle(std::size_t position)
{
    bool now = !ticks_[position] || options_.keepChosen;
    if (mode_ == Mode::One)
        std::fill(ticks_.begin(), ticks_.end(), false);
    ticks_[position] = now;
}

void ChoiceField::setTicked(const std::vector<std::size_t>& positions, const QString& text)
{
    if (mode_ == Mode::One)
        std::fill(ticks_.begin(), ticks_.end(), false);
    for (auto position : positions) {
        if (position < ticks_.size())
            ticks_[position] = true;
    }
    showTicked();
    if (!text.isEmpty())
        showText(text);
}

void ChoiceField::reset()
{
    std::fill(ticks_.begin(), ticks_.end(), false);
    showTicked();
}

std::vector<std::size_t> ChoiceField::ticked() const
{
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < ticks_.size(); ++i) {
        if (ticks_[i])
            positions.push_back(i);
    }
    return positions;
}

std::optional<std::size_t> ChoiceField::choice() const
{
    auto positions = ticked();
    if (positions.empty())
        return std::nullopt;
    return positions.back();
}

void ChoiceField::showTicked()
{
    QStringList captions;
    auto actions = menu_->actions();
    for (std::size_t i = 0; i < ticks_.size(); ++i) {
        actions[static_cast<qsizetype>(i)]->setChecked(ticks_[i]);
        if (ticks_[i])
            captions << QString::fromStdString(cp1252ToUtf8(stock::withoutAmpersands(list_[i])));
    }
    showText(captions.join(", "));
}

// A long choice shows its start, where the name is, not its end.
void ChoiceField::showText(const QString& text)
{
    setText(text);
    setCursorPosition(0);
}

void ChoiceField::openMenu(const QPoint& globalPosition)
{
    if (options_.untickWhenEmpty && text().isEmpty())
        reset();
    menu_->popup(globalPosition);
}

void ChoiceField::contextMenuEvent(QContextMenuEvent* event)
{
    openMenu(event->globalPos());
    event->accept();
}

// Wide enough that no entry's name is cut off.
void ChoiceField::fitLongestEntry()
{
    int widest = 0;
    for (const auto* entry : list_) {
        auto caption = QString::fromStdString(cp1252ToUtf8(stock::withoutAmpersands(entry)));
        widest = std::max(widest, fontMetrics().horizontalAdvance(caption));
    }
    constexpr int kFrameAndButton = 44;
    setMinimumWidth(widest + kFrameAndButton);
}

void ChoiceField::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        openMenu(mapToGlobal(rect().bottomLeft()));
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

// Ticking an entry of several leaves the menu open for the next.
bool ChoiceField::eventFilter(QObject* watched, QEvent* event)
{
    bool release = event->type() == QEvent::MouseButtonRelease;
    bool key = event->type() == QEvent::KeyPress &&
               (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter ||
                static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space);
    auto* action = menu_->activeAction();
    if (watched == menu_ && (release || key) && action && action->isEnabled()) {
        action->trigger();
        return true;
    }
    return QLineEdit::eventFilter(watched, event);
}

void ChoiceField::keyPressEvent(QKeyEvent* event)
{
    bool openKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space;
    bool menuKey = openKey || event->key() == Qt::Key_Menu ||
                   (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (menuKey) {
        openMenu(mapToGlobal(rect().bottomLeft()));
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}
