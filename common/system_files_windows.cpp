#include "common/system_files.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace qx {
namespace {

// The errno of the system's last error, for the one-line messages.
int failWith(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: errno = EACCES; break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: errno = ENOENT; break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: errno = ENOSPC; break;
    default: errno = EIO; break;
    }
    return -1;
}

int openNew(const fs::path& path)
{
    return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

long long writeSome(int fd, const void* data, std::size_t count)
{
    constexpr std::size_t kMostAtOnce = 1u << 30;
    return ::_write(fd, data, static_cast<unsigned>(count < kMostAtOnce ? count : kMostAtOnce));
}

int flush(int fd)
{
    auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    return ::FlushFileBuffers(handle) ? 0 : failWith(::GetLastError());
}

int closeFile(int fd)
{
    return ::_close(fd);
}

// A target another program holds open cannot be replaced: the move fails
// and the target stays whole.
int renameOver(const fs::path& from, const fs::path& to)
{
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    auto error = ::GetLastError();
    auto target = ::GetFileAttributesW(to.c_str());
    if (target != INVALID_FILE_ATTRIBUTES && (target & FILE_ATTRIBUTE_DIRECTORY)) {
        errno = EISDIR;
        return -1;
    }
    return failWith(error);
}

}

FileCalls systemFileCalls()
{
    return {openNew, writeSome, flush, closeFile, renameOver};
}

// A read-only scratch copy left behind is removed too.
void removeEntry(const fs::path& path)
{
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(path.c_str());
}

// MOVEFILE_WRITE_THROUGH returns once the move is on the disk.
void syncFolder(const fs::path&) {}

}
