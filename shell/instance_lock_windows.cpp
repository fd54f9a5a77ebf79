#include "shell/instance_lock.h"

#include "common/error.h"
#include "common/file_names.h"

#include <windows.h>

namespace qx {

std::optional<WorkingDirLock> WorkingDirLock::acquire(const fs::path& workingDir)
{
    fs::create_directories(workingDir);
    auto path = workingDir / names::kLock;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw Error("Cannot open file " + toText(path));
    OVERLAPPED whole{};
    if (!::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole)) {
        auto reason = ::GetLastError();
        ::CloseHandle(file);
        if (reason == ERROR_LOCK_VIOLATION || reason == ERROR_IO_PENDING)
            return std::nullopt;
        throw Error("Cannot lock file " + toText(path));
    }
    return WorkingDirLock(reinterpret_cast<std::intptr_t>(file));
}

void WorkingDirLock::release()
{
    if (handle_ >= 0)
        ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = -1;
}

}
