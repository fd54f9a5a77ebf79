#pragma once

#include "project/working_file.h"

namespace qx {

// Implemented by every window that edits project entries: the project
// window's "Edit" hands it the entry's list position and its data block.
class EntryLoader {
public:
    virtual ~EntryLoader() = default;
    virtual void loadEntry(int position, const project::Entry& entry) = 0;
};

}
