// SvgPreview.h - a scene file drawn as a building section in SVG: `cwstool preview`.
// Tool layer. A visitor of the record parser: it keeps what it draws, never the scene, and at most
// kMaxLevels levels and kMaxBoxes boxes of it (the first in file order; the picture says how many more
// there were), so its memory does not grow with the file.
//
// What is drawn, looking along y with one scale for x and z (proportions are true):
//   - every frame is a level at its height above the root (the sum of the z positions from the root
//     down), labelled "#N name" with N its place in file order;
//   - the kind of a level is read from its name, as the wizard names its frames (Levels.h). Levels
//     of a kind stand in the building's columns as the dialog's section picture draws them: the
//     mezzanines on the left, the main floors on the right (one column when there are no
//     mezzanines), each storey's room tinted from interior to ceiling and a slab band from the
//     ceiling below (or the storey's plan) to its interior, and a roof band from the top ceiling to
//     the roof; each kind has its colour. A level of no kind (the wizard's exterior, its foundation and
//     site frame, any frame of another program) is a dashed line across the drawing;
//   - every box shape is a rectangle in its material's first colour at its frame's position: the
//     wizard's site slab and foundation block beneath the building. The building's width is that of
//     the box that reaches highest;
//   - a level or box with a value that is not finite is not drawn, and is listed in red instead.
// Rotations and scales are not applied. Where each part goes on the page is SectionLayout.h's, the
// SVG writing SectionSvg.h's; this class only reads.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <cwscene/SceneRecords.h>
#include "tools/cwstool/levels/FramePlacement.h"
#include "tools/cwstool/levels/Levels.h"
#include "tools/cwstool/preview/SectionLayout.h"  // PreviewLevel, PreviewBox

namespace cwstool {

class SidePreview : public scenefile::SceneVisitor {
public:
    static constexpr std::size_t kMaxLevels = 250;
    static constexpr std::size_t kMaxBoxes = 250;

    void material(const scenefile::MaterialRecord& r) override;
    void frameBegin(const scenefile::FrameRecord& r) override;
    void shape(const scenefile::ShapeRecord& r) override;

    // The SVG document of what was collected. `title` (UTF-8) heads the picture, usually the file name.
    std::string svg(const std::string& title) const;

private:
    std::vector<scenefile::Colour> m_materialColours;  // each material's first colour
    std::vector<PreviewLevel> m_levels;                // the first kMaxLevels frames
    std::vector<PreviewBox> m_boxes;                   // the first kMaxBoxes shapes
    long m_frames = 0;                                 // all of them
    long m_shapes = 0;
    FramePlacement m_placement;
};

}  // namespace cwstool
