#pragma once

#include "common/file_io.h"

#include <sys/types.h>

namespace qx {

// The system calls a save goes through; tests replace them to make a disk
// fail at a chosen call.
struct FileCalls {
    int (*open)(const char* path, int flags, mode_t mode);
    ssize_t (*write)(int fd, const void* data, size_t count);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
};
FileCalls& fileCalls();

// The one way a file is changed: a complete new copy is written under a
// scratch name, flushed to the disk and closed, each step checked, and only
// then renamed over the target. On any failure, and when the save is
// abandoned, the scratch copy is removed and the target stays as it was.
class SaveFile {
public:
    // The scratch copy lies beside the target, named target + ".part".
    explicit SaveFile(const fs::path& target);
    SaveFile(const fs::path& scratch, const fs::path& target);
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;
    ~SaveFile();

    void write(ByteView bytes);
    // Flushes and closes the copy; several saves that belong together
    // finish all their copies before any of them replaces its target.
    void finish();
    // Renames the finished copy over the target.
    void replace();
    void commit()
    {
        finish();
        replace();
    }

private:
    [[noreturn]] void fail(const char* what);
    void discard();

    fs::path scratch_;
    fs::path target_;
    int fd_ = -1;
    bool replaced_ = false;
};

void saveFile(const fs::path& target, ByteView bytes);
void saveFile(const fs::path& scratch, const fs::path& target, ByteView bytes);

}
