// SectionLayout.h - where everything of `cwstool preview`'s building section goes on the page: the
// world window and its scale, the building's columns, the rooms, slabs and walls, the level lines with
// their labels, and the rows below the drawing. SectionSvg.cpp writes it as SVG.
//
// Tool layer. Arithmetic only, on what SidePreview collected (SvgPreview.h): the layout says what goes
// where, in page units (pixels) or in world millimetres with the Page that maps them, and holds no
// colour and no markup. It points into the levels and boxes it was made from, which must outlive it.
//
// The page, left to right: a height ruler in millimetres; the labels of the mezzanine column (when
// there is one); the drawing; the labels of the main column and of the levels of no kind. A leader
// joins each label to its level, and the labels of one side are spread so that they never overlap.
// Below the drawing: the key to the colours, a line per box, what was not drawn, and a scale bar.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <cwscene/SceneRecords.h>  // Colour
#include "tools/cwstool/levels/Levels.h"

namespace cwstool {

// A frame as the section draws it.
struct PreviewLevel {
    int ordinal;       // 1 for the root, in file order
    std::string name;  // UTF-8
    double height;     // mm above the root; not finite: not drawn
    LevelKind kind;
    bool mezzanine;    // of the mezzanine block (中): the left column
    int storey;        // the number before 階; 0 when there is none
};

// A box shape as the section draws it: its extent across (x) and up (z), in mm.
struct PreviewBox {
    std::string name;  // UTF-8
    double x0, x1, z0, z1;
    scenefile::Colour colour;
    std::string problem;  // "" when drawn; else what is not finite
};

// Page geometry in SVG units (pixels).
namespace section {
inline constexpr double kTop = 86;                            // the drawing's top edge
inline constexpr double kRuler = 64;                          // x of the height ruler
inline constexpr double kLeader = 36;                         // between the drawing and a label column
inline constexpr double kDrawWidth = 560, kDrawHeight = 720;  // the drawing at most
inline constexpr double kLabelGap = 15;                       // between two labels of one side
inline constexpr double kLegendLine = 18;                     // a row below the drawing
inline constexpr std::size_t kListedBoxes = 30;               // boxes with a line of their own below
}  // namespace section

// Where the world lands on the page: x across, z up, one scale for both.
struct Page {
    double xMin, xMax, zMin, zMax;
    double scale;     // px per mm
    double left;      // the drawing's left edge on the page
    double top = section::kTop;

    double px(double x) const { return left + (x - xMin) * scale; }
    double py(double z) const { return top + (zMax - z) * scale; }
    double right() const { return px(xMax); }
    double bottom() const { return py(zMin); }
};

// The building's columns, in world x: the mezzanines left of the main floors, or one column.
struct Columns {
    double x0, middle, x1;
    bool two;

    double left(bool mezzanine) const { return two && !mezzanine ? middle : x0; }
    double right(bool mezzanine) const { return two && mezzanine ? middle : x1; }
};

// A tinted band of one block's column, from z0 to z1 (mm, finite): a storey's room, or a slab.
struct Band {
    enum Kind { Room, Slab };
    Kind kind;
    bool mezzanine;
    double z0, z1;
};

// The walls of one block's column, at both its edges, from its lowest level to its highest (mm).
struct Wall {
    bool mezzanine;
    double low, high;
};

// A label beside the drawing: which level, where its line is, where its text goes.
struct Label {
    const PreviewLevel* level;
    bool left;     // in the column left of the drawing (the mezzanines)
    double lineY;  // the level's line on the page
    double y = 0;  // the text's line on the page, spread from the others of its side
};

struct SectionLayout {
    Page page;
    Columns columns;
    bool mezzanines = false;  // a mezzanine column left of the main one
    bool kinds = false;       // some level has a kind: the key is drawn

    std::vector<const PreviewBox*> drawnBoxes;  // in file order
    std::vector<Band> bands;                    // rooms first, then slabs, in the order drawn
    std::vector<Wall> walls;
    std::vector<Label> labels;                  // every level drawn, in file order
    double leftLabelsRight = 0;                 // where the left labels end (they are right-aligned)
    double rightLabelsLeft = 0;                 // where the right labels begin

    double keyY = 0;                                // the key's first line
    double boxesY = 0;                              // the first line of the list of boxes
    std::vector<const PreviewBox*> listedBoxes;     // the first kListedBoxes, and every one not drawn
    long unlistedBoxes = 0;                         // the shapes not listed: "and N more boxes"
    double lostY = 0;                               // the first line of the levels not drawn
    std::vector<const PreviewLevel*> lostLevels;    // the levels not drawn
    std::size_t lostBoxes = 0;                      // the boxes not drawn
    double barY = 0;                                // the scale bar's line

    double rulerStep = 0;  // mm between two ticks of the height ruler
    double barLength = 0;  // mm the scale bar stands for
    std::string subtitle;  // what the picture shows, in words
    double width = 0, height = 0;  // the page, whole pixels
};

// The layout of the section of these levels and boxes (the first ones a file holds), for a file of
// `frames` frames and `shapes` shapes in all.
SectionLayout layOutSection(const std::vector<PreviewLevel>& levels, const std::vector<PreviewBox>& boxes,
                            long frames, long shapes);

// About how wide a UTF-8 text is at 12 px: a CJK character takes 12 px, any other about 7.
double textWidth(std::string_view utf8);

// A number as the section writes it: up to ten significant digits, and never "-0".
std::string sectionNumber(double value);

}  // namespace cwstool
