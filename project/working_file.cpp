#include "project/working_file.h"

namespace qx::project {

void createEmpty(const fs::path& path)
{
    const Bytes header{0x01, 0x03, 'Q', 'X', 'P', 0x00, 0x00, 0x00};
    writeFileAtomic(path, header);
}

}
