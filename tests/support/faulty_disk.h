#pragma once

#include "common/save_file.h"

namespace qx::test {

// Makes one kind of file call fail while it lives, as a full or broken disk
// would: the call fails with error once `passing` calls of that kind have
// gone through. Writes may also fail after a number of bytes went through.
class FaultyDisk {
public:
    enum class Call { Open, Write, Fsync, Close, Rename };

    FaultyDisk(Call call, int error, int passing = 0, std::size_t bytesBeforeFailing = SIZE_MAX);
    ~FaultyDisk();
    FaultyDisk(const FaultyDisk&) = delete;
    FaultyDisk& operator=(const FaultyDisk&) = delete;

    // How many calls were made to fail.
    int failures() const;

private:
    FileCalls saved_;
};

}
