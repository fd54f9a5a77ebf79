#include "project/working_file.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

namespace fs = std::filesystem;
using qx::project::NewEntry;

constexpr std::size_t kGraphics = 64 * 1024;

NewEntry unitEntry()
{
    return {qx::EntryKind::Unit, "Benchmark unit", qx::Bytes(220, 1), {qx::Bytes(kGraphics, 2)}};
}

struct Project {
    explicit Project(int entries)
    {
        dir = fs::temp_directory_path() / ("qxbench-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
        qx::project::createEmpty(file());
        for (int i = 0; i < entries; ++i)
            qx::project::append(file(), scratch(), unitEntry());
    }
    ~Project() { fs::remove_all(dir); }
    fs::path file() const { return dir / "project.tmp"; }
    fs::path scratch() const { return dir / "tempqxp.tmp"; }
    fs::path dir;
};

void appendEntry(benchmark::State& state)
{
    Project project(static_cast<int>(state.range(0)));
    auto entry = unitEntry();
    for (auto _ : state) {
        qx::project::append(project.file(), project.scratch(), entry);
        state.PauseTiming();
        qx::project::remove(project.file(), project.scratch(), static_cast<std::size_t>(state.range(0)));
        state.ResumeTiming();
    }
}

void removeEntry(benchmark::State& state)
{
    Project project(static_cast<int>(state.range(0)));
    auto entry = unitEntry();
    for (auto _ : state) {
        qx::project::remove(project.file(), project.scratch(), 0);
        state.PauseTiming();
        qx::project::append(project.file(), project.scratch(), entry);
        state.ResumeTiming();
    }
}

BENCHMARK(appendEntry)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(removeEntry)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}
