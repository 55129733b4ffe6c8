// SyntheticScene.cpp - the benchmarks' scene and its files (see SyntheticScene.h).
#include "bench/SyntheticScene.h"

#include <cstdio>
#include <utility>

#include <cwscene/Scene.h>

namespace bench {

std::unique_ptr<CWScene> syntheticScene(int frames)
{
    auto scene = std::make_unique<CWScene>();
    CWMaterial material;
    scene->AddMaterial(material);
    auto root = std::make_unique<CWFrame>();
    root->SetName("root");
    root->reserveChildren(static_cast<std::size_t>(frames));
    for (int f = 0; f < frames; ++f) {
        auto frame = std::make_unique<CWFrame>();
        frame->SetName(("frame" + std::to_string(f)).c_str());
        frame->SetPosition(0.0f, 0.0f, static_cast<float>(f) * 10.0f);
        frame->SetLayer(1);
        frame->m_partId = f + 2;
        frame->reserveShapes(kCubesPerFrame);
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

namespace {

std::string writtenOnce(const char* path, bool text)
{
    std::unique_ptr<CWScene> scene = syntheticScene();
    scene->SetTextMode(text ? 1 : 0);
    scene->Save(path);
    scene->SetTextMode(0);
    return path;
}

}  // namespace

const std::string& binaryFile()
{
    static const std::string path = writtenOnce("/tmp/skipfloor-bench-read.cws", false);
    return path;
}

const std::string& textFile()
{
    static const std::string path = writtenOnce("/tmp/skipfloor-bench-read-text.cws", true);
    return path;
}

long fileSize(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return 0;
    std::fseek(f, 0, SEEK_END);
    long size = std::ftell(f);
    std::fclose(f);
    return size;
}

}  // namespace bench
