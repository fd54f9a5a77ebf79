#include "shell/instance_lock.h"

#include <utility>

namespace qx {

WorkingDirLock::WorkingDirLock(WorkingDirLock&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

WorkingDirLock& WorkingDirLock::operator=(WorkingDirLock&& other) noexcept
{
    if (this != &other) {
        release();
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

WorkingDirLock::~WorkingDirLock()
{
    release();
}

}
