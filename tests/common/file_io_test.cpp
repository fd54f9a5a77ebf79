#include "common/file_io.h"

#include "common/error.h"
#include "common/save_file.h"
#include "support/faulty_disk.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <sys/stat.h>

namespace qx {
namespace {

using test::FaultyDisk;
using test::TempDir;

std::string messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "no error";
}

TEST(FileIo, ReadRefusesFilesOverTheLimitBeforeReading)
{
    TempDir dir;
    test::writeBytes(dir / "f", Bytes(100, 1));
    EXPECT_EQ(readFile(dir / "f", 100).size(), 100u);
    EXPECT_EQ(messageOf([&] { readFile(dir / "f", 99); }), "File " + toText(dir / "f") + " is too large (100 bytes)");
}

TEST(SaveFile, ReplacesTheWholeFileAndLeavesNoScratch)
{
    TempDir dir;
    test::writeText(dir / "f", "old and longer content");
    saveFile(dir / "f", test::bytesOf("new"));
    EXPECT_EQ(readFile(dir / "f"), test::bytesOf("new"));
    EXPECT_FALSE(fs::exists(dir / "f.part"));
    saveFile(dir / "scratch", dir / "f", test::bytesOf("newer"));
    EXPECT_EQ(readFile(dir / "f"), test::bytesOf("newer"));
    EXPECT_FALSE(fs::exists(dir / "scratch"));
}

// A killed run's scratch copy, even a read-only one or a link planted in its
// place, is removed rather than written through.
TEST(SaveFile, AStaleScratchIsRemovedFirst)
{
    TempDir dir;
    if (test::linksWork(dir.path())) {
        test::writeText(dir / "other", "untouched");
        fs::create_symlink(dir / "other", dir / "f.part");
        saveFile(dir / "f", test::bytesOf("new"));
        EXPECT_EQ(readFile(dir / "other"), test::bytesOf("untouched"));
    }
    test::writeText(dir / "g.part", "stale");
    fs::permissions(dir / "g.part", fs::perms::owner_read);
    saveFile(dir / "g", test::bytesOf("new"));
    EXPECT_EQ(readFile(dir / "g"), test::bytesOf("new"));
    EXPECT_FALSE(fs::exists(dir / "g.part"));
}

TEST(SaveFile, AnAbandonedSaveRemovesItsScratch)
{
    TempDir dir;
    test::writeText(dir / "f", "old");
    {
        SaveFile file(dir / "f");
        file.write(test::bytesOf("half"));
    }
    EXPECT_EQ(readFile(dir / "f"), test::bytesOf("old"));
    EXPECT_FALSE(fs::exists(dir / "f.part"));
}

// Every failing call, with the error a full or broken disk gives, leaves the
// old file and no scratch copy, and says what failed.
TEST(SaveFile, EveryFailureLeavesTheOldFileAndNoScratch)
{
    struct Case {
        FaultyDisk::Call call;
        int error;
        std::size_t bytes;
        const char* message;
    };
    const Case cases[] = {
        {FaultyDisk::Call::Write, ENOSPC, 0, "Cannot write file"},
        {FaultyDisk::Call::Write, ENOSPC, 5000, "Cannot write file"},
        {FaultyDisk::Call::Write, EIO, 9999, "Cannot write file"},
        {FaultyDisk::Call::Fsync, EIO, SIZE_MAX, "Cannot write file"},
        {FaultyDisk::Call::Close, ENOSPC, SIZE_MAX, "Cannot write file"},
        {FaultyDisk::Call::Rename, EXDEV, SIZE_MAX, "Cannot replace file"},
    };
    TempDir dir;
    const auto path = dir / "f";
    for (const auto& c : cases) {
        test::writeText(path, "old");
        FaultyDisk disk(c.call, c.error, 0, c.bytes);
        auto message = messageOf([&] { saveFile(path, Bytes(10000, 7)); });
        EXPECT_EQ(message, std::string(c.message) + " " + toText(path) + ": " + std::strerror(c.error));
        EXPECT_EQ(disk.failures(), 1);
        EXPECT_EQ(readFile(path), test::bytesOf("old"));
        EXPECT_FALSE(fs::exists(dir / "f.part")) << c.message;
    }
}

TEST(SaveFile, AFolderInTheWayIsReportedAndTheScratchRemoved)
{
    TempDir dir;
    fs::create_directories(dir / "target" / "inside");
    EXPECT_EQ(messageOf([&] { saveFile(dir / "target", test::bytesOf("x")); }),
              "Cannot replace file " + toText(dir / "target") + ": Is a directory");
    EXPECT_FALSE(fs::exists(dir / "target.part"));
    EXPECT_EQ(messageOf([&] { saveFile(dir / "missing-folder" / "f", test::bytesOf("x")); }),
              "Cannot create file " + toText(dir / "missing-folder" / "f.part") + ": No such file or directory");
}

}
}
