#pragma once

#include "common/file_io.h"

#include <string>
#include <vector>

namespace qx::compiler {

// A file a compile is about to put into the game directory.
struct Replacement {
    std::string name;  // rules.ini or sc-qx.mix
    ByteView bytes;
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
    // fails. Returns where each replacement goes (as target gives it) and
    // the manifest that records them as installed, for the caller to write
    // along with them.
    struct Kept {
        std::vector<fs::path> targets;
        Bytes manifest;
    };
    Kept keep(const std::vector<Replacement>& replacements);

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

}
