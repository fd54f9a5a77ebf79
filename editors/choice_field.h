#pragma once

#include "stock/menus.h"

#include <QLineEdit>

#include <optional>
#include <set>
#include <vector>

class QMenu;

namespace qx {

// A read-only field whose context menu lists the entries of a menu list,
// each checkable. With one choice a click toggles its entry and unticks the
// others; with several choices it toggles its entry alone. The field shows
// the ticked captions without their '&' marks (several joined by ", " in
// list order). A drop-down button shows what it is; the menu opens on a
// click, Enter or Space, the Menu key or Shift+F10. A menu of several
// choices stays open while entries are ticked.
class ChoiceField : public QLineEdit {
    Q_OBJECT
public:
    enum class Mode { One, Many };
    struct Options {
        // Opening the menu of an empty field unticks every entry first.
        bool untickWhenEmpty = false;
        // Entries a click cannot choose; only a load or an edit ticks them.
        std::set<std::size_t> unclickable;
        // Why they cannot be chosen; with a reason they are shown disabled,
        // with the reason as their tool tip.
        QString unclickableReason;
        // A click on the chosen entry keeps it chosen instead of unticking it.
        bool keepChosen = false;
    };

    ChoiceField(stock::Menu menu, Mode mode, Options options, QWidget* parent = nullptr);

    // The positions of the list's entries with that bracket identifier.
    static std::set<std::size_t> positionsOf(stock::Menu menu, const std::string& identifier);

    // What a click on the entry does (nothing for an unclickable entry).
    void click(std::size_t position);
    // Ticks the entries as an edit or a load does, clickable or not, and
    // shows text (or the ticked captions when text is empty).
    void setTicked(const std::vector<std::size_t>& positions, const QString& text = {});
    void reset();
    // Shows text without changing what is ticked.
    void showText(const QString& text);

    std::vector<std::size_t> ticked() const;
    // The last ticked entry, scanning from the first.
    std::optional<std::size_t> choice() const;
    stock::Menu list() const { return list_; }
    QMenu* menu() const { return menu_; }
    void openMenu(const QPoint& globalPosition);

signals:
    void clicked(std::size_t position);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggle(std::size_t position);
    void fitLongestEntry();
    void showTicked();

    stock::Menu list_;
    Mode mode_;
    Options options_;
    QMenu* menu_;
    std::vector<bool> ticks_;
};

}
