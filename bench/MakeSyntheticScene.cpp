// MakeSyntheticScene.cpp - writes the benchmarks' synthetic scene (bench/SyntheticScene.h) with any
// number of frames of 100 cubes, for measuring whole programs on it (bench/cwstool-throughput.sh).
//   scene_make FRAMES BINARY.cws TEXT.cws
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bench/SyntheticScene.h"
#include <cwscene/Scene.h>

int main(int argc, char** argv)
{
    if (argc != 4 || std::atoi(argv[1]) <= 0) {
        std::fprintf(stderr, "usage: scene_make FRAMES BINARY.cws TEXT.cws\n");
        return 2;
    }
    std::unique_ptr<CWScene> scene = bench::syntheticScene(std::atoi(argv[1]));
    if (scene->Save(argv[2]) != 1) return 1;
    scene->SetTextMode(1);
    return scene->Save(argv[3]) == 1 ? 0 : 1;
}
