#include "project/encoder.h"

#include <benchmark/benchmark.h>

namespace {

void codeInMemory(benchmark::State& state)
{
    qx::Bytes data(static_cast<std::size_t>(state.range(0)), 0x42);
    const auto key = qx::encoder::blockKey();
    for (auto _ : state) {
        qx::encoder::code(data, 0, key);
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(codeInMemory)->Arg(1 << 10)->Arg(1 << 20)->Arg(64 << 20);

}
