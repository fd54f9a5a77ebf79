#include "shell/tool_commands.h"

#include "project/encoder.h"
#include "project/package.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qx {
namespace {

using test::TempDir;

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result runTool(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    int status = tool::run(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(ToolCode, EncodeAndDecodeAreTheSameOperation)
{
    TempDir dir;
    auto plain = test::bytesOf("some plain bytes");
    test::writeBytes(dir / "plain", plain);
    auto result = runTool({"encode", toText(dir / "plain"), toText(dir / "coded")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(readFile(dir / "coded"), encoder::coded(plain));
    EXPECT_EQ(runTool({"decode", toText(dir / "coded"), toText(dir / "back")}).status, 0);
    EXPECT_EQ(readFile(dir / "back"), plain);
}

TEST(ToolCode, MissingInputFailsWithOneLine)
{
    TempDir dir;
    auto result = runTool({"decode", toText(dir / "missing"), toText(dir / "out")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "qxtool: Cannot open file " + toText(dir / "missing") + ": No such file or directory\n");
    EXPECT_FALSE(fs::exists(dir / "out"));
}

TEST(ToolCode, WrongArgumentsShowUsage)
{
    EXPECT_EQ(runTool({}).status, 2);
    EXPECT_EQ(runTool({"encode", "only-one"}).err, "usage: qxtool encode|decode IN OUT\n");
}

}
}

namespace qx {
namespace {

TEST(ToolList, PrintsTheLinesOfAnOpenedPackageInUtf8)
{
    TempDir dir;
    project::append(dir / "p.tmp", dir / "s", {1, "Panzer \xe9", Bytes(220), {}});
    project::append(dir / "p.tmp", dir / "s", {3, "Cannon [Cannon]", Bytes(44), {}});
    project::savePackage(dir / "p.tmp", dir / "p.qxp");
    auto result = runTool({"list", toText(dir / "p.qxp")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Unit: Panzer \u00e9\nProjecitle: Cannon [Cannon]\n");
}

TEST(ToolList, RefusesAFileThatIsNoPackage)
{
    TempDir dir;
    test::writeText(dir / "x.qxp", "not a package at all");
    auto result = runTool({"list", toText(dir / "x.qxp")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "qxtool: This is not a valid Quarvex project!\n");
    EXPECT_EQ(result.out, "");
}

}
}
