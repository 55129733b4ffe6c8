// SvgPreview.cpp - the building section of `cwstool preview` (see SvgPreview.h).
//
// The page, left to right: a height ruler in millimetres; the labels of the mezzanine column (when
// there is one); the drawing; the labels of the main column and of the levels of no kind. A leader
// joins each label to its level, and the labels of one side are spread so that they never overlap.
// Below the drawing: the key to the colours, a line per box, what was not drawn, and a scale bar.
//
// Sections of this file:
//   [SECTION] Reading: levels and boxes as the records stream by
//   [SECTION] Layout: the world window, the columns, the labels
//   [SECTION] Drawing
#include "tools/cwstool/SvgPreview.h"

#include <cwscene/NumberText.h>
#include <cwscene/ShiftJis.h>
#include "tools/cwstool/TextOutput.h"

#include <algorithm>  // min, max, stable_sort
#include <cmath>      // isfinite, fabs, ceil
#include <sstream>
#include <string_view>
#include <utility>    // pair

namespace cwstool {

namespace {

using Kind = SidePreview::Kind;
using Level = SidePreview::Level;
using Box = SidePreview::Box;

// Page geometry in SVG units (pixels).
constexpr double kTop = 86;                              // the drawing's top edge
constexpr double kRuler = 64;                            // x of the height ruler
constexpr double kLeader = 36;                           // between the drawing and a label column
constexpr double kDrawWidth = 560, kDrawHeight = 720;    // the drawing at most
constexpr double kLabelGap = 15;                         // between two labels of one side
constexpr double kLegendLine = 18;
constexpr std::size_t kListedBoxes = 30;                 // boxes with a line of their own below

// "#EAF1FF"
std::string hexColour(const Rgb& c)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string text = "#";
    for (std::uint8_t byte : c) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0xF];
    }
    return text;
}

// Colours. Rooms and slabs as the dialog's section picture has them (Levels.h).
const std::string kMainRoom = hexColour(kMainRoomColour);
const std::string kMezzanineRoom = hexColour(kMezzanineRoomColour);
const std::string kSlab = hexColour(kSlabColour);
constexpr const char* kWall = "#4A4A4A";
constexpr const char* kNotDrawn = "#C62828";
constexpr const char* kGrey = "#666";

struct KindStyle {
    const char* colour;  // the level's line and label
    const char* english;
};

const KindStyle& kindStyle(Kind kind)
{
    static const KindStyle kPlan{"#2E7D32", "plan"};
    static const KindStyle kInterior{"#1F5FA8", "interior (floor)"};
    static const KindStyle kCeiling{"#B0600A", "ceiling"};
    static const KindStyle kRoof{"#B71C1C", "roof"};
    static const KindStyle kOther{"#555555", "other frame"};
    switch (kind) {
    case Kind::Plan: return kPlan;
    case Kind::Interior: return kInterior;
    case Kind::Ceiling: return kCeiling;
    case Kind::Roof: return kRoof;
    case Kind::Other: break;
    }
    return kOther;
}

constexpr Kind kKinds[] = {Kind::Roof, Kind::Ceiling, Kind::Interior, Kind::Plan, Kind::Other};

std::string num(double value) { return numtext::general(value + 0.0, 10); }  // + 0.0: no "-0"

std::string rgb(const scenefile::Colour& c)
{
    return "rgb(" + std::to_string(c[0]) + "," + std::to_string(c[1]) + "," + std::to_string(c[2]) + ")";
}

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

// About how wide a UTF-8 text is at 12 px: a CJK character takes 12 px, any other about 7.
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

// ---------------------------------------------------------------------------------------------------
// [SECTION] Reading: levels and boxes as the records stream by

std::string coordText(double x, double y, double z)
{
    return "(" + doubleText(x) + ", " + doubleText(y) + ", " + doubleText(z) + ")";
}

}  // namespace

void SidePreview::material(const scenefile::MaterialRecord& r) { m_materialColours.push_back(r.colour1); }

void SidePreview::frameBegin(const scenefile::FrameRecord& r)
{
    ++m_frames;
    const Point& at = m_placement.enter(r);
    if (m_levels.size() >= kMaxLevels) return;
    std::string name = cwscene::toUtf8(r.name);
    const LevelName level = levelNameOf(name);
    m_levels.push_back({static_cast<int>(m_frames), std::move(name), at.z, level.kind, level.mezzanine, level.storey});
}

void SidePreview::shape(const scenefile::ShapeRecord& r)
{
    ++m_shapes;
    if (m_boxes.size() >= kMaxBoxes) return;
    const Point& frame = m_placement.current();  // the frame whose shapes these are
    const double cx = frame.x + r.position.x, cz = frame.z + r.position.z;
    const double hx = std::fabs(static_cast<double>(r.size.x)) / 2, hz = std::fabs(static_cast<double>(r.size.z)) / 2;
    Box box{cwscene::toUtf8(r.name), cx - hx, cx + hx, cz - hz, cz + hz, {160, 160, 160}, ""};
    if (!std::isfinite(cx) || !std::isfinite(cz)) {
        box.problem = "position " + coordText(frame.x + r.position.x, frame.y + r.position.y, cz) + " is not finite";
    } else if (!std::isfinite(hx) || !std::isfinite(hz)) {
        box.problem = "size (" + floatText(r.size.x) + ", " + floatText(r.size.y) + ", " + floatText(r.size.z) +
                      ") is not finite";
    }
    if (r.materialIndex >= 0 && static_cast<std::size_t>(r.materialIndex) < m_materialColours.size()) {
        box.colour = m_materialColours[static_cast<std::size_t>(r.materialIndex)];
    }
    m_boxes.push_back(std::move(box));
}

// ---------------------------------------------------------------------------------------------------
// [SECTION] Layout: the world window, the columns, the labels

namespace {

bool drawn(const Level& l) { return std::isfinite(l.height); }
bool drawn(const Box& b) { return b.problem.empty(); }
bool inColumn(const Level& l) { return drawn(l) && l.kind != Kind::Other; }

// Where the world lands on the page: x across, z up, one scale for both.
struct Page {
    double xMin, xMax, zMin, zMax;
    double scale;     // px per mm
    double left;      // the drawing's left edge on the page
    double top = kTop;

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

// A label beside the drawing: which level, where its line is, where its text goes.
struct Label {
    const Level* level;
    bool left;  // in the column left of the drawing (the mezzanines)
    double lineY;
    double y = 0;
};

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

// The key: a line per kind of level, then the fills of rooms and slabs, starting at `y`.
void writeKey(std::ostream& svg, double y)
{
    double x = kRuler;
    for (Kind kind : kKinds) {
        const KindStyle& style = kindStyle(kind);
        const std::string word = kind == Kind::Other ? std::string(style.english) : std::string(levelWord(kind)) + " " + style.english;
        svg << "<line x1=\"" << num(x) << "\" y1=\"" << num(y - 4) << "\" x2=\"" << num(x + 18) << "\" y2=\"" << num(y - 4)
            << "\" stroke=\"" << style.colour << "\" stroke-width=\"2\""
            << (kind == Kind::Other ? " stroke-dasharray=\"6 3\"" : "") << "/>\n"
            << "<text x=\"" << num(x + 24) << "\" y=\"" << num(y) << "\" fill=\"" << style.colour << "\">" << xmlEscape(word)
            << "</text>\n";
        x += 24 + textWidth(word) + 18;
    }
    const std::pair<const std::string&, const char*> fills[] = {
        {kMainRoom, "main floor room"},
        {kMezzanineRoom, "mezzanine (中) room"},
        {kSlab, "slab: ceiling below (or plan) to floor, top ceiling to roof"},
    };
    x = kRuler;
    y += kLegendLine;
    for (const auto& [fill, text] : fills) {
        svg << "<rect x=\"" << num(x) << "\" y=\"" << num(y - 11) << "\" width=\"18\" height=\"12\" fill=\"" << fill
            << "\" stroke=\"#999\" stroke-width=\"0.5\"/>\n"
            << "<text x=\"" << num(x + 24) << "\" y=\"" << num(y) << "\" fill=\"" << kGrey << "\">" << text << "</text>\n";
        x += 24 + textWidth(text) + 18;
    }
}

std::string labelText(const Level& l)
{
    return "#" + std::to_string(l.ordinal) + " " + l.name + "  " + num(l.height) + " mm";
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// [SECTION] Drawing

std::string SidePreview::svg(const std::string& title) const
{
    // The world window: what is drawn, the root's height 0, and some air around it.
    double xMin = 0, xMax = 0, zMin = 0, zMax = 0;
    bool anyBox = false;
    const Box* building = nullptr;  // the box that reaches highest: its width is the building's
    for (const Box& b : m_boxes) {
        if (!drawn(b)) continue;
        xMin = anyBox ? std::min(xMin, b.x0) : b.x0;
        xMax = anyBox ? std::max(xMax, b.x1) : b.x1;
        anyBox = true;
        zMin = std::min(zMin, b.z0);
        zMax = std::max(zMax, b.z1);
        if (!building || b.z1 > building->z1) building = &b;
    }
    bool mezzanines = false, kinds = false;
    for (const Level& l : m_levels) {
        if (!drawn(l)) continue;
        zMin = std::min(zMin, l.height);
        zMax = std::max(zMax, l.height);
        kinds = kinds || l.kind != Kind::Other;
        mezzanines = mezzanines || (inColumn(l) && l.mezzanine);
    }
    // Without a box the building is centred on the root, about half as wide as it is high.
    const double defaultWidth = std::max(4000.0, (zMax - zMin) / 2);
    Columns columns{building ? building->x0 : -defaultWidth / 2, 0, building ? building->x1 : defaultWidth / 2, mezzanines};
    columns.middle = (columns.x0 + columns.x1) / 2;
    if (!anyBox) {
        xMin = columns.x0;
        xMax = columns.x1;
    }
    const double padX = std::max((xMax - xMin) * 0.04, 100.0), padZ = std::max((zMax - zMin) * 0.04, 100.0);
    xMin -= padX;
    xMax += padX;
    zMin -= padZ;
    zMax += padZ;
    const double scale = std::min(kDrawWidth / (xMax - xMin), kDrawHeight / (zMax - zMin));

    // The labels: mezzanines on the left, the rest on the right; the columns as wide as their texts.
    std::vector<Label> labels;  // in file order
    double leftWidth = 0, rightWidth = 0;
    Page page{xMin, xMax, zMin, zMax, scale, 0};
    for (const Level& l : m_levels) {
        if (!drawn(l)) continue;
        const bool left = inColumn(l) && l.mezzanine;
        labels.push_back({&l, left, page.py(l.height)});
        double& width = left ? leftWidth : rightWidth;
        width = std::max(width, textWidth(labelText(l)));
    }
    page.left = kRuler + 16 + (mezzanines ? leftWidth + kLeader : 0);
    const double leftLabelsRight = page.left - kLeader;
    const double rightLabelsLeft = page.right() + kLeader;
    const double labelsBottom = std::max(spread(labels, true, kTop), spread(labels, false, kTop));

    // Below the drawing: the key, the boxes, what was not drawn, the scale bar.
    std::vector<const Level*> lostLevels;
    for (const Level& l : m_levels) {
        if (!drawn(l)) lostLevels.push_back(&l);
    }
    std::size_t lostBoxes = 0;
    for (const Box& b : m_boxes) lostBoxes += drawn(b) ? 0 : 1;
    const double keyY = std::max(page.bottom(), labelsBottom) + 36;
    const double boxesY = keyY + (kinds ? kLegendLine * 2 : 0);
    std::vector<const Box*> listedBoxes;  // the first kListedBoxes, and every one that was not drawn
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        if (i < kListedBoxes || !drawn(m_boxes[i])) listedBoxes.push_back(&m_boxes[i]);
    }
    const long unlistedBoxes = m_shapes - static_cast<long>(listedBoxes.size());
    const double lostY = boxesY + kLegendLine * static_cast<double>(listedBoxes.size() + (unlistedBoxes > 0 ? 1 : 0));
    const double barY = lostY + kLegendLine * static_cast<double>(lostLevels.size() + (lostBoxes || !lostLevels.empty() ? 1 : 0)) + 34;
    std::string subtitle = "section (x across, height up, mm): " + std::to_string(m_frames) + (m_frames == 1 ? " frame" : " frames");
    if (static_cast<std::size_t>(m_frames) > m_levels.size()) subtitle += " (the first " + std::to_string(m_levels.size()) + " drawn)";
    subtitle += " at their heights above the root, " + std::to_string(m_shapes) + (m_shapes == 1 ? " box" : " boxes");
    if (static_cast<std::size_t>(m_shapes) > m_boxes.size()) subtitle += " (the first " + std::to_string(m_boxes.size()) + " drawn)";
    if (mezzanines) subtitle += "; mezzanines (中) left, main floors right";
    // Whole pixels, so that a PNG of it is exactly this size.
    const double width = std::ceil(std::max({rightLabelsLeft + rightWidth + 24, kRuler + 16 + 640.0, kRuler + textWidth(subtitle) + 24}));
    const double height = std::ceil(barY + 30);

    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << num(width) << "\" height=\"" << num(height)
        << "\" viewBox=\"0 0 " << num(width) << " " << num(height) << "\""
        << " font-family=\"'Noto Sans CJK JP', 'Noto Sans JP', sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << "<text x=\"" << num(kRuler) << "\" y=\"28\" font-size=\"16\" font-weight=\"bold\">" << xmlEscape(title)
        << "</text>\n";
    svg << "<text x=\"" << num(kRuler) << "\" y=\"48\" fill=\"" << kGrey << "\">" << subtitle << "</text>\n";
    if (!lostLevels.empty() || lostBoxes > 0) {
        svg << "<text x=\"" << num(kRuler) << "\" y=\"64\" fill=\"" << kNotDrawn << "\">not drawn, values not finite: "
            << lostLevels.size() << (lostLevels.size() == 1 ? " level, " : " levels, ") << lostBoxes
            << (lostBoxes == 1 ? " box" : " boxes") << " (listed below)</text>\n";
    }

    // Boxes first: the site and the foundation beneath the building.
    for (const Box& b : m_boxes) {
        if (!drawn(b)) continue;
        const double x = page.px(b.x0), y = page.py(b.z1), w = (b.x1 - b.x0) * scale, h = (b.z1 - b.z0) * scale;
        svg << "<rect class=\"box\" x=\"" << num(x) << "\" y=\"" << num(y) << "\" width=\"" << num(w) << "\" height=\""
            << num(h) << "\" fill=\"" << rgb(b.colour) << "\" stroke=\"#333\" stroke-width=\"0.8\"/>\n";
    }

    // The building: rooms, slab bands, walls.
    Storeys blocks;
    for (const Level& l : m_levels) blocks.note(l.name, l.height);
    auto band = [&](const char* cls, bool mezzanine, double z0, double z1, const std::string& fill) {
        if (!std::isfinite(z0) || !std::isfinite(z1)) return;
        const double x0 = page.px(columns.left(mezzanine)), x1 = page.px(columns.right(mezzanine));
        svg << "<rect class=\"" << cls << "\" data-z=\"" << num(std::min(z0, z1)) << " " << num(std::max(z0, z1)) << "\" x=\""
            << num(x0) << "\" y=\"" << num(page.py(std::max(z0, z1)))
            << "\" width=\"" << num(x1 - x0) << "\" height=\"" << num(std::fabs(z1 - z0) * scale) << "\" fill=\"" << fill
            << "\"/>\n";
    };
    for (const auto& [key, s] : blocks.all()) {
        band("room", key.first, s.interior, s.ceiling, key.first ? kMezzanineRoom : kMainRoom);
    }
    for (const auto& [key, s] : blocks.all()) {
        band("slab", key.first, blocks.slabBottom(key), s.interior, kSlab);
        band("slab", key.first, s.ceiling, s.roof, kSlab);
    }
    for (bool mezzanine : {true, false}) {  // walls from the column's lowest level to its highest
        double low = 0, high = 0;
        bool any = false;
        for (const Level& l : m_levels) {
            if (!inColumn(l) || (columns.two && l.mezzanine != mezzanine)) continue;
            low = any ? std::min(low, l.height) : l.height;
            high = any ? std::max(high, l.height) : l.height;
            any = true;
        }
        if (!any || (!columns.two && mezzanine)) continue;
        for (double x : {columns.left(mezzanine), columns.right(mezzanine)}) {
            svg << "<line class=\"wall\" x1=\"" << num(page.px(x)) << "\" y1=\"" << num(page.py(high)) << "\" x2=\""
                << num(page.px(x)) << "\" y2=\"" << num(page.py(low)) << "\" stroke=\"" << kWall
                << "\" stroke-width=\"2\"/>\n";
        }
    }

    // Level lines, leaders and labels.
    for (const Label& label : labels) {
        const bool left = label.left;
        const Level& l = *label.level;
        const KindStyle& style = kindStyle(l.kind);
        const bool column = inColumn(l);
        const double x0 = column ? page.px(columns.left(l.mezzanine)) : page.left;
        const double x1 = column ? page.px(columns.right(l.mezzanine)) : page.right();
        const double y = label.lineY;
        svg << "<line class=\"level\" data-height=\"" << num(l.height) << "\" x1=\"" << num(x0) << "\" y1=\"" << num(y)
            << "\" x2=\"" << num(x1) << "\" y2=\"" << num(y) << "\" stroke=\"" << style.colour << "\" stroke-width=\""
            << (column ? "1.5" : "1\" stroke-dasharray=\"6 3") << "\"/>\n";
        const double from = left ? x0 : x1, edge = left ? page.left - 8 : page.right() + 8;
        const double to = left ? leftLabelsRight + 4 : rightLabelsLeft - 4;
        svg << "<polyline points=\"" << num(from) << "," << num(y) << " " << num(edge) << "," << num(y) << " " << num(to)
            << "," << num(label.y) << "\" fill=\"none\" stroke=\"#9AA\" stroke-width=\"0.8\"/>\n";
        svg << "<text class=\"label\" x=\"" << num(left ? leftLabelsRight : rightLabelsLeft) << "\" y=\"" << num(label.y + 4)
            << "\"" << (left ? " text-anchor=\"end\"" : "") << " fill=\"" << style.colour << "\"><tspan font-weight=\"bold\">#"
            << l.ordinal << "</tspan> " << xmlEscape(l.name) << "<tspan dx=\"8\" fill=\"" << kGrey << "\">" << num(l.height)
            << " mm</tspan></text>\n";
    }

    // Height ruler, ticks at a round step at least 35 px apart.
    const double step = niceStep(35 / scale);
    svg << "<line x1=\"" << num(kRuler) << "\" y1=\"" << num(page.py(zMax)) << "\" x2=\"" << num(kRuler) << "\" y2=\""
        << num(page.py(zMin)) << "\" stroke=\"black\"/>\n"
        << "<text x=\"" << num(kRuler - 4) << "\" y=\"" << num(kTop - 14) << "\" text-anchor=\"end\">mm</text>\n";
    for (double z = std::ceil(zMin / step) * step; z <= zMax; z += step) {
        svg << "<line x1=\"" << num(kRuler - 5) << "\" y1=\"" << num(page.py(z)) << "\" x2=\"" << num(kRuler)
            << "\" y2=\"" << num(page.py(z)) << "\" stroke=\"black\"/>\n"
            << "<text x=\"" << num(kRuler - 8) << "\" y=\"" << num(page.py(z) + 4) << "\" text-anchor=\"end\">" << num(z)
            << "</text>\n";
    }

    // The key to the colours, when there are levels of a kind.
    if (kinds) writeKey(svg, keyY);

    // A line per box; then the levels that were not drawn.
    for (std::size_t i = 0; i < listedBoxes.size(); ++i) {
        const Box& b = *listedBoxes[i];
        const double y = boxesY + kLegendLine * static_cast<double>(i);
        svg << "<rect x=\"" << num(kRuler) << "\" y=\"" << num(y - 11) << "\" width=\"14\" height=\"14\" fill=\""
            << rgb(b.colour) << "\" stroke=\"#333\" stroke-width=\"0.8\"/>\n"
            << "<text x=\"" << num(kRuler + 22) << "\" y=\"" << num(y) << "\">" << xmlEscape(b.name);
        if (drawn(b)) {
            svg << "<tspan dx=\"8\" fill=\"" << kGrey << "\">" << num(b.x1 - b.x0) << " mm wide, " << num(b.z1 - b.z0)
                << " mm high, from " << num(b.z0) << " to " << num(b.z1) << " mm</tspan>";
        } else {
            svg << "<tspan dx=\"8\" fill=\"" << kNotDrawn << "\">not drawn: " << xmlEscape(b.problem) << "</tspan>";
        }
        svg << "</text>\n";
    }
    if (unlistedBoxes > 0) {
        svg << "<text x=\"" << num(kRuler + 22) << "\" y=\""
            << num(boxesY + kLegendLine * static_cast<double>(listedBoxes.size())) << "\" fill=\"" << kGrey << "\">and "
            << unlistedBoxes << " more boxes</text>\n";
    }
    for (std::size_t i = 0; i < lostLevels.size(); ++i) {
        const Level& l = *lostLevels[i];
        svg << "<text class=\"lost\" x=\"" << num(kRuler) << "\" y=\"" << num(lostY + kLegendLine * static_cast<double>(i))
            << "\" fill=\"" << kNotDrawn << "\"><tspan font-weight=\"bold\">#" << l.ordinal << "</tspan> "
            << xmlEscape(l.name) << "<tspan dx=\"8\">not drawn: height " << doubleText(l.height) << "</tspan></text>\n";
    }

    // Scale bar: a round length of about 120 px or more.
    const double bar = niceStep(120 / scale);
    svg << "<line class=\"scale\" x1=\"" << num(kRuler) << "\" y1=\"" << num(barY) << "\" x2=\"" << num(kRuler + bar * scale)
        << "\" y2=\"" << num(barY) << "\" stroke=\"black\" stroke-width=\"3\"/>\n"
        << "<text x=\"" << num(kRuler) << "\" y=\"" << num(barY - 8) << "\">0</text>\n"
        << "<text x=\"" << num(kRuler + bar * scale) << "\" y=\"" << num(barY - 8) << "\" text-anchor=\"middle\">"
        << num(bar) << " mm</text>\n"
        << "</svg>\n";
    return svg.str();
}

}  // namespace cwstool
