#pragma once

#include "common/file_io.h"

#include <string>
#include <vector>

namespace qx::compiler {

// The hash the manifest and the install journal record of a file: it tells
// our own output from a changed file, no more, at memory speed. Taken over
// the file's pieces in order, it is the hash of them as one file.
class ContentHash {
public:
    void add(ByteView bytes);
    std::uint64_t size() const { return size_; }
    // 16 hex digits.
    std::string text() const;

private:
    std::uint64_t hash_ = 14695981039346656037ull;
    std::uint8_t pending_[8] = {};
    std::size_t pendingSize_ = 0;
    std::uint64_t size_ = 0;
};
std::string hashOf(ByteView bytes);
// The hash and size of a file, read a piece at a time.
ContentHash hashOfFile(const fs::path& path);

// The hash a manifest records for a file that is not there.
inline constexpr const char* kNoFile = "-";

// A file a compile is about to put into the game directory, or remove.
struct Replacement {
    std::string name;  // rules.ini or sc-qx.mix
    std::string hash;  // of its new content; kNoFile when it is removed
};

// The game's own rules.ini and sc-qx.mix, kept in the folder
// "quarvex-originals" of the game directory before a compile first replaces
// them. A manifest there records, per file, whether the game had it, a hash
// of that original and a hash of what the last compile installed; a file
// matching neither was put there by someone else and is kept too, under a
// name with the time. Names in the game directory match without regard to
// letter case.
class GameOriginals {
public:
    explicit GameOriginals(const std::string& gameDir);

    // Where a file of that name is installed: the game's own spelling of it
    // when there is one.
    fs::path target(const std::string& name) const;

    // Keeps what the replacements would overwrite, completely and synced,
    // and records it; throws, with the game's files unchanged, when that
    // fails. Returns the manifest that records the replacements as
    // installed, for the caller to install along with them.
    Bytes keep(const std::vector<Replacement>& replacements);

    fs::path manifestPath() const;

private:
    fs::path game_;
    fs::path folder_;
};

// Puts the kept files back (or removes a file the game did not have),
// removes "curqxp.set", and clears the kept originals; a foreign file in the
// way is kept first. Returns one line per file changed; none when Quarvex
// has not changed the game directory.
std::vector<std::string> restoreGame(const std::string& gameDir);

// Throws "The game directory DIR does not exist." for a directory that is
// not there: a mistyped one must not be made.
void requireGameDir(const std::string& gameDir);

// Checks a manifest as found in the game directory, as a restore reads it;
// throws "quarvex-originals/manifest.txt is damaged: WHY".
void checkManifest(ByteView bytes);

// "Nothing to restore: Quarvex has not changed DIR."
std::string nothingToRestore(const std::string& gameDir);

// The folder "quarvex-originals" of the game directory, in any letter case;
// throws when it is a link or a file.
fs::path originalsFolder(const fs::path& game);

// What the game directory holds: the game's own files, or the compile of a
// project (when it ran, and whether each file is still from it). An
// interrupted install is finished first, and that is the first line.
std::vector<std::string> gameStatus(const std::string& gameDir);

}
