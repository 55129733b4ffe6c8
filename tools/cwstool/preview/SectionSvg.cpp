// SectionSvg.cpp - the section's SVG document, part by part in drawing order (see SectionSvg.h).
//
// Sections of this file:
//   [SECTION] Colours and number texts
//   [SECTION] The head: title, subtitle, what was not drawn
//   [SECTION] The drawing: boxes, rooms, slabs, walls, levels and their labels, the ruler
//   [SECTION] Below the drawing: the key, the boxes, the levels not drawn, the scale bar
#include "tools/cwstool/preview/SectionSvg.h"

#include "text/Messages.h"
#include "tools/cwstool/output/TextOutput.h"  // xmlEscape, doubleText

#include <algorithm>  // min, max
#include <cmath>      // fabs, ceil
#include <sstream>
#include <utility>    // pair

namespace cwstool {

namespace {

using namespace section;
using Kind = LevelKind;

// ---------------------------------------------------------------------------------------------------
// [SECTION] Colours and number texts

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
    const char* gloss;   // what the kind's word means, marked for translation
};

const KindStyle& kindStyle(Kind kind)
{
    static const KindStyle kPlan{"#2E7D32", N_("plan")};
    static const KindStyle kInterior{"#1F5FA8", N_("interior (floor)")};
    static const KindStyle kCeiling{"#B0600A", N_("ceiling")};
    static const KindStyle kRoof{"#B71C1C", N_("roof")};
    static const KindStyle kOther{"#555555", N_("other frame")};
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

std::string num(double value) { return sectionNumber(value); }

std::string rgb(const scenefile::Colour& c)
{
    return "rgb(" + std::to_string(c[0]) + "," + std::to_string(c[1]) + "," + std::to_string(c[2]) + ")";
}

bool inColumn(const PreviewLevel& l) { return l.kind != Kind::Other; }  // of a level that is drawn

// ---------------------------------------------------------------------------------------------------
// [SECTION] The head: title, subtitle, what was not drawn

void writeHead(std::ostream& svg, const SectionLayout& layout, const std::string& title)
{
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << num(layout.width) << "\" height=\""
        << num(layout.height) << "\" viewBox=\"0 0 " << num(layout.width) << " " << num(layout.height) << "\""
        << " font-family=\"'Noto Sans CJK JP', 'Noto Sans JP', sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << "<text x=\"" << num(kRuler) << "\" y=\"28\" font-size=\"16\" font-weight=\"bold\">" << xmlEscape(title)
        << "</text>\n";
    svg << "<text x=\"" << num(kRuler) << "\" y=\"48\" fill=\"" << kGrey << "\">" << xmlEscape(layout.subtitle) << "</text>\n";
    const std::size_t lostLevels = layout.lostLevels.size(), lostBoxes = layout.lostBoxes;
    if (lostLevels > 0 || lostBoxes > 0) {
        using messages::filledIn;
        const long levels = static_cast<long>(lostLevels), boxes = static_cast<long>(lostBoxes);
        svg << "<text x=\"" << num(kRuler) << "\" y=\"64\" fill=\"" << kNotDrawn << "\">"
            << xmlEscape(filledIn(_("not drawn, values not finite: %s, %s (listed below)"),
                                  filledIn(P_("%s level", "%s levels", levels), std::to_string(levels)),
                                  filledIn(P_("%s box", "%s boxes", boxes), std::to_string(boxes))))
            << "</text>\n";
    }
}

// ---------------------------------------------------------------------------------------------------
// [SECTION] The drawing: boxes, rooms, slabs, walls, levels and their labels, the ruler

// Boxes first: the site and the foundation beneath the building.
void writeBoxes(std::ostream& svg, const SectionLayout& layout)
{
    const Page& page = layout.page;
    for (const PreviewBox* box : layout.drawnBoxes) {
        const PreviewBox& b = *box;
        const double x = page.px(b.x0), y = page.py(b.z1), w = (b.x1 - b.x0) * page.scale, h = (b.z1 - b.z0) * page.scale;
        svg << "<rect class=\"box\" x=\"" << num(x) << "\" y=\"" << num(y) << "\" width=\"" << num(w) << "\" height=\""
            << num(h) << "\" fill=\"" << rgb(b.colour) << "\" stroke=\"#333\" stroke-width=\"0.8\"/>\n";
    }
}

// The building: rooms, slab bands, walls.
void writeBuilding(std::ostream& svg, const SectionLayout& layout)
{
    const Page& page = layout.page;
    const Columns& columns = layout.columns;
    for (const Band& band : layout.bands) {
        const bool room = band.kind == Band::Room;
        const std::string& fill = room ? (band.mezzanine ? kMezzanineRoom : kMainRoom) : kSlab;
        const double z0 = band.z0, z1 = band.z1;
        const double x0 = page.px(columns.left(band.mezzanine)), x1 = page.px(columns.right(band.mezzanine));
        svg << "<rect class=\"" << (room ? "room" : "slab") << "\" data-z=\"" << num(std::min(z0, z1)) << " "
            << num(std::max(z0, z1)) << "\" x=\"" << num(x0) << "\" y=\"" << num(page.py(std::max(z0, z1)))
            << "\" width=\"" << num(x1 - x0) << "\" height=\"" << num(std::fabs(z1 - z0) * page.scale) << "\" fill=\""
            << fill << "\"/>\n";
    }
    for (const Wall& wall : layout.walls) {
        for (double x : {columns.left(wall.mezzanine), columns.right(wall.mezzanine)}) {
            svg << "<line class=\"wall\" x1=\"" << num(page.px(x)) << "\" y1=\"" << num(page.py(wall.high)) << "\" x2=\""
                << num(page.px(x)) << "\" y2=\"" << num(page.py(wall.low)) << "\" stroke=\"" << kWall
                << "\" stroke-width=\"2\"/>\n";
        }
    }
}

// Level lines, leaders and labels.
void writeLevels(std::ostream& svg, const SectionLayout& layout)
{
    const Page& page = layout.page;
    const Columns& columns = layout.columns;
    for (const Label& label : layout.labels) {
        const bool left = label.left;
        const PreviewLevel& l = *label.level;
        const KindStyle& style = kindStyle(l.kind);
        const bool column = inColumn(l);
        const double x0 = column ? page.px(columns.left(l.mezzanine)) : page.left;
        const double x1 = column ? page.px(columns.right(l.mezzanine)) : page.right();
        const double y = label.lineY;
        svg << "<line class=\"level\" data-height=\"" << num(l.height) << "\" x1=\"" << num(x0) << "\" y1=\"" << num(y)
            << "\" x2=\"" << num(x1) << "\" y2=\"" << num(y) << "\" stroke=\"" << style.colour << "\" stroke-width=\""
            << (column ? "1.5" : "1\" stroke-dasharray=\"6 3") << "\"/>\n";
        const double from = left ? x0 : x1, edge = left ? page.left - 8 : page.right() + 8;
        const double to = left ? layout.leftLabelsRight + 4 : layout.rightLabelsLeft - 4;
        svg << "<polyline points=\"" << num(from) << "," << num(y) << " " << num(edge) << "," << num(y) << " " << num(to)
            << "," << num(label.y) << "\" fill=\"none\" stroke=\"#9AA\" stroke-width=\"0.8\"/>\n";
        svg << "<text class=\"label\" x=\"" << num(left ? layout.leftLabelsRight : layout.rightLabelsLeft) << "\" y=\""
            << num(label.y + 4) << "\"" << (left ? " text-anchor=\"end\"" : "") << " fill=\"" << style.colour
            << "\"><tspan font-weight=\"bold\">#" << l.ordinal << "</tspan> " << xmlEscape(l.name)
            << "<tspan dx=\"8\" fill=\"" << kGrey << "\">" << num(l.height) << " mm</tspan></text>\n";
    }
}

// Height ruler, ticks at the layout's round step.
void writeRuler(std::ostream& svg, const SectionLayout& layout)
{
    const Page& page = layout.page;
    const double step = layout.rulerStep;
    svg << "<line x1=\"" << num(kRuler) << "\" y1=\"" << num(page.py(page.zMax)) << "\" x2=\"" << num(kRuler)
        << "\" y2=\"" << num(page.py(page.zMin)) << "\" stroke=\"black\"/>\n"
        << "<text x=\"" << num(kRuler - 4) << "\" y=\"" << num(kTop - 14) << "\" text-anchor=\"end\">mm</text>\n";
    // NOLINTNEXTLINE(clang-analyzer-security.FloatLoopCounter): a tick per step up the page, as many as fit
    for (double z = std::ceil(page.zMin / step) * step; z <= page.zMax; z += step) {
        svg << "<line x1=\"" << num(kRuler - 5) << "\" y1=\"" << num(page.py(z)) << "\" x2=\"" << num(kRuler)
            << "\" y2=\"" << num(page.py(z)) << "\" stroke=\"black\"/>\n"
            << "<text x=\"" << num(kRuler - 8) << "\" y=\"" << num(page.py(z) + 4) << "\" text-anchor=\"end\">" << num(z)
            << "</text>\n";
    }
}

// ---------------------------------------------------------------------------------------------------
// [SECTION] Below the drawing: the key, the boxes, the levels not drawn, the scale bar

// The key: a line per kind of level, then the fills of rooms and slabs, starting at `y`.
void writeKey(std::ostream& svg, double y)
{
    double x = kRuler;
    for (Kind kind : kKinds) {
        const KindStyle& style = kindStyle(kind);
        const std::string word = kind == Kind::Other ? std::string(_(style.gloss))
                                                     : std::string(levelWord(kind)) + " " + _(style.gloss);
        svg << "<line x1=\"" << num(x) << "\" y1=\"" << num(y - 4) << "\" x2=\"" << num(x + 18) << "\" y2=\"" << num(y - 4)
            << "\" stroke=\"" << style.colour << "\" stroke-width=\"2\""
            << (kind == Kind::Other ? " stroke-dasharray=\"6 3\"" : "") << "/>\n"
            << "<text x=\"" << num(x + 24) << "\" y=\"" << num(y) << "\" fill=\"" << style.colour << "\">" << xmlEscape(word)
            << "</text>\n";
        x += 24 + textWidth(word) + 18;
    }
    const std::pair<const std::string&, const char*> fills[] = {
        {kMainRoom, _("main floor room")},
        {kMezzanineRoom, _("mezzanine (中) room")},
        {kSlab, _("slab: ceiling below (or plan) to floor, top ceiling to roof")},
    };
    x = kRuler;
    y += kLegendLine;
    for (const auto& [fill, text] : fills) {
        svg << "<rect x=\"" << num(x) << "\" y=\"" << num(y - 11) << "\" width=\"18\" height=\"12\" fill=\"" << fill
            << "\" stroke=\"#999\" stroke-width=\"0.5\"/>\n"
            << "<text x=\"" << num(x + 24) << "\" y=\"" << num(y) << "\" fill=\"" << kGrey << "\">" << xmlEscape(text)
            << "</text>\n";
        x += 24 + textWidth(text) + 18;
    }
}

// A line per listed box, and one for those not listed.
void writeBoxList(std::ostream& svg, const SectionLayout& layout)
{
    for (std::size_t i = 0; i < layout.listedBoxes.size(); ++i) {
        const PreviewBox& b = *layout.listedBoxes[i];
        const double y = layout.boxesY + kLegendLine * static_cast<double>(i);
        svg << "<rect x=\"" << num(kRuler) << "\" y=\"" << num(y - 11) << "\" width=\"14\" height=\"14\" fill=\""
            << rgb(b.colour) << "\" stroke=\"#333\" stroke-width=\"0.8\"/>\n"
            << "<text x=\"" << num(kRuler + 22) << "\" y=\"" << num(y) << "\">" << xmlEscape(b.name);
        if (b.problem.empty()) {
            svg << "<tspan dx=\"8\" fill=\"" << kGrey << "\">"
                << xmlEscape(messages::filledIn(_("%s mm wide, %s mm high, from %s to %s mm"), num(b.x1 - b.x0),
                                                num(b.z1 - b.z0), num(b.z0), num(b.z1)))
                << "</tspan>";
        } else {
            svg << "<tspan dx=\"8\" fill=\"" << kNotDrawn << "\">"
                << xmlEscape(messages::filledIn(_("not drawn: %s"), b.problem)) << "</tspan>";
        }
        svg << "</text>\n";
    }
    if (layout.unlistedBoxes > 0) {
        svg << "<text x=\"" << num(kRuler + 22) << "\" y=\""
            << num(layout.boxesY + kLegendLine * static_cast<double>(layout.listedBoxes.size())) << "\" fill=\"" << kGrey
            << "\">"
            << xmlEscape(messages::filledIn(P_("and %s more box", "and %s more boxes", layout.unlistedBoxes),
                                            std::to_string(layout.unlistedBoxes)))
            << "</text>\n";
    }
}

void writeLostLevels(std::ostream& svg, const SectionLayout& layout)
{
    for (std::size_t i = 0; i < layout.lostLevels.size(); ++i) {
        const PreviewLevel& l = *layout.lostLevels[i];
        svg << "<text class=\"lost\" x=\"" << num(kRuler) << "\" y=\""
            << num(layout.lostY + kLegendLine * static_cast<double>(i)) << "\" fill=\"" << kNotDrawn
            << "\"><tspan font-weight=\"bold\">#" << l.ordinal << "</tspan> " << xmlEscape(l.name)
            << "<tspan dx=\"8\">" << xmlEscape(messages::filledIn(_("not drawn: height %s"), doubleText(l.height)))
            << "</tspan></text>\n";
    }
}

// Scale bar: the layout's round length.
void writeScaleBar(std::ostream& svg, const SectionLayout& layout)
{
    const double bar = layout.barLength, scale = layout.page.scale, barY = layout.barY;
    svg << "<line class=\"scale\" x1=\"" << num(kRuler) << "\" y1=\"" << num(barY) << "\" x2=\"" << num(kRuler + bar * scale)
        << "\" y2=\"" << num(barY) << "\" stroke=\"black\" stroke-width=\"3\"/>\n"
        << "<text x=\"" << num(kRuler) << "\" y=\"" << num(barY - 8) << "\">0</text>\n"
        << "<text x=\"" << num(kRuler + bar * scale) << "\" y=\"" << num(barY - 8) << "\" text-anchor=\"middle\">"
        << num(bar) << " mm</text>\n";
}

}  // namespace

std::string sectionSvg(const SectionLayout& layout, const std::string& title)
{
    std::ostringstream svg;
    writeHead(svg, layout, title);
    writeBoxes(svg, layout);
    writeBuilding(svg, layout);
    writeLevels(svg, layout);
    writeRuler(svg, layout);
    if (layout.kinds) writeKey(svg, layout.keyY);  // the key to the colours, when there are levels of a kind
    writeBoxList(svg, layout);
    writeLostLevels(svg, layout);
    writeScaleBar(svg, layout);
    svg << "</svg>\n";
    return svg.str();
}

}  // namespace cwstool
