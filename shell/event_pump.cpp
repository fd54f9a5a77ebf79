#include "shell/event_pump.h"

#include <QCoreApplication>

namespace qx {
namespace {
constexpr qint64 kIntervalMs = 8;
}

EventPump::EventPump()
{
    sinceLast_.start();
}

void EventPump::advanced(std::uint64_t, std::uint64_t)
{
    if (sinceLast_.elapsed() < kIntervalMs)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceLast_.restart();
}

}
