// FramePlacement.h - where the frames of a streamed part hierarchy stand: each frame's absolute
// position, the sum of the positions from the root down to it (frames are nested and a position is
// relative to the parent). Rotations and scales are not applied, anywhere in cwstool.
// Tool layer. Kept per depth, so that its memory does not grow with the file.
#pragma once

#include <cstddef>
#include <vector>

#include <cwscene/SceneRecords.h>

namespace cwstool {

// Summed in double: the file's 32-bit floats then add up without overflow, and exactly whenever
// their magnitudes lie within 2^29 of one another (all the wizard's do).
struct Point {
    double x = 0.0;  // mm
    double y = 0.0;
    double z = 0.0;
};

class FramePlacement {
public:
    // Call from frameBegin, in file order: the frame's absolute position.
    const Point& enter(const scenefile::FrameRecord& r)
    {
        const std::size_t depth = static_cast<std::size_t>(r.depth);
        m_points.resize(depth);
        const Point parent = depth > 1 ? m_points[depth - 2] : Point{};
        m_points[depth - 1] = {parent.x + r.position.x, parent.y + r.position.y, parent.z + r.position.z};
        return m_points[depth - 1];
    }

    // The frame entered last: the one whose shapes and tail come next (they follow its frameBegin).
    const Point& current() const { return m_points.back(); }

private:
    std::vector<Point> m_points;  // from the root down to the frame entered last
};

}  // namespace cwstool
