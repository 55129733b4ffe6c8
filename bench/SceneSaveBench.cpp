// SceneSaveBench.cpp - throughput of CWScene::Save for a large synthetic scene, binary and text,
// beside two baselines that write the same number of bytes with one fwrite: a plain one, and one
// through the same safe replacement Save uses (fileio::OutputFile: a temporary synced to disk, renamed
// over the target, the directory synced), which shows what the writer itself costs on top of writing
// a file durably.
//
// The scene (bench/SyntheticScene.h): 100 000 cubes spread over 1 000 frames, saved under /tmp. Each
// benchmark reports bytes_per_second for the file it writes, over wall-clock time (the file system's
// share included).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/SyntheticScene.h"
#include <cwscene/FileAccess.h>
#include <cwscene/Scene.h>

namespace {

const char kBinaryPath[] = "/tmp/skipfloor-bench-binary.cws";
const char kTextPath[] = "/tmp/skipfloor-bench-text.cws";
const char kBaselinePath[] = "/tmp/skipfloor-bench-baseline.bin";

CWScene& sharedScene()
{
    static std::unique_ptr<CWScene> scene = bench::syntheticScene();
    return *scene;
}

void saveBench(benchmark::State& state, bool text, const char* path)
{
    CWScene& scene = sharedScene();
    scene.SetTextMode(text ? 1 : 0);
    for (auto _ : state) {
        if (scene.Save(path) != 1) state.SkipWithError("save failed");
    }
    scene.SetTextMode(0);
    const long size = bench::fileSize(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * size);
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
}

// The same number of bytes as the scene file at `sizeOf`, in one fwrite (open and close included).
void baselineBench(benchmark::State& state, const char* sizeOf, bool text)
{
    if (bench::fileSize(sizeOf) == 0) {
        sharedScene().SetTextMode(text ? 1 : 0);
        sharedScene().Save(sizeOf);
        sharedScene().SetTextMode(0);
    }
    const std::vector<char> bytes(static_cast<std::size_t>(bench::fileSize(sizeOf)), 'x');
    for (auto _ : state) {
        std::FILE* f = std::fopen(kBaselinePath, "wb");
        if (!f || std::fwrite(bytes.data(), bytes.size(), 1, f) != 1) state.SkipWithError("fwrite failed");
        if (f) std::fclose(f);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The same bytes in one fwrite through fileio::OutputFile, as Save writes its file.
void durableBaselineBench(benchmark::State& state, const char* sizeOf)
{
    const std::vector<char> bytes(static_cast<std::size_t>(bench::fileSize(sizeOf)), 'x');
    for (auto _ : state) {
        fileio::OutputFile file(kBaselinePath);
        std::FILE* f = file.open();
        if (!f || std::fwrite(bytes.data(), bytes.size(), 1, f) != 1 || !file.commit())
            state.SkipWithError("durable fwrite failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_SaveBinary(benchmark::State& state) { saveBench(state, false, kBinaryPath); }
void BM_SaveText(benchmark::State& state) { saveBench(state, true, kTextPath); }
void BM_FwriteBaselineBinarySize(benchmark::State& state) { baselineBench(state, kBinaryPath, false); }
void BM_FwriteBaselineTextSize(benchmark::State& state) { baselineBench(state, kTextPath, true); }
void BM_DurableFwriteBaselineBinarySize(benchmark::State& state) { durableBaselineBench(state, kBinaryPath); }
void BM_DurableFwriteBaselineTextSize(benchmark::State& state) { durableBaselineBench(state, kTextPath); }

}  // namespace

BENCHMARK(BM_SaveBinary)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FwriteBaselineBinarySize)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DurableFwriteBaselineBinarySize)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FwriteBaselineTextSize)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DurableFwriteBaselineTextSize)->Unit(benchmark::kMillisecond)->UseRealTime();
