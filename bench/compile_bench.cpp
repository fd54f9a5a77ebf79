#include "compiler/compile.h"
#include "editors/records.h"
#include "project/working_file.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

namespace fs = std::filesystem;
using namespace qx;

struct Silent : compiler::CompileReporter {
    void warning(const std::string&) override {}
    void error(const std::string&) override {}
    void information(const std::string&) override {}
    bool confirm(const std::string&) override { return true; }
};

// A project of n entries, every third a unit with 20 KiB of graphics, the
// others weapons and warheads.
struct GeneratedProject {
    explicit GeneratedProject(int n)
    {
        dir = fs::temp_directory_path() / ("qxbench-compile-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir / "game");
        project::createEmpty(dir / "project.tmp");
        for (int i = 0; i < n; ++i)
            project::append(dir / "project.tmp", dir / "tempqxp.tmp", entry(i));
    }
    ~GeneratedProject() { fs::remove_all(dir); }

    static project::NewEntry entry(int i)
    {
        auto name = "Object " + std::to_string(i);
        if (i % 3 == 0) {
            auto unit = records::defaults(EntryKind::Unit);
            unit.text("name") = name;
            unit.text("internalName") = "U" + std::to_string(i / 3);
            unit.sizes = {0, 0, 4096, 16384};
            unit.number("frameCount") = 64;
            unit.number("replaced") = i % 6;
            return {EntryKind::Unit, name, records::pack(unit), {Bytes(4096, 1), Bytes(16384, 2)}};
        }
        if (i % 3 == 1) {
            auto weapon = records::defaults(EntryKind::Weapon);
            weapon.number("replaced") = i % 36;
            weapon.number("damage") = i;
            weapon.number("range") = 575;
            return {EntryKind::Weapon, name, records::pack(weapon), {}};
        }
        auto warhead = records::defaults(EntryKind::Warhead);
        warhead.number("replaced") = i % 8;
        warhead.number("none") = 100;
        return {EntryKind::Warhead, name, records::pack(warhead), {}};
    }

    fs::path dir;
};

void compileProject(benchmark::State& state)
{
    auto entries = static_cast<std::size_t>(state.range(0));
    GeneratedProject project(static_cast<int>(entries));
    Silent reporter;
    for (auto _ : state) {
        compiler::compileProject({project.dir / "project.tmp", project.dir, toText(project.dir / "game")}, entries,
                                 reporter);
    }
}

BENCHMARK(compileProject)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}
