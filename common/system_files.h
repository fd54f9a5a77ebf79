#pragma once

#include "common/save_file.h"

// What the save-file helper needs of the system; one source per system.
namespace qx {

FileCalls systemFileCalls();

// Removes a file or link, never what a link leads to; nothing when absent.
void removeEntry(const fs::path& path);

// Puts a rename into the folder on the disk, where the system needs that.
void syncFolder(const fs::path& file);

}
