#include "project/working_file.h"

#include "common/error.h"
#include "support/temp_dir.h"

#include "support/errors.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::TempDir;

const Bytes kEmptyProject{0x01, 0x03, 0x51, 0x58, 0x50, 0x00, 0x00, 0x00};

project::NewEntry warhead(std::uint8_t fill = 0x11)
{
    return {EntryKind::Warhead, "Armor Piercing [AP]", Bytes(12, fill), {}};
}

class WorkingFile : public ::testing::Test {
protected:
    fs::path file() const { return dir / "project.tmp"; }
    void append(const project::NewEntry& entry) { project::append(file(), dir / "tempqxp.tmp", entry); }
    void remove(std::size_t index) { project::remove(file(), dir / "prj.tmp", index); }
    Bytes bytes() const { return readFile(file()); }

    TempDir dir;
};

TEST_F(WorkingFile, NewFileIsEightBytes)
{
    project::createEmpty(file());
    EXPECT_EQ(bytes(), kEmptyProject);
}

TEST_F(WorkingFile, OneWarheadProjectIs132Bytes)
{
    append(warhead());  // creates the missing file first
    Bytes expected = kEmptyProject;
    expected[6] = 1;
    Bytes entry(112, 0);
    entry[0] = 4;
    entry[1] = 19;
    std::string name = "Armor Piercing [AP]";
    std::copy(name.begin(), name.end(), entry.begin() + 2);
    entry[108] = 12;
    expected.insert(expected.end(), entry.begin(), entry.end());
    expected.insert(expected.end(), 12, 0x11);
    EXPECT_EQ(bytes(), expected);
    EXPECT_FALSE(fs::exists(dir / "tempqxp.tmp"));
}

TEST_F(WorkingFile, AppendPlacesBlocksOneAfterAnother)
{
    project::createEmpty(file());
    append({EntryKind::Unit, "Tank", Bytes(220, 1), {Bytes(30, 2), Bytes(40, 3)}});
    append(warhead());
    auto directory = project::readDirectory(file());
    ASSERT_EQ(directory.entries.size(), 2u);
    EXPECT_EQ(directory.entries[0].offset, 0u);
    EXPECT_EQ(directory.entries[0].size, 290u);
    EXPECT_EQ(directory.entries[1].offset, 290u);
    EXPECT_EQ(directory.entries[1].size, 12u);
    auto tank = project::readEntry(file(), 0);
    EXPECT_EQ(tank.kind, EntryKind::Unit);
    EXPECT_EQ(tank.name, "Tank");
    EXPECT_EQ(Bytes(tank.data.begin() + 220, tank.data.begin() + 250), Bytes(30, 2));
    EXPECT_EQ(project::readEntry(file(), 1).data, Bytes(12, 0x11));
}

TEST_F(WorkingFile, ReservedHeaderByteIsKept)
{
    auto start = kEmptyProject;
    start[5] = 0x7e;
    test::writeBytes(file(), start);
    append(warhead());
    remove(0);
    EXPECT_EQ(bytes(), start);
}

TEST_F(WorkingFile, NamesAreCutAtOneHundredCharacters)
{
    append({EntryKind::Weapon, std::string(150, 'n'), Bytes(24), {}});
    EXPECT_EQ(project::readDirectory(file()).entries[0].name, std::string(100, 'n'));
    EXPECT_EQ(bytes()[8 + 1], 100);
}

TEST_F(WorkingFile, RemovingShiftsLaterOffsetsAndKeepsTheirBlocks)
{
    append(warhead(0x01));
    append({EntryKind::Weapon, "Weapon", Bytes(24, 0x02), {}});
    append(warhead(0x03));
    remove(0);
    auto directory = project::readDirectory(file());
    ASSERT_EQ(directory.entries.size(), 2u);
    EXPECT_EQ(directory.entries[0].offset, 0u);
    EXPECT_EQ(directory.entries[1].offset, 24u);
    EXPECT_EQ(project::readEntry(file(), 0).data, Bytes(24, 0x02));
    EXPECT_EQ(project::readEntry(file(), 1).data, Bytes(12, 0x03));
    EXPECT_EQ(bytes().size(), 8u + 2 * 112 + 36);
    EXPECT_FALSE(fs::exists(dir / "prj.tmp"));
}

TEST_F(WorkingFile, RemovingTheLastAndTheOnlyEntry)
{
    append(warhead(0x01));
    append(warhead(0x02));
    remove(1);
    EXPECT_EQ(bytes().size(), 132u);
    EXPECT_EQ(project::readEntry(file(), 0).data, Bytes(12, 0x01));
    remove(0);
    EXPECT_EQ(bytes(), kEmptyProject);
}

TEST_F(WorkingFile, ResavingMovesTheEntryLast)
{
    append({EntryKind::Weapon, "A", Bytes(24, 1), {}});
    append({EntryKind::Weapon, "B", Bytes(24, 2), {}});
    append({EntryKind::Weapon, "C", Bytes(24, 3), {}});
    remove(0);
    append({EntryKind::Weapon, "A", Bytes(24, 9), {}});
    auto lines = project::openedListLines(file());
    EXPECT_EQ(lines, (std::vector<std::string>{"Weapon: B", "Weapon: C", "Weapon: A"}));
    EXPECT_EQ(project::readEntry(file(), 2).data, Bytes(24, 9));
}

TEST_F(WorkingFile, FullProjectRefusesAnotherEntry)
{
    Bytes full = kEmptyProject;
    full[6] = full[7] = 0xff;
    full.resize(8 + 65535 * 112);  // 65535 empty entries of size 0
    test::writeBytes(file(), full);
    try {
        append(warhead());
        FAIL();
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "The project is full: it cannot hold more than 65535 entries.");
    }
    EXPECT_EQ(bytes(), full);
    EXPECT_FALSE(fs::exists(dir / "tempqxp.tmp"));
}

TEST_F(WorkingFile, RemovingAnIndexPastTheEndChangesNothing)
{
    append(warhead());
    auto before = bytes();
    EXPECT_THROW(remove(1), Error);
    EXPECT_EQ(bytes(), before);
}

TEST(ListLines, OpenAndSaveTexts)
{
    EXPECT_EQ(project::openedListLine(EntryKind::Unit, "Tank"), "Unit: Tank");
    EXPECT_EQ(project::openedListLine(EntryKind::Projectile, "Cannon [Cannon]"), "Projectile: Cannon [Cannon]");
    EXPECT_EQ(project::openedListLine(EntryKind::Crates, "Crate Settings"), "Crate Settings");
    EXPECT_EQ(project::openedListLine(EntryKind::Income, "Income & Production Settings"), "Income & Production Settings");
    EXPECT_EQ(project::openedListLine(EntryKind::Terrain, "Clear Grassy Terrain [Clear]"),
              "Terrain Settings: Clear Grassy Terrain [Clear]");
    EXPECT_EQ(project::openedListLine(static_cast<EntryKind>(0), "x"), "Unknown: x");
    EXPECT_EQ(project::openedListLine(static_cast<EntryKind>(20), "x"), "Unknown: x");
    EXPECT_EQ(project::openedListLine(EntryKind::RulesText, "Mod", test::bytesOf("; mine\r\n[A]\r\nB=1\r\n\r\n[C]")),
              "Rules text: Mod (5 lines in 2 sections)");
    EXPECT_EQ(project::openedListLine(EntryKind::RulesText, "Empty", {}), "Rules text: Empty (0 lines in 0 sections)");
}

// Damaged directories are refused with a message, never read out of bounds.
TEST(DamagedProject, IsRefusedByTheDirectoryCheck)
{
    auto entry = [](std::uint32_t offset, std::uint32_t size) {
        Bytes bytes(112, 0);
        bytes[0] = 4;
        for (int i = 0; i < 4; ++i) {
            bytes[104 + i] = static_cast<std::uint8_t>(offset >> (8 * i));
            bytes[108 + i] = static_cast<std::uint8_t>(size >> (8 * i));
        }
        return bytes;
    };
    auto project = [&](std::uint16_t count, std::vector<Bytes> entries, std::size_t data) {
        Bytes bytes = kEmptyProject;
        bytes[6] = static_cast<std::uint8_t>(count);
        bytes[7] = static_cast<std::uint8_t>(count >> 8);
        for (auto& e : entries)
            bytes.insert(bytes.end(), e.begin(), e.end());
        bytes.resize(bytes.size() + data);
        return bytes;
    };
    auto message = [](const Bytes& bytes) {
        try {
            project::parseDirectory(bytes);
        } catch (const Error& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(message(project(1, {entry(0, 12)}, 12)), "accepted");
    EXPECT_EQ(message(project(3, {entry(0, 12)}, 12)),
              "The project is damaged: the directory of 3 entries runs past the end of the file");
    EXPECT_EQ(message(project(2, {entry(0, 12), entry(6, 12)}, 24)),
              "The project is damaged: entry 2 does not follow the one before it");
    EXPECT_EQ(message(project(1, {entry(0, 0xffffffff)}, 12)),
              "The project is damaged: the data blocks do not end with the file");
    EXPECT_EQ(message(project(1, {entry(0, 12)}, 13)),
              "The project is damaged: the data blocks do not end with the file");
    EXPECT_EQ(message(Bytes{0x02, 0x03, 0x51, 0x58, 0x50, 0, 0, 0}), "This is not a valid Quarvex project!");
    EXPECT_EQ(message(Bytes{0x01, 0x03, 0x51}), "This is not a valid Quarvex project!");
}

TEST_F(WorkingFile, DamagedFileIsRefusedByEveryOperation)
{
    append(warhead());
    auto damaged = bytes();
    damaged.resize(damaged.size() - 1);
    test::writeBytes(file(), damaged);
    const std::string refusal = "The project is damaged: the data blocks do not end with the file";
    EXPECT_EQ(test::errorOf([&] { project::readEntry(file(), 0); }), refusal);
    EXPECT_EQ(test::errorOf([&] { append(warhead()); }), refusal);
    EXPECT_EQ(test::errorOf([&] { remove(0); }), refusal);
    EXPECT_EQ(bytes(), damaged);
    EXPECT_FALSE(fs::exists(dir / "tempqxp.tmp"));
    EXPECT_FALSE(fs::exists(dir / "prj.tmp"));
}

}
}
