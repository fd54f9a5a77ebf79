#include "shell/window_places.h"

#include "shell/ui_state.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace qx {
namespace {

WindowPlace placeOf(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

WindowPlace screenOf(const QWidget* window)
{
    auto* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? placeOf(screen->availableGeometry()) : WindowPlace{0, 0, 1024, 768};
}

// Set once a window was placed in this run; later shows keep its place.
const char* const kPlaced = "qxPlaced";
// Room for a window's title bar above its client area.
constexpr int kTitleBar = 32;

// A window seen for the first time opens beside the window that opened it
// (the active one), where the screen has room.
WindowPlace besideOpener(const QWidget* window)
{
    auto place = placeOf(window->geometry());
    auto* opener = QApplication::activeWindow();
    if (!opener || opener == window || opener->geometry().top() < kToolbarHeight)
        return place;
    place.x = opener->frameGeometry().right() + 8;
    place.y = opener->geometry().top();
    auto screen = screenOf(window);
    if (place.x + place.width > screen.x + screen.width)
        place.x = opener->frameGeometry().left() - 8 - window->frameGeometry().width();
    return place;
}

}

WindowPlaces::WindowPlaces(UiStateFile& file) : file_(file) {}

void WindowPlaces::track(QWidget* window)
{
    windows_.push_back(window);
    window->installEventFilter(this);
}

bool WindowPlaces::eventFilter(QObject* watched, QEvent* event)
{
    auto* window = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show && !window->property(kPlaced).toBool())
        restore(window);
    else if (event->type() == QEvent::Hide) {
        keep(window);
        file_.save();
    }
    return false;
}

void WindowPlaces::restore(QWidget* window)
{
    window->setProperty(kPlaced, true);
    const auto& places = file_.state().places;
    auto found = places.find(window->objectName().toStdString());
    auto wanted = found != places.end() ? found->second : besideOpener(window);
    auto place = placeOnScreen(wanted, screenOf(window), kToolbarHeight + kTitleBar);
    window->setGeometry(place.x, place.y, place.width, place.height);
}

void WindowPlaces::keep(QWidget* window)
{
    if (window->property(kPlaced).toBool())
        file_.state().places[window->objectName().toStdString()] = placeOf(window->geometry());
}

void WindowPlaces::keepAll()
{
    for (auto* window : windows_) {
        if (window->isVisible())
            keep(window);
    }
    file_.save();
}

}
