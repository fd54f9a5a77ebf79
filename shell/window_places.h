#pragma once

#include <QObject>

class QWidget;

namespace qx {

class UiStateFile;

// The toolbar's height: every other window opens below it.
constexpr int kToolbarHeight = 72;

// Each tracked window opens where the player last put it (kept on the
// screen), or below the toolbar the first time; its place and size are
// written to the state file when it is hidden.
class WindowPlaces : public QObject {
    Q_OBJECT
public:
    explicit WindowPlaces(UiStateFile& file);
    void track(QWidget* window);
    // Every shown window's place, written once (the run ends).
    void keepAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restore(QWidget* window);
    void keep(QWidget* window);

    UiStateFile& file_;
    std::vector<QWidget*> windows_;
};

}
