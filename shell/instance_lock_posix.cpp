#include "shell/instance_lock.h"

#include "common/error.h"
#include "common/file_names.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace qx {

std::optional<WorkingDirLock> WorkingDirLock::acquire(const fs::path& workingDir)
{
    fs::create_directories(workingDir);
    auto path = workingDir / names::kLock;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0)
        throw Error(systemMessage("Cannot open file", path));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int reason = errno;
        ::close(fd);
        if (reason == EWOULDBLOCK)
            return std::nullopt;
        errno = reason;
        throw Error(systemMessage("Cannot lock file", path));
    }
    return WorkingDirLock(fd);
}

void WorkingDirLock::release()
{
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
    handle_ = -1;
}

}
