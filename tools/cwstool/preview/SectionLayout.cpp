// SectionLayout.cpp - where the section's parts go on the page (see SectionLayout.h).
//
// Sections of this file:
//   [SECTION] Measures: text widths, round steps
//   [SECTION] The world window and the columns
//   [SECTION] The building: rooms, slabs, walls
//   [SECTION] The labels beside the drawing
//   [SECTION] The rows below the drawing, the subtitle, the page's size
#include "tools/cwstool/preview/SectionLayout.h"

#include "text/Messages.h"

#include <cwscene/NumberText.h>

#include <algorithm>  // min, max, stable_sort
#include <cmath>      // isfinite, ceil
#include <utility>    // pair

namespace cwstool {

using namespace section;

// ---------------------------------------------------------------------------------------------------
// [SECTION] Measures: text widths, round steps

double textWidth(std::string_view utf8)
{
    double width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += length >= 3 ? 12 : 7;
        i += length;
    }
    return width;
}

std::string sectionNumber(double value) { return numtext::general(value + 0.0, 10); }  // + 0.0: no "-0"

namespace {

// The smallest of 1, 2, 5 times a power of ten, in mm, that is at least `minimum` mm.
double niceStep(double minimum)
{
    double step = 1;
    while (step * 10 < minimum * 1.0000001) step *= 10;
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (step * factor >= minimum) return step * factor;
    }
    return step * 10;
}

bool drawn(const PreviewLevel& l) { return std::isfinite(l.height); }
bool drawn(const PreviewBox& b) { return b.problem.empty(); }
bool inColumn(const PreviewLevel& l) { return drawn(l) && l.kind != LevelKind::Other; }

// ---------------------------------------------------------------------------------------------------
// [SECTION] The world window and the columns

// What is drawn, the root's height 0, and some air around it; the columns stand where the building
// is: the box that reaches highest, or, without a box, centred on the root and about half as wide as
// the building is high. Sets the page's window and scale, the columns, and whether there are
// mezzanines and levels of a kind; the page's left edge is the labels' business.
void layOutWorld(const std::vector<PreviewLevel>& levels, const std::vector<PreviewBox>& boxes, SectionLayout& out)
{
    double xMin = 0, xMax = 0, zMin = 0, zMax = 0;
    bool anyBox = false;
    const PreviewBox* building = nullptr;  // the box that reaches highest: its width is the building's
    for (const PreviewBox& b : boxes) {
        if (!drawn(b)) continue;
        xMin = anyBox ? std::min(xMin, b.x0) : b.x0;
        xMax = anyBox ? std::max(xMax, b.x1) : b.x1;
        anyBox = true;
        zMin = std::min(zMin, b.z0);
        zMax = std::max(zMax, b.z1);
        if (!building || b.z1 > building->z1) building = &b;
        out.drawnBoxes.push_back(&b);
    }
    for (const PreviewLevel& l : levels) {
        if (!drawn(l)) continue;
        zMin = std::min(zMin, l.height);
        zMax = std::max(zMax, l.height);
        out.kinds = out.kinds || l.kind != LevelKind::Other;
        out.mezzanines = out.mezzanines || (inColumn(l) && l.mezzanine);
    }
    const double defaultWidth = std::max(4000.0, (zMax - zMin) / 2);
    out.columns = Columns{building ? building->x0 : -defaultWidth / 2, 0, building ? building->x1 : defaultWidth / 2,
                          out.mezzanines};
    out.columns.middle = (out.columns.x0 + out.columns.x1) / 2;
    if (!anyBox) {
        xMin = out.columns.x0;
        xMax = out.columns.x1;
    }
    const double padX = std::max((xMax - xMin) * 0.04, 100.0), padZ = std::max((zMax - zMin) * 0.04, 100.0);
    xMin -= padX;
    xMax += padX;
    zMin -= padZ;
    zMax += padZ;
    const double scale = std::min(kDrawWidth / (xMax - xMin), kDrawHeight / (zMax - zMin));
    out.page = Page{xMin, xMax, zMin, zMax, scale, 0};
    out.rulerStep = niceStep(35 / scale);   // ticks at least 35 px apart
    out.barLength = niceStep(120 / scale);  // a bar of about 120 px or more
}

// ---------------------------------------------------------------------------------------------------
// [SECTION] The building: rooms, slabs, walls

// Each storey's room from its interior to its ceiling; then its floor slab from the ceiling below (or
// its plan) to its interior, and the roof slab from the top ceiling to the roof. A band with a height
// that is missing is left out.
void layOutBands(const std::vector<PreviewLevel>& levels, SectionLayout& out)
{
    Storeys blocks;
    for (const PreviewLevel& l : levels) blocks.note(l.name, l.height);
    auto band = [&](Band::Kind kind, bool mezzanine, double z0, double z1) {
        if (std::isfinite(z0) && std::isfinite(z1)) out.bands.push_back(Band{kind, mezzanine, z0, z1});
    };
    for (const auto& [key, s] : blocks.all()) band(Band::Room, key.first, s.interior, s.ceiling);
    for (const auto& [key, s] : blocks.all()) {
        band(Band::Slab, key.first, blocks.slabBottom(key), s.interior);
        band(Band::Slab, key.first, s.ceiling, s.roof);
    }
}

// The walls of each column, from its lowest level of a kind to its highest: the mezzanines' first.
void layOutWalls(const std::vector<PreviewLevel>& levels, SectionLayout& out)
{
    const Columns& columns = out.columns;
    for (bool mezzanine : {true, false}) {
        double low = 0, high = 0;
        bool any = false;
        for (const PreviewLevel& l : levels) {
            if (!inColumn(l) || (columns.two && l.mezzanine != mezzanine)) continue;
            low = any ? std::min(low, l.height) : l.height;
            high = any ? std::max(high, l.height) : l.height;
            any = true;
        }
        if (!any || (!columns.two && mezzanine)) continue;
        out.walls.push_back(Wall{mezzanine, low, high});
    }
}

// ---------------------------------------------------------------------------------------------------
// [SECTION] The labels beside the drawing

std::string labelText(const PreviewLevel& l)
{
    return "#" + std::to_string(l.ordinal) + " " + l.name + "  " + sectionNumber(l.height) + " mm";
}

// Spreads the labels of one side downwards from their lines, highest first, each at least kLabelGap
// below the one before. Returns the lowest text position.
double spread(std::vector<Label>& labels, bool left, double top)
{
    std::vector<Label*> side;
    for (Label& label : labels) {
        if (label.left == left) side.push_back(&label);
    }
    std::stable_sort(side.begin(), side.end(), [](const Label* a, const Label* b) { return a->lineY < b->lineY; });
    double previous = top - kLabelGap;
    for (Label* label : side) {
        label->y = std::max(label->lineY, previous + kLabelGap);
        previous = label->y;
    }
    return previous;
}

// The mezzanines' labels on the left, the rest on the right, each column as wide as its longest text;
// the drawing stands right of the left column. Returns the lowest label's line and the right column's
// width.
std::pair<double, double> layOutLabels(const std::vector<PreviewLevel>& levels, SectionLayout& out)
{
    double leftWidth = 0, rightWidth = 0;
    for (const PreviewLevel& l : levels) {
        if (!drawn(l)) continue;
        const bool left = inColumn(l) && l.mezzanine;
        out.labels.push_back({&l, left, out.page.py(l.height)});
        double& width = left ? leftWidth : rightWidth;
        width = std::max(width, textWidth(labelText(l)));
    }
    out.page.left = kRuler + 16 + (out.mezzanines ? leftWidth + kLeader : 0);
    out.leftLabelsRight = out.page.left - kLeader;
    out.rightLabelsLeft = out.page.right() + kLeader;
    const double labelsBottom = std::max(spread(out.labels, true, kTop), spread(out.labels, false, kTop));
    return {labelsBottom, rightWidth};
}

// ---------------------------------------------------------------------------------------------------
// [SECTION] The rows below the drawing, the subtitle, the page's size

// Below the drawing and the labels: the key (when levels have kinds), a line per listed box, a line
// for the boxes not listed, a line per level not drawn, and the scale bar.
void layOutRows(const std::vector<PreviewLevel>& levels, const std::vector<PreviewBox>& boxes, long shapes,
                double labelsBottom, SectionLayout& out)
{
    for (const PreviewLevel& l : levels) {
        if (!drawn(l)) out.lostLevels.push_back(&l);
    }
    for (const PreviewBox& b : boxes) out.lostBoxes += drawn(b) ? 0 : 1;
    out.keyY = std::max(out.page.bottom(), labelsBottom) + 36;
    out.boxesY = out.keyY + (out.kinds ? kLegendLine * 2 : 0);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (i < kListedBoxes || !drawn(boxes[i])) out.listedBoxes.push_back(&boxes[i]);
    }
    out.unlistedBoxes = shapes - static_cast<long>(out.listedBoxes.size());
    out.lostY = out.boxesY + kLegendLine * static_cast<double>(out.listedBoxes.size() + (out.unlistedBoxes > 0 ? 1 : 0));
    const std::size_t lostRows = out.lostLevels.size() + (out.lostBoxes || !out.lostLevels.empty() ? 1 : 0);
    out.barY = out.lostY + kLegendLine * static_cast<double>(lostRows) + 34;
}

// "section (x across, height up, mm): 25 frames at their heights above the root, 2 boxes", with what
// was left out and where the mezzanines stand, in the user's language.
std::string subtitleOf(const std::vector<PreviewLevel>& levels, const std::vector<PreviewBox>& boxes, long frames,
                       long shapes, bool mezzanines)
{
    using messages::filledIn;
    std::string frameCount = filledIn(P_("%s frame", "%s frames", frames), std::to_string(frames));
    if (static_cast<std::size_t>(frames) > levels.size())
        frameCount += filledIn(_(" (the first %s drawn)"), std::to_string(levels.size()));
    std::string boxCount = filledIn(P_("%s box", "%s boxes", shapes), std::to_string(shapes));
    if (static_cast<std::size_t>(shapes) > boxes.size())
        boxCount += filledIn(_(" (the first %s drawn)"), std::to_string(boxes.size()));
    std::string subtitle = filledIn(_("section (x across, height up, mm): %s at their heights above the root, %s"),
                                    frameCount, boxCount);
    if (mezzanines) subtitle += _("; mezzanines (中) left, main floors right");
    return subtitle;
}

}  // namespace

SectionLayout layOutSection(const std::vector<PreviewLevel>& levels, const std::vector<PreviewBox>& boxes,
                            long frames, long shapes)
{
    SectionLayout out;
    layOutWorld(levels, boxes, out);
    const auto [labelsBottom, rightWidth] = layOutLabels(levels, out);
    layOutBands(levels, out);
    layOutWalls(levels, out);
    layOutRows(levels, boxes, shapes, labelsBottom, out);
    out.subtitle = subtitleOf(levels, boxes, frames, shapes, out.mezzanines);
    // Whole pixels, so that a PNG of it is exactly this size.
    out.width = std::ceil(std::max({out.rightLabelsLeft + rightWidth + 24, kRuler + 16 + 640.0,
                                    kRuler + textWidth(out.subtitle) + 24}));
    out.height = std::ceil(out.barY + 30);
    return out;
}

}  // namespace cwstool
