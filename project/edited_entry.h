#pragma once

#include <functional>

namespace qx::project {

// The list position of the entry an editor was loaded from, or none for a
// new object. A save with a position first removes that entry.
class EditedEntry {
public:
    static constexpr int kNone = -1;

    int position() const { return position_; }
    bool isSet() const { return position_ != kNone; }
    void set(int position)
    {
        position_ = position < 0 ? kNone : position;
        notify();
    }
    void clear()
    {
        position_ = kNone;
        notify();
    }

    // The entry at position left the project: an entry after it moves up
    // one place, and the edited entry itself is gone.
    void entryRemoved(int position);

    // Told whenever the entry is set, cleared or removed, so that a window
    // can say what it edits.
    std::function<void()> changed;

private:
    void notify()
    {
        if (changed)
            changed();
    }

    int position_ = kNone;
};

}
