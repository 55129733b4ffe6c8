// SplitLevelGeometry.h - the numbers of the split-level house, computed from the thirteen dimensions
// before any scene object exists.
//
// Builder layer, portable, pure arithmetic in double precision; the builder converts to 32-bit
// floats only where it hands a value to a scene object. Millimetres throughout; metre inputs are
// multiplied by 1000.0.
#pragma once

#include <array>

namespace wizard {

struct WizardParams;

inline constexpr int kFrameCount = 25;

struct SplitLevelGeometry {
    double totalHeight = 0.0;     // a: 3.5·t + h4 + h3 + h2 + h1 + t1 + F, the fourth-floor roof
    // q_k = t + h_k − L for storey k (index 0 is storey 1): the floor of storey k + 1 stands q_k above
    // the floor of the mezzanine over storey k (中k+1階), since storey k + 1's floor is h_k + t above
    // storey k's and the mezzanine's floor is L above it. Each ceiling frame is placed with its own storey's q_k,
    // so the chain of offsets comes back to the ground for any four room heights. q_4 is also the step
    // from the fourth-floor roof down to the mezzanine roof.
    std::array<double, 4> storeyDrops{};
    double wallHeight = 0.0;      // c: h1 + t/2 + the larger of t1 and t/2
    std::array<double, kFrameCount> frameOffsets{};  // z offset of frame n+1 relative to its parent

    double siteSizeX = 0.0, siteSizeY = 0.0;          // mm
    double buildingSizeX = 0.0, buildingSizeY = 0.0;  // mm
};

SplitLevelGeometry computeGeometry(const WizardParams& params);

// The heights of the frames above the scene's origin: the running sum of the offsets from frame 1 down.
std::array<double, kFrameCount> accumulatedHeights(const SplitLevelGeometry& geometry);

}  // namespace wizard
