// SceneSaveBench.cpp - throughput of CWScene::Save for a large synthetic scene, binary and text,
// beside a baseline that writes the same number of bytes with one fwrite.
//
// The scene: 100 000 cubes spread over 1 000 frames (a root holding 1 000 frames of 100 cubes each),
// saved under /tmp. Each benchmark reports bytes_per_second for the file it writes, over wall-clock
// time (the file system's share included).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "scene/Scene.h"
#include "scenefile/Encoding.h"

namespace {

constexpr int kFrames = 1000;
constexpr int kCubesPerFrame = 100;
const char kBinaryPath[] = "/tmp/skipfloor-bench-binary.cws";
const char kTextPath[] = "/tmp/skipfloor-bench-text.cws";
const char kBaselinePath[] = "/tmp/skipfloor-bench-baseline.bin";

std::unique_ptr<CWScene> syntheticScene()
{
    auto scene = std::make_unique<CWScene>();
    CWMaterial material;
    scene->AddMaterial(material);
    auto root = std::make_unique<CWFrame>();
    root->SetName("root");
    for (int f = 0; f < kFrames; ++f) {
        auto frame = std::make_unique<CWFrame>();
        frame->SetName(("frame" + std::to_string(f)).c_str());
        frame->SetPosition(0.0f, 0.0f, static_cast<float>(f) * 10.0f);
        frame->SetLayer(1);
        frame->m_partId = f + 2;
        for (int c = 0; c < kCubesPerFrame; ++c) {
            auto cube = std::make_unique<CWCube>();
            cube->SetPosition(static_cast<float>(c) * 1.5f, static_cast<float>(f) * 0.25f, -50.0f);
            cube->SetSize(1000.0f, 2000.0f, 100.0f + static_cast<float>(c));
            cube->SetMaterialIndex(0);
            frame->adoptShape(std::move(cube));
        }
        root->adoptChild(std::move(frame));
    }
    scene->adoptRootFrame(std::move(root));
    return scene;
}

CWScene& sharedScene()
{
    static std::unique_ptr<CWScene> scene = syntheticScene();
    return *scene;
}

long fileSize(const char* path)
{
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return 0;
    std::fseek(f, 0, SEEK_END);
    long size = std::ftell(f);
    std::fclose(f);
    return size;
}

void saveBench(benchmark::State& state, bool text, const char* path)
{
    CWScene& scene = sharedScene();
    scene.SetTextMode(text ? 1 : 0);
    for (auto _ : state) {
        if (scene.Save(path) != 1) state.SkipWithError("save failed");
    }
    scene.SetTextMode(0);
    const long size = fileSize(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * size);
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
}

// The same number of bytes as the scene file at `sizeOf`, in one fwrite (open and close included).
void baselineBench(benchmark::State& state, const char* sizeOf)
{
    if (fileSize(sizeOf) == 0) sharedScene().Save(sizeOf);
    const std::vector<char> bytes(static_cast<std::size_t>(fileSize(sizeOf)), 'x');
    for (auto _ : state) {
        std::FILE* f = std::fopen(kBaselinePath, "wb");
        if (!f || std::fwrite(bytes.data(), bytes.size(), 1, f) != 1) state.SkipWithError("fwrite failed");
        if (f) std::fclose(f);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_SaveBinary(benchmark::State& state) { saveBench(state, false, kBinaryPath); }
void BM_SaveText(benchmark::State& state) { saveBench(state, true, kTextPath); }
void BM_FwriteBaselineBinarySize(benchmark::State& state) { baselineBench(state, kBinaryPath); }
void BM_FwriteBaselineTextSize(benchmark::State& state) { baselineBench(state, kTextPath); }

}  // namespace

BENCHMARK(BM_SaveBinary)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FwriteBaselineBinarySize)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FwriteBaselineTextSize)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
