#pragma once

#include "shell/program.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <memory>

namespace qx::test {

// A whole program over a scratch folder: config/, program/ (with qx and
// readme.txt), game/ (with the game's files) and units/.
class ProgramFixture {
public:
    ProgramFixture();

    // Writes settings naming game/, program/ and units/, as "OK" would.
    void acceptDirectories();
    void start();
    Windows& windows() { return program->windows(); }
    std::string workingFile(const std::string& name) const;

    TempDir dir;
    ShellPaths paths;
    ScriptedDialogs dialogs;
    std::unique_ptr<Program> program;
};

}
