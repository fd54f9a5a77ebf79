#pragma once

#include "common/save_file.h"
#include "compiler/game_originals.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qx::compiler {

inline constexpr const char* kInstallFinished = "A compile was interrupted; its install was finished.";

// A compile's install as one step, as the next run sees it: each file is
// written completely as a scratch copy beside its target, then a journal
// in quarvex-originals records each target's name and the size and hash of
// its new file, then the copies are renamed into place and the journal goes.
// A kill before the journal leaves only scratch copies, which the next run
// removes; a kill after it leaves what the next run finishes.
class InstallJournal {
public:
    explicit InstallJournal(const fs::path& game);

    // Writes the scratch copy of target (rules.ini, sc-qx.mix or curqxp.set
    // in the game directory, or the manifest) from its pieces, in order;
    // returns the hash of what it wrote.
    std::string add(const fs::path& target, const std::vector<ByteView>& pieces);

    // Writes the journal, puts every copy in place and removes the journal.
    void commit();

private:
    struct Entry {
        fs::path target;
        ContentHash hash;
        std::unique_ptr<SaveFile> save;
    };
    fs::path game_;
    fs::path folder_;
    std::vector<Entry> entries_;
};

// Run before anything else that takes the game directory: finishes an
// install a killed compile left (returning kInstallFinished), or removes the
// scratch copies of one killed before it had its journal (returning
// nothing). A journal that disagrees with the files is damaged data: throws
// "quarvex-originals/install.txt is damaged: WHY" and changes nothing.
std::optional<std::string> settleInstall(const std::string& gameDir);

// Checks a journal as found in quarvex-originals, as settleInstall reads it.
void checkJournal(ByteView bytes);

// Removes the journal and every scratch copy, whatever the journal says:
// a restore puts the game's own files back in any case.
void clearInstall(const fs::path& game);

}
