#pragma once

#include "common/file_io.h"

namespace qx::project {

constexpr std::size_t kHeaderSize = 8;

// Writes the 8-byte header of a project with no entries.
void createEmpty(const fs::path& path);

}
