#include "library/library_file.h"
#include "project/encoder.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <random>

namespace {

namespace fs = std::filesystem;
using namespace qx;

// A unit library of 255 images, each 24 frames of 48 x 48 and 20 KiB of SHP.
const fs::path& largeLibrary()
{
    static const fs::path path = [] {
        std::vector<library::LibraryImage> images;
        for (int i = 0; i < 255; ++i) {
            library::FrameList frames{48, 48, {}};
            for (int f = 0; f < 24; ++f)
                frames.frames.push_back({48, 48, Bytes(48 * 48 * 4, static_cast<std::uint8_t>(f * 10 + 5))});
            images.push_back({Bytes(20 * 1024, static_cast<std::uint8_t>(i)), std::move(frames)});
        }
        auto file = fs::temp_directory_path() / ("qxbench-" + std::to_string(std::random_device{}()) + ".vkl");
        auto coded = encoder::coded(library::buildLibrary(library::LibraryKind::Unit, "Large", images));
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(coded.data()), static_cast<std::streamsize>(coded.size()));
        return file;
    }();
    // The 63 MB file goes when the run ends.
    static const struct Remover {
        ~Remover() { fs::remove(path); }
    } remover;
    return path;
}

void openLargeLibrary(benchmark::State& state)
{
    const auto& path = largeLibrary();
    for (auto _ : state)
        benchmark::DoNotOptimize(library::openLibrary(path));
    state.counters["bytes"] = static_cast<double>(fs::file_size(path));
}

// The floor for opening: the file read into memory, nothing else.
void readLargeLibrary(benchmark::State& state)
{
    const auto& path = largeLibrary();
    for (auto _ : state)
        benchmark::DoNotOptimize(readFile(path));
}

void decodeOnePreview(benchmark::State& state)
{
    auto lib = library::openLibrary(largeLibrary());
    for (auto _ : state)
        benchmark::DoNotOptimize(lib.preview(100));
}

void listLargeLibrary(benchmark::State& state)
{
    const auto& path = largeLibrary();
    for (auto _ : state)
        benchmark::DoNotOptimize(library::listLine(library::parseHead(library::readHead(path))));
}

BENCHMARK(openLargeLibrary)->Unit(benchmark::kMillisecond);
BENCHMARK(readLargeLibrary)->Unit(benchmark::kMillisecond);
BENCHMARK(decodeOnePreview)->Unit(benchmark::kMillisecond);
BENCHMARK(listLargeLibrary)->Unit(benchmark::kMicrosecond);

}
