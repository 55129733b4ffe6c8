// SvgPreview.h - a side view of a scene file as SVG: `cwstool preview`.
// Tool layer. Looking along y: every frame is a labelled level line at its accumulated height (the sum
// of the z positions from the root down to it), every box shape a rectangle filled with its material's
// first colour, at its frame's accumulated x and z. Rotations and scales are not drawn. A visitor of
// the record parser: it keeps what it draws (a level per frame, a box per shape), never the scene.
#pragma once

#include <string>
#include <vector>

#include <cwscene/SceneRecords.h>

namespace cwstool {

class SidePreview : public scenefile::SceneVisitor {
public:
    void material(const scenefile::MaterialRecord& r) override;
    void frameBegin(const scenefile::FrameRecord& r) override;
    void shape(const scenefile::ShapeRecord& r) override;

    // The SVG document of what was collected. `title` (UTF-8) heads the picture, usually the file name.
    std::string svg(const std::string& title) const;

    struct Level {
        int ordinal;        // 1 for the root, in file order
        std::string name;   // UTF-8
        double height;      // mm
        double x;           // accumulated x of the frame, mm
    };
    struct Box {
        std::string name;   // UTF-8
        double x0, x1, z0, z1;
        int red, green, blue;
    };

private:
    std::vector<scenefile::Colour> m_materialColours;  // each material's first colour
    std::vector<Level> m_levels;
    std::vector<Box> m_boxes;
    std::vector<double> m_x, m_z;  // the accumulated position of the frames from the root down
};

}  // namespace cwstool
