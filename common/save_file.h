#pragma once

#include "common/file_io.h"

namespace qx {

// The system calls a save goes through, failing with -1 and errno; tests
// replace them to make a disk fail at a chosen call.
struct FileCalls {
    // Creates a new file for writing; never one that exists, nor through a
    // link.
    int (*open)(const fs::path& path);
    long long (*write)(int fd, const void* data, std::size_t count);
    // Flushes the file's data to the disk.
    int (*fsync)(int fd);
    int (*close)(int fd);
    // Replaces the target, on the disk once it returns.
    int (*rename)(const fs::path& from, const fs::path& to);
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
    // The pieces one after another; small ones are gathered into larger
    // writes.
    void write(std::span<const ByteView> pieces);
    // Flushes and closes the copy; several saves that belong together
    // finish all their copies before any of them replaces its target.
    void finish();
    // Renames the finished copy over the target.
    void replace();
    // The finished copy belongs to an install journal from now on: a failed
    // replace, and the end of this object, leave it for the next run to put
    // in place.
    void keepCopy() { kept_ = true; }
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
    bool kept_ = false;
};

// Where a save of target writes its copy first: target + ".part".
fs::path scratchPath(const fs::path& target);

// Puts a finished copy that an install journal holds over its target, as
// a save's last step does.
void replaceWithCopy(const fs::path& scratch, const fs::path& target);

void saveFile(const fs::path& target, ByteView bytes);
// The pieces one after another, as one file.
void saveFile(const fs::path& target, std::span<const ByteView> pieces);
void saveFile(const fs::path& scratch, const fs::path& target, ByteView bytes);

}
