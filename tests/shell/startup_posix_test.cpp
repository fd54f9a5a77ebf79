// What only a POSIX system does: a second process.
#include "shell/instance_lock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace qx {
namespace {

// A run that dies holding the lock does not block the next.
TEST(WorkingDirLock, ARunThatDiesLetsTheLockGo)
{
    test::TempDir dir;
    pid_t child = fork();
    if (child == 0) {
        auto held = WorkingDirLock::acquire(dir / "temp");
        _exit(held ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(WorkingDirLock::acquire(dir / "temp"));
}

}
}
