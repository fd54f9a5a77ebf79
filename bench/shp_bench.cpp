#include "library/shp.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cmath>

namespace {

using namespace qx;

constexpr int kSide = 48;
constexpr int kFrames = 48;
constexpr std::size_t kFrameSize = kSide * kSide;

// A unit as the game draws it: a striped hull with a turret and barrel,
// turned through 48 directions, and its shadow, on a transparent field.
const std::vector<Bytes>& unitFrames()
{
    static const std::vector<Bytes> frames = [] {
        std::vector<Bytes> all;
        for (int f = 0; f < kFrames; ++f) {
            double angle = f * 2 * M_PI / kFrames, c = std::cos(angle), s = std::sin(angle);
            Bytes frame(kFrameSize);
            for (int y = 0; y < kSide; ++y)
                for (int x = 0; x < kSide; ++x) {
                    double dx = x - 24, dy = y - 24, u = dx * c + dy * s, v = -dx * s + dy * c;
                    auto& pixel = frame[static_cast<std::size_t>(y * kSide + x)];
                    if (std::abs(u - 2) <= 13 && std::abs(v + 3) <= 9)
                        pixel = 4;  // shadow
                    if (std::abs(u) <= 13 && std::abs(v) <= 9)
                        pixel = static_cast<std::uint8_t>(80 + static_cast<int>(u + 13) / 3 % 6);
                    if (u * u + v * v <= 30)
                        pixel = static_cast<std::uint8_t>(96 + static_cast<int>(v + 6) / 2);
                    if (u >= 0 && u <= 20 && std::abs(v) <= 1.2)
                        pixel = 110;
                }
            all.push_back(std::move(frame));
        }
        return all;
    }();
    return frames;
}

// Each frame on its own, as the SHP packs it.
std::vector<Bytes> zlibFrames(int level)
{
    std::vector<Bytes> packed;
    for (const auto& frame : unitFrames()) {
        uLongf size = compressBound(frame.size());
        Bytes out(size);
        compress2(out.data(), &size, frame.data(), frame.size(), level);
        out.resize(size);
        packed.push_back(std::move(out));
    }
    return packed;
}

std::size_t totalSize(const std::vector<Bytes>& blocks)
{
    std::size_t total = 0;
    for (const auto& block : blocks)
        total += block.size();
    return total;
}

void packShp(benchmark::State& state)
{
    Bytes file;
    for (auto _ : state) {
        file = library::writeShp(kSide, kSide, unitFrames());
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["bytes"] = static_cast<double>(file.size());
    // Literal bytes only: a command byte for every 63, and the end.
    state.counters["literal_bytes"] =
        static_cast<double>(library::kShpHeadSize + (kFrames + 2) * library::kShpEntrySize +
                            kFrames * (kFrameSize + (kFrameSize + 62) / 63 + 1));
}

void packZlib(benchmark::State& state)
{
    std::vector<Bytes> packed;
    for (auto _ : state) {
        packed = zlibFrames(static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(packed.data());
    }
    state.counters["bytes"] = static_cast<double>(totalSize(packed));
}

void unpackShp(benchmark::State& state)
{
    auto file = library::writeShp(kSide, kSide, unitFrames());
    for (auto _ : state) {
        auto shp = library::readShp(file, "unit.shp");
        benchmark::DoNotOptimize(shp.frames.data());
    }
}

void unpackZlib(benchmark::State& state)
{
    auto packed = zlibFrames(6);
    for (auto _ : state) {
        std::vector<Bytes> frames;
        for (const auto& block : packed) {
            Bytes frame(kFrameSize);
            uLongf size = frame.size();
            uncompress(frame.data(), &size, block.data(), block.size());
            frames.push_back(std::move(frame));
        }
        benchmark::DoNotOptimize(frames.data());
    }
}

BENCHMARK(packShp)->Unit(benchmark::kMicrosecond);
BENCHMARK(packZlib)->Arg(6)->Arg(9)->Unit(benchmark::kMicrosecond);
BENCHMARK(unpackShp)->Unit(benchmark::kMicrosecond);
BENCHMARK(unpackZlib)->Unit(benchmark::kMicrosecond);

}
