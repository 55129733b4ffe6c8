// SceneReadBench.cpp - throughput of reading the synthetic scene's files (bench/SyntheticScene.h),
// binary and text: the record parser alone (what cwstool's check does), and parsing with the builder
// of a CWScene (what convert does, the scene's destruction included), beside a baseline that reads
// the same file with one fread into a buffer that is ready. Each reports bytes_per_second over
// wall-clock time, the file coming from the page cache.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/SyntheticScene.h"
#include <cwscene/SceneReader.h>
#include <cwscene/RecordParser.h>

namespace {

void report(benchmark::State& state, const std::string& path)
{
    const long size = bench::fileSize(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * size);
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
}

// The file's bytes with one fread (open and close included).
void readBaseline(benchmark::State& state, const std::string& path)
{
    std::vector<char> buffer(static_cast<std::size_t>(bench::fileSize(path)));
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f || std::fread(buffer.data(), 1, buffer.size(), f) != buffer.size()) state.SkipWithError("fread failed");
        if (f) std::fclose(f);
        benchmark::DoNotOptimize(buffer.data());
    }
    report(state, path);
}

void parseOnly(benchmark::State& state, const std::string& path)
{
    for (auto _ : state) {
        scenefile::SceneVisitor nothing;
        if (!scenefile::parseSceneFile(path, nothing).accepted()) state.SkipWithError("refused");
    }
    report(state, path);
}

void parseAndBuild(benchmark::State& state, const std::string& path)
{
    for (auto _ : state) {
        scene::ReadResult result = scene::readSceneFile(path);
        if (!result) state.SkipWithError("refused");
        benchmark::DoNotOptimize(result.scene.get());
    }
    report(state, path);
}

void BM_FreadBaselineBinary(benchmark::State& state) { readBaseline(state, bench::binaryFile()); }
void BM_ParseBinary(benchmark::State& state) { parseOnly(state, bench::binaryFile()); }
void BM_ParseAndBuildBinary(benchmark::State& state) { parseAndBuild(state, bench::binaryFile()); }
void BM_FreadBaselineText(benchmark::State& state) { readBaseline(state, bench::textFile()); }
void BM_ParseText(benchmark::State& state) { parseOnly(state, bench::textFile()); }
void BM_ParseAndBuildText(benchmark::State& state) { parseAndBuild(state, bench::textFile()); }

}  // namespace

BENCHMARK(BM_FreadBaselineBinary)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParseBinary)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParseAndBuildBinary)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FreadBaselineText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParseText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParseAndBuildText)->Unit(benchmark::kMillisecond)->UseRealTime();
