#include "archive/game_archives.h"
#include "archive/mix_writer.h"
#include "common/save_file.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <random>

namespace {

namespace fs = std::filesystem;
using namespace qx;

// A folder of archives of n members of 100 bytes each, named so that no
// name list or game name knows them.
struct GameFolder {
    GameFolder(int archives, int members)
    {
        dir = fs::temp_directory_path() / ("qxbench-archive-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
        for (int a = 0; a < archives; ++a) {
            archive::MixArchive mix;
            for (int m = 0; m < members; ++m)
                mix.add("m" + std::to_string(a) + "x" + std::to_string(m), Bytes(100, static_cast<std::uint8_t>(m)));
            saveFile(dir / ("ARCHIVE" + std::to_string(a) + ".MIX"), mix.bytes());
        }
    }
    ~GameFolder() { fs::remove_all(dir); }
    fs::path dir;
};

// Listing an archive of 5,000 members reads its index only: within twice the
// time of reading the index's bytes alone.
void openArchiveIndex(benchmark::State& state)
{
    GameFolder folder(1, 5000);
    auto path = folder.dir / "ARCHIVE0.MIX";
    for (auto _ : state)
        benchmark::DoNotOptimize(archive::MixReader(archive::fileSource(path), "ARCHIVE0.MIX").members().size());
}

void readIndexBytes(benchmark::State& state)
{
    GameFolder folder(1, 5000);
    auto path = folder.dir / "ARCHIVE0.MIX";
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        Bytes index(6 + 12 * 5000);
        in.read(reinterpret_cast<char*>(index.data()), static_cast<std::streamsize>(index.size()));
        benchmark::DoNotOptimize(index.data());
    }
}

// The browser's tree of a game folder of 10 archives of 2,000 members each:
// under 100 ms.
void openGameTree(benchmark::State& state)
{
    GameFolder folder(10, 2000);
    for (auto _ : state) {
        for (const auto& path : archive::gameArchives(folder.dir)) {
            archive::MixReader reader(archive::fileSource(path), path.filename().string());
            benchmark::DoNotOptimize(archive::namedArchives(reader).size());
        }
    }
}

BENCHMARK(openArchiveIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(readIndexBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(openGameTree)->Unit(benchmark::kMillisecond);

}
