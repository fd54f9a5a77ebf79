#include "project/edited_entry.h"

namespace qx::project {

void EditedEntry::entryRemoved(int position)
{
    if (position_ == position)
        clear();
    else if (position_ > position && position >= 0)
        --position_;
}

}
