// Writes the seed inputs of the fuzz targets into fuzz/corpus/NAME/, made by
// the program's own writers: run it from the source folder after a format
// changes, and commit what it writes.
#include "archive/mix_writer.h"
#include "common/save_file.h"
#include "data/stock_rules.h"
#include "stock/records.h"
#include "general/groups.h"
#include "library/component_stream.h"
#include "library/library_file.h"
#include "library/shp.h"
#include "compiler/project_text.h"
#include "project/encoder.h"
#include "project/working_file.h"
#include "shell/directories.h"
#include "support/mix_forms.h"

#include <iostream>

namespace {

using namespace qx;

const fs::path kCorpus = "fuzz/corpus";

void seed(const std::string& target, const std::string& name, ByteView bytes)
{
    fs::create_directories(kCorpus / target);
    saveFile(kCorpus / target / name, bytes);
}

library::FrameList frames(int count, int width, int height)
{
    library::FrameList list{width, height, {}};
    for (int i = 0; i < count; ++i) {
        Bytes rgba(static_cast<std::size_t>(width * height * 4), static_cast<std::uint8_t>(40 * i));
        for (std::size_t p = 3; p < rgba.size(); p += 8)
            rgba[p] = 255;
        list.frames.push_back({width, height, rgba});
    }
    return list;
}

Bytes projectOfEveryKind(const fs::path& scratchDir)
{
    auto file = scratchDir / "project.tmp";
    project::createEmpty(file);
    auto add = [&](EntryKind kind, Bytes record, std::vector<Bytes> parts = {}) {
        project::append(file, scratchDir / "tempqxp.tmp", {kind, "Seed", std::move(record), std::move(parts)});
    };
    auto unit = records::defaults(EntryKind::Unit);
    unit.text("internalName") = "SEED";
    unit.sizes = {0, 0, 4, 6};
    unit.number("frameCount") = 64;
    add(EntryKind::Unit, records::pack(unit), {Bytes(4, 1), Bytes(6, 2)});
    for (auto kind : {EntryKind::Weapon, EntryKind::Projectile, EntryKind::Warhead, EntryKind::Building})
        add(kind, records::pack(records::defaults(kind)));
    for (std::uint8_t byte = 6; byte <= 18; ++byte) {
        auto kind = static_cast<EntryKind>(byte);
        general::GroupRecord group{kind, std::vector<std::int32_t>(general::groupOfKind(kind)->fields.size(), 1)};
        add(kind, general::pack(group));
    }
    return readFile(file);
}

}

int main()
{
    auto scratch = fs::temp_directory_path() / "qx-make-corpus";
    fs::create_directories(scratch);
    project::createEmpty(scratch / "empty.tmp");
    auto empty = readFile(scratch / "empty.tmp");
    auto every = projectOfEveryKind(scratch);
    for (const char* target : {"project", "compile", "project_text"}) {
        seed(target, "empty", empty);
        seed(target, "every-kind", every);
    }
    auto ini = compiler::exportText(every).ini;
    seed("project_text", "every-kind-ini", Bytes(ini.begin(), ini.end()));

    seed("component_stream", "image-list", library::writeImageListComponent(frames(3, 4, 2)));
    seed("component_stream", "picture", library::writePictureComponent(frames(1, 3, 3).frames[0]));

    seed("library", "unit", library::buildLibrary(library::LibraryKind::Unit, "Seed", {{Bytes(5, 1), frames(2, 4, 4)}}));
    seed("library", "icon",
         library::buildLibrary(library::LibraryKind::Icon, "Icons", {{Bytes(3, 1), frames(1, 2, 2)}, {Bytes(2, 2), frames(1, 2, 2)}}));

    // The other SHP seed, frame-kinds, holds a key delta and a delta, which
    // no writer of ours makes.
    std::vector<Bytes> shpFrames(3, Bytes(64));
    for (std::size_t i = 0; i < shpFrames.size(); ++i) {
        for (std::size_t p = 0; p < 64; p += 9 - i)
            shpFrames[i][p] = static_cast<std::uint8_t>(16 + p);
    }
    seed("shp", "key-frames", library::writeShp(8, 8, shpFrames));

    writeSettings(scratch / "localset.ini", {"/games/valkor", "/opt/quarvex", "/games/valkor/units"});
    seed("settings", "three-lines", readFile(scratch / "localset.ini"));

    const std::string manifest = "quarvex-originals 1\n"
                                 "rules.ini kept 0123456789abcdef fedcba9876543210 RULES.INI\n"
                                 "sc-qx.mix absent - 0011223344556677 sc-qx.mix\n";
    seed("manifest", "kept-and-absent", Bytes(manifest.begin(), manifest.end()));

    const auto& rules = stock::rulesText();
    for (const char* identifier : {"4TNK", "E1", "TSLA", "Colt45", "HeatSeeker", "SA"}) {
        std::string text = std::string(identifier) + "\n";
        for (std::size_t i = 0; i < rules.size(); ++i) {
            if (rules[i] == std::string("[") + identifier + "]") {
                for (std::size_t j = i; j < rules.size() && (j == i || rules[j].empty() || rules[j][0] != '['); ++j)
                    text += rules[j] + "\n";
            }
        }
        seed("stock_loader", identifier, Bytes(text.begin(), text.end()));
    }
    archive::MixArchive inner;
    inner.add("rules.ini", Bytes{'[', 'A', ']', '\r', '\n'});
    inner.add("tank.shp", library::writeShp(8, 8, shpFrames));
    archive::MixArchive outer;
    outer.add("valkor.mix", inner.bytes());
    outer.add("temperat.pal", Bytes(768, 7));
    seed("mix", "plain-nested", outer.bytes());
    seed("mix", "extended-digest", test::inForm(inner.bytes(), archive::IndexForm::Extended, true));
    seed("mix", "encrypted-digest", test::inForm(outer.bytes(), archive::IndexForm::Encrypted, true));

    fs::remove_all(scratch);
    std::cout << "corpus written to " << kCorpus << "\n";
}
