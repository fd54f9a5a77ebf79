#include "shell/directories.h"

#include <cstdlib>
#include <io.h>

namespace qx {

// The user's roaming application data: an ordinary user cannot write the
// root of drive C:.
fs::path settingsFolder()
{
    const wchar_t* data = ::_wgetenv(L"APPDATA");
    return fs::path(data && *data ? data : L".") / "Quarvex";
}

// Local, not roaming: the working directory holds scratch copies of whole
// projects, which have no business travelling with the user's profile.
fs::path userDataFolder()
{
    const wchar_t* data = ::_wgetenv(L"LOCALAPPDATA");
    return fs::path(data && *data ? data : L".") / "Quarvex";
}

bool canWrite(const fs::path& folder)
{
    return ::_waccess(folder.c_str(), 2) == 0;
}

}
