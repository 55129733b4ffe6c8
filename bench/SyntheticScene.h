// SyntheticScene.h - the large scene the benchmarks write and read: 100 cubes in each of a number of
// frames under one root (1 000 frames, 100 000 cubes by default), with values like a real house's.
#pragma once

#include <memory>
#include <string>

class CWScene;

namespace bench {

inline constexpr int kFrames = 1000;
inline constexpr int kCubesPerFrame = 100;

std::unique_ptr<CWScene> syntheticScene(int frames = kFrames);

// The scene's files under /tmp that the reading benchmarks read, written once per run.
const std::string& binaryFile();
const std::string& textFile();

// The size of a file in bytes (0 when it cannot be opened).
long fileSize(const std::string& path);

}  // namespace bench
