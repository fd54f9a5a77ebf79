#include "support/faulty_disk.h"

#include <algorithm>
#include <cerrno>

namespace qx::test {
namespace {

struct Fault {
    FaultyDisk::Call call;
    int error;
    int passing;
    std::size_t bytes;
    int failures;
    FileCalls real;
};

Fault fault;

bool failNow(FaultyDisk::Call call)
{
    if (fault.call != call)
        return false;
    if (fault.passing > 0) {
        --fault.passing;
        return false;
    }
    ++fault.failures;
    errno = fault.error;
    return true;
}

int faultyOpen(const fs::path& path)
{
    return failNow(FaultyDisk::Call::Open) ? -1 : fault.real.open(path);
}

long long faultyWrite(int fd, const void* data, std::size_t count)
{
    if (fault.call == FaultyDisk::Call::Write && fault.bytes != SIZE_MAX) {
        if (fault.bytes == 0) {
            ++fault.failures;
            errno = fault.error;
            return -1;
        }
        auto n = std::min(count, fault.bytes);
        fault.bytes -= n;
        return fault.real.write(fd, data, n);
    }
    return failNow(FaultyDisk::Call::Write) ? -1 : fault.real.write(fd, data, count);
}

int faultyFsync(int fd)
{
    return failNow(FaultyDisk::Call::Fsync) ? -1 : fault.real.fsync(fd);
}

int faultyClose(int fd)
{
    if (failNow(FaultyDisk::Call::Close)) {
        fault.real.close(fd);
        errno = fault.error;
        return -1;
    }
    return fault.real.close(fd);
}

int faultyRename(const fs::path& from, const fs::path& to)
{
    return failNow(FaultyDisk::Call::Rename) ? -1 : fault.real.rename(from, to);
}

}

FaultyDisk::FaultyDisk(Call call, int error, int passing, std::size_t bytesBeforeFailing) : saved_(fileCalls())
{
    fault = {call, error, passing, bytesBeforeFailing, 0, saved_};
    fileCalls() = {faultyOpen, faultyWrite, faultyFsync, faultyClose, faultyRename};
}

FaultyDisk::~FaultyDisk()
{
    fileCalls() = saved_;
}

int FaultyDisk::failures() const
{
    return fault.failures;
}

}
