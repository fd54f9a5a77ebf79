#include "compiler/project_text.h"

#include "common/text.h"
#include "common/unified_diff.h"
#include "stock/records.h"
#include "general/groups.h"
#include "library/component_stream.h"
#include "project/encoder.h"
#include "project/working_file.h"
#include "support/errors.h"
#include "support/frames.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <sstream>

namespace qx::compiler {
namespace {

using test::TempDir;

Bytes stream(int count) { return library::writeImageListComponent(test::frames(count, 4, 3)); }

project::Entry unitWithGraphics()
{
    auto unit = records::defaults(EntryKind::Unit);
    unit.text("name") = "Pz\xe9 \\ Tank";
    unit.number("strength") = 400;
    unit.number("primary") = 3;
    unit.flags("prerequisites")[2] = 1;
    unit.number("frameCount") = 2;
    std::vector<Bytes> parts{library::writePictureComponent(test::frames(1, 4, 3).frames[0]), stream(2),
                             Bytes{1, 2, 3}, Bytes(40, 9)};
    Bytes block = records::pack([&] {
        for (std::size_t i = 0; i < parts.size(); ++i)
            unit.sizes[i] = static_cast<std::uint32_t>(parts[i].size());
        return unit;
    }());
    for (const auto& part : parts)
        block.insert(block.end(), part.begin(), part.end());
    return {EntryKind::Unit, "Pz\xe9 Tank", block};
}

// Every kind and group, graphics, an unknown kind, and bytes no field
// describes: in records, after the parts, in the directory and the header.
Bytes everyKindProject()
{
    std::vector<project::Entry> entries{unitWithGraphics()};
    for (auto kind : {EntryKind::Weapon, EntryKind::Projectile, EntryKind::Warhead, EntryKind::Building})
        entries.push_back({kind, "Default", records::pack(records::defaults(kind))});
    for (int byte = static_cast<int>(EntryKind::Difficulty); byte <= static_cast<int>(EntryKind::Terrain); ++byte) {
        auto kind = static_cast<EntryKind>(byte);
        Bytes record(factsOf(kind)->recordSize);
        for (std::size_t i = 0; i < record.size(); ++i)
            record[i] = static_cast<std::uint8_t>(i * 7 + byte);
        entries.push_back({kind, "Group", record});
    }
    entries.push_back({static_cast<EntryKind>(200), "Unknown\nkind", Bytes{5, 6, 7}});
    entries[1].data[23] = 0xAB;                            // a weapon byte no field holds
    entries[2].data.push_back(0xEE);                       // after the projectile's record
    entries.push_back({EntryKind::Warhead, "Short", Bytes(3, 1)});  // a damaged block travels whole
    entries.push_back({EntryKind::RulesText, "Mine", test::bytesOf("; mine\r\n[3TNK]\r\nCrewed=no")});
    entries.push_back({EntryKind::RulesText, "Long", test::bytesOf("[A]\nB=" + std::string(130, 'b'))});
    auto file = project::buildWorkingFile(7, entries);
    file[project::kHeaderSize + project::kEntrySize + 90] = 0x55;  // junk behind a name
    return file;
}

FileReader readerOf(const TextForm& form)
{
    return [&form](const std::string& path) {
        for (const auto& [name, bytes] : form.files) {
            if (name == path)
                return bytes;
        }
        throw Error("Cannot open file " + path + ": No such file or directory");
    };
}

// As a strict INI reader that folds the case of keys sees the text: the
// first key given twice in a section, or nothing.
std::string keyGivenTwice(const std::string& ini)
{
    std::set<std::string> keys;
    std::istringstream lines(ini);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with('['))
            keys.clear();
        else if (auto key = lowerCase(line.substr(0, line.find('='))); !line.empty() && !keys.insert(key).second)
            return key;
    }
    return {};
}

TEST(ProjectText, EveryProjectComesBackByteForByte)
{
    auto original = everyKindProject();
    auto form = exportText(original);
    EXPECT_EQ(importText(form.ini, readerOf(form)), original);
    EXPECT_EQ(keyGivenTwice(form.ini), "");
    // Texts exported before keys differed in more than letter case still read.
    auto former = form.ini;
    for (const auto& [key, old] : {std::pair{"\nObjectName=", "\nname="}, {"\nVersesWood=", "\nwood="}}) {
        for (auto at = former.find(key); at != std::string::npos; at = former.find(key))
            former.replace(at, std::strlen(key), old);
    }
    EXPECT_EQ(importText(former, readerOf(form)), original);
    auto again = exportText(original);
    EXPECT_EQ(again.ini, form.ini);
    EXPECT_EQ(again.files, form.files);

    for (const char* line : {"[Unit 1]\nName=Pz\u00e9 Tank\nObjectName=Pz\u00e9 \\\\ Tank\n", "Strength=400\n",
                             "Primary=", "Prerequisite=", "FrameList=files/1-framelist.stream\n",
                             "Icon=files/1-icon.shp\n", "Unmapped=23:ab\n", "Extra=files/3-extra.bin\n",
                             "[Entry 19]\nName=Unknown\\x0akind\nKind=200\nData=files/19.bin\n",
                             "[Warhead 20]\nName=Short\nData=files/20.bin\n", "Directory=", "[Project]\nReserved=7\n",
                             "[RulesText 21]\nName=Mine\nText=rules-text-21.ini\n",
                             "[RulesText 22]\nName=Long\nData=files/22.bin\n"})
        EXPECT_NE(form.ini.find(line), std::string::npos) << line;
    // A rules text lies beside project.ini as it is.
    EXPECT_EQ(readerOf(form)("rules-text-21.ini"), test::bytesOf("; mine\r\n[3TNK]\r\nCrewed=no"));
    auto textLine = std::count(form.ini.begin(), form.ini.begin() + static_cast<std::ptrdiff_t>(form.ini.find("Text=")), '\n') + 1;
    for (auto& [name, bytes] : form.files) {
        if (name == "rules-text-21.ini")
            bytes = test::bytesOf(std::string("[A]\r\nB=1\0", 10));
    }
    EXPECT_EQ(test::errorOf([&] { importText(form.ini, readerOf(form)); }),
              "project.ini:" + std::to_string(textLine) + ": Text: rules-text-21.ini:2: a NUL byte: this is no rules text");
}

// An edit of one line changes that field and nothing else.
TEST(ProjectText, AnEditChangesExactlyThatField)
{
    auto original = project::buildWorkingFile(0, {unitWithGraphics()});
    auto form = exportText(original);
    auto at = form.ini.find("Strength=400");
    form.ini.replace(at, 12, "Strength=-5");
    auto edited = importText(form.ini, readerOf(form));
    auto record = records::unpack(EntryKind::Unit, ByteView(edited).subspan(project::kHeaderSize + project::kEntrySize));
    auto expected = records::unpack(EntryKind::Unit, ByteView(original).subspan(project::kHeaderSize + project::kEntrySize));
    expected.number("strength") = -5;
    EXPECT_EQ(record, expected);
    EXPECT_EQ(edited.size(), original.size());
}

// Each case replaces the line of its key (or, for a new key, follows the
// "ObjectName=" line, line 4) and is refused with that line's number.
TEST(ProjectText, EveryRefusalNamesItsLine)
{
    auto form = exportText(project::buildWorkingFile(0, {unitWithGraphics()}));
    const std::pair<std::string, std::string> cases[] = {
        {"Strength=lots", "project.ini:6: Strength: \"lots\" is not a number"},
        {"Speed=256", "project.ini:8: Speed: 256 does not fit (0 to 255)"},
        {"Primary=NOPE", "project.ini:10: Primary: \"NOPE\" is not one of its choices"},
        {"Cloakable=maybe", "project.ini:20: Cloakable: \"maybe\" is neither yes nor no"},
        {"Image=TOOLONG", "project.ini:33: Image: longer than 4 characters"},
        {"Icon=files/none.shp", "project.ini:39: Icon: Cannot open file files/none.shp: No such file or directory"},
        {"FrameList=files/1-icon.shp", "project.ini:38: FrameList: files/1-icon.shp is not a stored frame list"},
        {"Name=\u03a9", "project.ini:2: Name: \"\u03a9\" is not Western European text"},
        {"Cost=1\nCost=2", "project.ini:8: Cost: given twice"},
        {"Colour=red", "project.ini:4: Colour: not a key of Unit entries"},
        {"[Tank 2]", "project.ini:4: unknown section [Tank 2]"},
        {"[Unit 1]", "project.ini:4: entry 1 given twice"},
    };
    for (const auto& [line, message] : cases) {
        auto ini = "\n" + form.ini;
        auto key = "\n" + line.substr(0, line.find('=') + 1);
        auto at = ini.find(key);
        if (at == std::string::npos || line.starts_with('['))
            ini.insert(ini.find("\n", ini.find("\nObjectName=") + 1) + 1, line + "\n");
        else
            ini.replace(at + 1, ini.find('\n', at + 1) - at - 1, line);
        ini.erase(0, 1);
        EXPECT_EQ(test::errorOf([&] { importText(ini, readerOf(form)); }), message) << line;
    }
}

TEST(ProjectText, FoldersAreWrittenWholeAndReadOnlyInside)
{
    TempDir dir;
    fs::create_directories(dir / "full");
    test::writeText(dir / "full" / "x", "x");
    EXPECT_EQ(test::errorOf([&] { exportFolder(everyKindProject(), dir / "full"); }),
              "The folder " + toText(dir / "full") + " is not empty.");
    fs::create_directories(dir / "out");
    exportFolder(everyKindProject(), dir / "out");
    EXPECT_FALSE(fs::exists(dir / "out.part"));
    EXPECT_EQ(importFolder(dir / "out"), everyKindProject());

    auto ini = readFile(dir / "out" / "project.ini");
    std::string text(ini.begin(), ini.end());
    text.replace(text.find("files/1-icon.shp"), 16, "../p.qxp");
    test::writeText(dir / "out" / "bad.ini", text);
    fs::rename(dir / "out" / "project.ini", dir / "out" / "good.ini");
    fs::rename(dir / "out" / "bad.ini", dir / "out" / "project.ini");
    EXPECT_EQ(test::errorOf([&] { importFolder(dir / "out"); }),
              "project.ini:42: Icon: ../p.qxp is not a path inside the folder");
    fs::rename(dir / "out" / "good.ini", dir / "out" / "project.ini");

    // A link inside the folder may name a file inside it, never one outside.
    if (!test::linksWork(dir.path()))
        return;
    fs::rename(dir / "out" / "files" / "1-icon.shp", dir / "out" / "icon.shp");
    fs::create_symlink("../icon.shp", dir / "out" / "files" / "1-icon.shp");
    EXPECT_EQ(importFolder(dir / "out"), everyKindProject());
    fs::rename(dir / "out" / "icon.shp", dir / "icon.shp");
    fs::remove(dir / "out" / "files" / "1-icon.shp");
    fs::create_symlink(dir / "icon.shp", dir / "out" / "files" / "1-icon.shp");
    EXPECT_EQ(test::errorOf([&] { importFolder(dir / "out"); }),
              "project.ini:42: Icon: files/1-icon.shp is not a path inside the folder");
}

// The diff applied by patch gives the new text exactly, whatever the ends.
TEST(UnifiedDiff, PatchGivesTheNewTextExactly)
{
    std::string many;
    for (int i = 0; i < 3000; ++i)
        many += std::to_string(i * 7919 % 3001) + "\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\n", "a\r\nB\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\nI\r\nj\r\nk\r\n"},
        {"", "new\n"},
        {"no end", "no end\nnow"},
        {many, "x\r\n" + many.substr(100)},
        {many, std::string(many.rbegin(), many.rend())},
    };
    TempDir dir;
    if (!test::patchWorks())
        GTEST_SKIP() << "no patch program";
    for (const auto& [before, after] : cases) {
        test::writeText(dir / "rules.ini", before);
        test::writeText(dir / "change.diff", unifiedDiff(before, after, "rules.ini"));
        auto command = "cd " + dir.text() + " && patch -s rules.ini change.diff";
        ASSERT_EQ(std::system(command.c_str()), 0) << before.substr(0, 20);
        auto patched = readFile(dir / "rules.ini");
        EXPECT_EQ(std::string(patched.begin(), patched.end()), after);
    }
    EXPECT_EQ(unifiedDiff("same\n", "same\n", "rules.ini"), "");
}

}
}
