#include "common/save_file.h"

#include "common/error.h"

#include "common/system_files.h"

#include <cerrno>
#include <cstring>

namespace qx {

fs::path scratchPath(const fs::path& target)
{
    auto scratch = target;
    scratch += ".part";
    return scratch;
}

FileCalls& fileCalls()
{
    static FileCalls calls = systemFileCalls();
    return calls;
}

SaveFile::SaveFile(const fs::path& target) : SaveFile(scratchPath(target), target) {}

SaveFile::SaveFile(const fs::path& scratch, const fs::path& target) : scratch_(scratch), target_(target)
{
    // A scratch copy left by a killed run is removed, never written through:
    // it may be a link to another file.
    removeEntry(scratch_);
    fd_ = fileCalls().open(scratch_);
    if (fd_ < 0)
        throw Error("Cannot create file " + toText(scratch_) + ": " + std::strerror(errno));
}

SaveFile::~SaveFile()
{
    if (!replaced_)
        discard();
}

void SaveFile::discard()
{
    if (fd_ >= 0)
        fileCalls().close(fd_);
    fd_ = -1;
    if (!kept_)
        removeEntry(scratch_);
}

void SaveFile::fail(const char* what)
{
    auto message = std::string(what) + " " + toText(target_) + ": " + std::strerror(errno);
    discard();
    throw Error(message);
}

void SaveFile::write(ByteView bytes)
{
    const auto* at = bytes.data();
    auto left = bytes.size();
    while (left > 0) {
        auto written = fileCalls().write(fd_, at, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            fail("Cannot write file");
        }
        at += written;
        left -= static_cast<std::size_t>(written);
    }
}

void SaveFile::write(std::span<const ByteView> pieces)
{
    constexpr std::size_t kGathered = 1 << 20;
    Bytes gathered;
    for (auto piece : pieces) {
        if (gathered.size() + piece.size() > kGathered) {
            write(ByteView(gathered));
            gathered.clear();
        }
        if (piece.size() >= kGathered / 4) {
            write(piece);
            continue;
        }
        if (gathered.capacity() == 0)
            gathered.reserve(kGathered);
        gathered.insert(gathered.end(), piece.begin(), piece.end());
    }
    write(ByteView(gathered));
}

void SaveFile::finish()
{
    if (fileCalls().fsync(fd_) != 0)
        fail("Cannot write file");
    int fd = fd_;
    fd_ = -1;
    if (fileCalls().close(fd) != 0)
        fail("Cannot write file");
}

void SaveFile::replace()
{
    if (fileCalls().rename(scratch_, target_) != 0)
        fail("Cannot replace file");
    replaced_ = true;
    syncFolder(target_);
}

void replaceWithCopy(const fs::path& scratch, const fs::path& target)
{
    if (fileCalls().rename(scratch, target) != 0)
        throw Error("Cannot replace file " + toText(target) + ": " + std::strerror(errno));
    syncFolder(target);
}

void saveFile(const fs::path& target, std::span<const ByteView> pieces)
{
    SaveFile file(target);
    file.write(pieces);
    file.commit();
}

void saveFile(const fs::path& target, ByteView bytes)
{
    SaveFile file(target);
    file.write(bytes);
    file.commit();
}

void saveFile(const fs::path& scratch, const fs::path& target, ByteView bytes)
{
    SaveFile file(scratch, target);
    file.write(bytes);
    file.commit();
}

}
