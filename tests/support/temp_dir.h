#pragma once

#include "common/file_io.h"

#include <string>

namespace qx::test {

// A fresh folder under the system's temporary directory, removed at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }
    std::string text() const { return toText(path_); }

private:
    fs::path path_;
};

void writeBytes(const fs::path& path, const Bytes& bytes);
void writeText(const fs::path& path, const std::string& text);
Bytes bytesOf(const std::string& text);

// The system's path separator, as paths the program joins show it.
inline const std::string kSeparator(1, static_cast<char>(fs::path::preferred_separator));

// Whether symbolic links can be made in the folder: Windows lets most users
// make none.
bool linksWork(const fs::path& dir);

// Whether the patch program can be run here.
bool patchWorks();

}
