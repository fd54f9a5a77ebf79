#include "shell/directories.h"

#include <cstdlib>
#include <unistd.h>

namespace qx {

fs::path settingsFolder()
{
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return fs::path(config) / "quarvex";
    const char* home = std::getenv("HOME");
    return fs::path(home ? home : ".") / ".config" / "quarvex";
}

fs::path userDataFolder()
{
    return toPath(xdgDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
}

bool canWrite(const fs::path& folder)
{
    return ::access(folder.c_str(), W_OK) == 0;
}

}
