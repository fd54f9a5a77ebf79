#pragma once

#include "project/encoder.h"

#include <QElapsedTimer>

namespace qx {

// Keeps the windows responsive during a long coding run, processing pending
// events at most every few milliseconds.
class EventPump : public encoder::Progress {
public:
    EventPump();
    void advanced(std::uint64_t done, std::uint64_t total) override;

private:
    QElapsedTimer sinceLast_;
};

}
