// What only a POSIX system has: pipes, devices, and a shell to run the
// program in.
#include "tool/run_tool.h"

#include "support/pictures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace qx {
namespace {

using test::TempDir;
using Result = test::ToolResult;
using test::runTool;

// The program itself, as a user runs it: its standard error.
Result runProgram(const std::vector<std::string>& args)
{
    std::string command = QXTOOL_PATH;
    for (const auto& arg : args)
        command += " '" + arg + "'";
    command += " 2>&1 >/dev/null";
    Result result{0, {}, {}};
    auto* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer{};
    while (auto n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        result.err.append(buffer.data(), n);
    result.status = WEXITSTATUS(pclose(pipe));
    return result;
}

std::size_t lineCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Opening a pipe waits for a writer, and a device may never end: every
// command refuses both before it opens them.
TEST(ToolInputs, PipesDevicesAndFoldersAreRefusedWithoutWaiting)
{
    TempDir dir;
    auto pipe = dir / "pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (auto input : {pipe, fs::path("/dev/zero"), dir.path()}) {
        auto name = toText(input);
        auto refusal = "qxtool: Cannot read file " + name + ": it is not an ordinary file\n";
        const std::vector<std::vector<std::string>> commands = {
            {"list", name}, {"encode", name, toText(dir / "out")}, {"decode", name, toText(dir / "out")},
            {"library", name}, {"extract", name, "0", toText(dir / "out")},
            {"make-library", "--kind", "unit", "--title", "T", "--out", toText(dir / "l.vkl"), name + ":" + name},
        };
        for (const auto& args : commands) {
            auto result = runTool(args);
            EXPECT_EQ(result.status, 1) << args[0] << " " << name;
            if (args[0] != "library" && args[0] != "extract") {
                EXPECT_EQ(result.err, refusal) << args[0];
            }
        }
        auto compile = runTool({"compile", name, "--game-dir", dir.text()});
        EXPECT_EQ(compile.err, refusal);
        EXPECT_FALSE(fs::exists(dir / "out"));
    }
}

TEST(ToolProgram, EveryRefusalOfTheProgramIsOneLine)
{
    TempDir dir;
    auto path = [&](const char* name) { return toText(dir / name); };
    test::writeText(dir / "one.shp", "SHP-ONE");
    test::writePng(dir / "red.png", 3, 2, test::kRed);
    auto png = readFile(dir / "red.png");
    png.resize(png.size() - 20);
    test::writeBytes(dir / "cut.png", png);
    test::writePng(dir / "huge.png", 5000, 5000, test::kRed);
    for (const char* picture : {"cut.png", "huge.png", "one.shp"}) {
        auto result = runProgram({"make-library", "--kind", "unit", "--title", "T", "--out", path("x.vkl"),
                                  path("one.shp") + ":" + path(picture)});
        EXPECT_EQ(result.status, 1) << picture;
        EXPECT_EQ(lineCount(result.err), 1u) << result.err;
        EXPECT_TRUE(result.err.starts_with("qxtool: ")) << result.err;
    }
}

}
}
