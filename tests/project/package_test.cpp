#include "project/package.h"

#include "common/error.h"
#include "project/encoder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::TempDir;

class Package : public ::testing::Test {
protected:
    fs::path file() const { return dir / "project.tmp"; }
    std::vector<std::string> open(const fs::path& source)
    {
        return project::openPackage(source, file(), dir / "openqxp.tmp");
    }
    std::string refusal(const fs::path& source)
    {
        try {
            open(source);
        } catch (const Error& error) {
            return error.what();
        }
        return "accepted";
    }

    void SetUp() override
    {
        project::append(file(), dir / "s", {EntryKind::Unit, "Tank", Bytes(220, 1), {}});
        project::append(file(), dir / "s", {EntryKind::Projectile, "Cannon [Cannon]", Bytes(44, 2), {}});
        project::append(file(), dir / "s", {EntryKind::Crates, "Crate Settings", Bytes(32, 3), {}});
        project::append(file(), dir / "s", {static_cast<EntryKind>(42), "Odd", Bytes(5, 4), {}});
        original = readFile(file());
    }

    TempDir dir;
    Bytes original;
};

TEST_F(Package, SaveThenOpenRestoresTheSameFileAndList)
{
    project::savePackage(file(), dir / "p.qxp");
    EXPECT_EQ(readFile(dir / "p.qxp"), encoder::coded(original));
    project::createEmpty(file());
    auto lines = open(dir / "p.qxp");
    EXPECT_EQ(readFile(file()), original);
    EXPECT_EQ(lines, (std::vector<std::string>{"Unit: Tank", "Projectile: Cannon [Cannon]", "Crate Settings",
                                               "Unknown: Odd"}));
    EXPECT_FALSE(fs::exists(dir / "openqxp.tmp"));
}

TEST_F(Package, EmptyProjectPackageOpensToAnEmptyList)
{
    project::createEmpty(dir / "empty.tmp");
    project::savePackage(dir / "empty.tmp", dir / "empty.qxp");
    EXPECT_EQ(fs::file_size(dir / "empty.qxp"), 8u);
    EXPECT_TRUE(open(dir / "empty.qxp").empty());
    EXPECT_EQ(fs::file_size(file()), 8u);
}

TEST_F(Package, PackageOfAnotherSeedOpens)
{
    test::writeBytes(dir / "other.qxp", encoder::coded(original, 4711));
    project::createEmpty(file());
    EXPECT_EQ(open(dir / "other.qxp").size(), 4u);
    EXPECT_EQ(readFile(file()), original);
}

TEST_F(Package, RefusedPackagesLeaveTheProjectAsItWas)
{
    project::savePackage(file(), dir / "p.qxp");
    auto coded = readFile(dir / "p.qxp");

    EXPECT_EQ(refusal(dir / "missing.qxp"), "Cannot open file " + toText(dir / "missing.qxp") + ": No such file or directory");

    // Every truncation of a valid package is refused.
    for (std::size_t length = 0; length < coded.size(); ++length) {
        test::writeBytes(dir / "cut.qxp", Bytes(coded.begin(), coded.begin() + static_cast<std::ptrdiff_t>(length)));
        EXPECT_NE(refusal(dir / "cut.qxp"), "accepted") << length;
    }

    Bytes random(5000);
    std::uint32_t state = 99;
    for (auto& byte : random)
        byte = static_cast<std::uint8_t>((state = state * 1103515245 + 12345) >> 16);
    test::writeBytes(dir / "random.qxp", random);
    EXPECT_EQ(refusal(dir / "random.qxp"), "This is not a valid Quarvex project!");

    auto plain = original;
    plain[6] = 200;  // count larger than the file holds
    test::writeBytes(dir / "count.qxp", encoder::coded(plain));
    EXPECT_EQ(refusal(dir / "count.qxp"),
              "The project is damaged: the directory of 200 entries runs past the end of the file");

    plain = original;
    plain[8 + 112 + 104] = 10;  // second block overlaps the first
    test::writeBytes(dir / "overlap.qxp", encoder::coded(plain));
    EXPECT_EQ(refusal(dir / "overlap.qxp"), "The project is damaged: entry 2 does not follow the one before it");

    EXPECT_EQ(readFile(file()), original);
    EXPECT_FALSE(fs::exists(dir / "openqxp.tmp"));
}

}
}
