// What only a POSIX system has: pipes and devices.
#include "common/error.h"
#include "common/file_io.h"
#include "support/errors.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace qx {
namespace {

using test::TempDir;

// Opening a pipe for reading waits for a writer; a device may never end.
TEST(FileIo, ReadersRefuseWhatIsNoOrdinaryFileBeforeOpeningIt)
{
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
    for (auto path : {dir / "pipe", dir.path(), fs::path("/dev/zero")}) {
        auto expected = "Cannot read file " + toText(path) + ": it is not an ordinary file";
        EXPECT_EQ(test::errorOf([&] { readFile(path); }), expected);
        EXPECT_EQ(test::errorOf([&] { readFileHead(path, 8); }), expected);
        EXPECT_EQ(test::errorOf([&] { openInput(path); }), expected);
    }
    EXPECT_EQ(test::errorOf([&] { readFile(dir / "missing"); }),
              "Cannot open file " + toText(dir / "missing") + ": No such file or directory");
}

}
}
