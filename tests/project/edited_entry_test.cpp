#include "project/edited_entry.h"

#include <gtest/gtest.h>

namespace qx::project {
namespace {

EditedEntry at(int position)
{
    EditedEntry entry;
    entry.set(position);
    return entry;
}

TEST(EditedEntry, FollowsRemovalsBeforeItAndEndsWithItsOwn)
{
    auto entry = at(3);
    entry.entryRemoved(5);
    EXPECT_EQ(entry.position(), 3);
    entry.entryRemoved(0);
    EXPECT_EQ(entry.position(), 2);
    entry.entryRemoved(2);
    EXPECT_FALSE(entry.isSet());
    EXPECT_EQ(entry.position(), EditedEntry::kNone);
    entry.entryRemoved(0);
    EXPECT_EQ(entry.position(), EditedEntry::kNone);
}

TEST(EditedEntry, NegativePositionsMeanNone)
{
    EXPECT_FALSE(at(-7).isSet());
    auto entry = at(0);
    entry.entryRemoved(-1);
    EXPECT_EQ(entry.position(), 0);
    entry.clear();
    EXPECT_FALSE(entry.isSet());
}

}
}
