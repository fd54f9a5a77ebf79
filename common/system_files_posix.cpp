#include "common/system_files.h"

#include <fcntl.h>
#include <unistd.h>

namespace qx {
namespace {

int openNew(const fs::path& path)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

long long writeSome(int fd, const void* data, std::size_t count)
{
    return ::write(fd, data, count);
}

int flush(int fd)
{
    return ::fsync(fd);
}

int closeFile(int fd)
{
    return ::close(fd);
}

int renameOver(const fs::path& from, const fs::path& to)
{
    return ::rename(from.c_str(), to.c_str());
}

}

FileCalls systemFileCalls()
{
    return {openNew, writeSome, flush, closeFile, renameOver};
}

void removeEntry(const fs::path& path)
{
    ::unlink(path.c_str());
}

// The rename is on the disk only once its folder is.
void syncFolder(const fs::path& file)
{
    auto folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

}
