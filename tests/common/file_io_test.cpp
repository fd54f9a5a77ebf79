#include "common/file_io.h"

#include "common/error.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::TempDir;

TEST(FileIo, ReadRefusesFilesOverTheLimitBeforeReading)
{
    TempDir dir;
    test::writeBytes(dir / "f", Bytes(100, 1));
    EXPECT_EQ(readFile(dir / "f", 100).size(), 100u);
    EXPECT_THROW(readFile(dir / "f", 99), Error);
}

TEST(FileIo, AtomicWriteReplacesWholeFileAndLeavesNoScratch)
{
    TempDir dir;
    test::writeText(dir / "f", "old and longer content");
    writeFileAtomic(dir / "f", test::bytesOf("new"));
    EXPECT_EQ(readFile(dir / "f"), test::bytesOf("new"));
    EXPECT_FALSE(fs::exists(dir / "f.part"));
}

TEST(FileIo, FailedWriteLeavesTheOldFile)
{
    TempDir dir;
    test::writeText(dir / "f", "old");
    EXPECT_THROW(writeViaScratch(dir / "missing-folder" / "scratch", dir / "f", test::bytesOf("new")), Error);
    EXPECT_EQ(readFile(dir / "f"), test::bytesOf("old"));
}

}
}

namespace qx {
namespace {

TEST(FileIo, FoldersAreNoFiles)
{
    TempDir dir;
    try {
        readFile(dir.path());
        FAIL();
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot read file " + dir.text() + ": it is not an ordinary file");
    }
}

}
}
