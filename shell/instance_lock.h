#pragma once

#include "common/file_io.h"

#include <cstdint>
#include <optional>

namespace qx {

// Holds a working directory for one run: an advisory lock on a file inside
// it, released by the system when the run ends or dies, so a crashed run
// never blocks the next start.
class WorkingDirLock {
public:
    // Nothing when another run holds the directory.
    static std::optional<WorkingDirLock> acquire(const fs::path& workingDir);

    WorkingDirLock(WorkingDirLock&& other) noexcept;
    WorkingDirLock& operator=(WorkingDirLock&& other) noexcept;
    WorkingDirLock(const WorkingDirLock&) = delete;
    WorkingDirLock& operator=(const WorkingDirLock&) = delete;
    ~WorkingDirLock();

private:
    explicit WorkingDirLock(std::intptr_t handle) : handle_(handle) {}
    // Closes the handle, which drops the lock; the system's part.
    void release();

    std::intptr_t handle_ = -1;  // a descriptor or a handle
};

}
