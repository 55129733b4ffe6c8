// SvgPreview.cpp - the side view of `cwstool preview` (see SvgPreview.h).
//
// Layout, left to right: a height ruler in millimetres, the drawing (level lines and boxes at one
// scale for x and z, so proportions are true), then a column of level labels joined to their lines
// by leaders, spread so that labels of nearby levels never overlap. A scale bar sits below.
#include "tools/cwstool/SvgPreview.h"

#include <cwscene/NumberText.h>
#include "tools/cwstool/SjisToUtf8.h"
#include "tools/cwstool/TextOutput.h"

#include <algorithm>  // min, max, sort
#include <cmath>      // isfinite, floor, ceil
#include <sstream>
#include <vector>

namespace cwstool {

namespace {

// Page geometry in SVG units (pixels).
constexpr double kLeft = 90, kTop = 70, kBottom = 80, kDrawWidth = 700, kDrawHeight = 700;
constexpr double kLegendLine = 18;
constexpr double kLabelGap = 16, kLabelColumn = 320;

// Non-finite values in a file would poison the layout; they are drawn at 0.
double finite(double value) { return std::isfinite(value) ? value : 0.0; }

using Level = SidePreview::Level;
using Box = SidePreview::Box;

std::string num(double value) { return numtext::general(value + 0.0, 10); }  // + 0.0: no "-0"

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

}  // namespace

void SidePreview::material(const scenefile::MaterialRecord& r) { m_materialColours.push_back(r.colour1); }

void SidePreview::frameBegin(const scenefile::FrameRecord& r)
{
    const std::size_t depth = static_cast<std::size_t>(r.depth);
    m_x.resize(depth);
    m_z.resize(depth);
    m_x[depth - 1] = (depth > 1 ? m_x[depth - 2] : 0.0) + finite(r.position.x);
    m_z[depth - 1] = (depth > 1 ? m_z[depth - 2] : 0.0) + finite(r.position.z);
    m_levels.push_back({static_cast<int>(m_levels.size()) + 1, sjisToUtf8(r.name), m_z[depth - 1], m_x[depth - 1]});
}

void SidePreview::shape(const scenefile::ShapeRecord& r)
{
    const double x = m_x.back(), z = m_z.back();  // the frame whose shapes these are
    double cx = x + finite(r.position.x), cz = z + finite(r.position.z);
    double hx = std::fabs(finite(r.size.x)) / 2, hz = std::fabs(finite(r.size.z)) / 2;
    Box box{sjisToUtf8(r.name), cx - hx, cx + hx, cz - hz, cz + hz, 160, 160, 160};
    if (r.materialIndex >= 0 && static_cast<std::size_t>(r.materialIndex) < m_materialColours.size()) {
        const scenefile::Colour& c = m_materialColours[static_cast<std::size_t>(r.materialIndex)];
        box.red = c[0];
        box.green = c[1];
        box.blue = c[2];
    }
    m_boxes.push_back(std::move(box));
}

std::string SidePreview::svg(const std::string& title) const
{
    const std::vector<Level>& levels = m_levels;
    const std::vector<Box>& boxes = m_boxes;

    // The world window: every box and every level, with some air around it.
    double xMin = -1000, xMax = 1000, zMin = 0, zMax = 0;
    bool first = true;
    for (const Box& b : boxes) {
        xMin = first ? b.x0 : std::min(xMin, b.x0);
        xMax = first ? b.x1 : std::max(xMax, b.x1);
        first = false;
        zMin = std::min(zMin, b.z0);
        zMax = std::max(zMax, b.z1);
    }
    for (const Level& l : levels) {
        zMin = std::min(zMin, l.height);
        zMax = std::max(zMax, l.height);
    }
    double padX = std::max((xMax - xMin) * 0.04, 100.0), padZ = std::max((zMax - zMin) * 0.04, 100.0);
    xMin -= padX;
    xMax += padX;
    zMin -= padZ;
    zMax += padZ;
    const double scale = std::min(kDrawWidth / (xMax - xMin), kDrawHeight / (zMax - zMin));  // px per mm
    const double drawWidth = (xMax - xMin) * scale, drawHeight = (zMax - zMin) * scale;
    auto px = [&](double x) { return kLeft + (x - xMin) * scale; };
    auto py = [&](double z) { return kTop + (zMax - z) * scale; };

    // Label positions: in height order, each at least kLabelGap below the one above it.
    std::vector<std::size_t> order(levels.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return levels[a].height > levels[b].height; });
    std::vector<double> labelY(levels.size());
    double previous = kTop - kLabelGap;
    for (std::size_t i : order) {
        labelY[i] = std::max(py(levels[i].height), previous + kLabelGap);
        previous = labelY[i];
    }
    const double contentBottom = std::max(kTop + drawHeight, previous);
    const double legendTop = contentBottom + 30;
    const double barY = legendTop + kLegendLine * static_cast<double>(boxes.size()) + 30;
    const double width = kLeft + drawWidth + 40 + kLabelColumn, height = barY + kBottom - 40;
    const double right = kLeft + drawWidth;

    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << num(width) << "\" height=\"" << num(height)
        << "\" viewBox=\"0 0 " << num(width) << " " << num(height) << "\""
        << " font-family=\"'Noto Sans CJK JP', 'Noto Sans JP', sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << "<text x=\"" << num(kLeft) << "\" y=\"30\" font-size=\"16\" font-weight=\"bold\">" << xmlEscape(title)
        << "</text>\n"
        << "<text x=\"" << num(kLeft) << "\" y=\"50\" fill=\"#555\">side view (x across, height up), "
        << levels.size() << " frames at their accumulated heights, " << boxes.size() << " boxes; mm</text>\n";

    // Boxes first, so that level lines stay visible on top of them.
    for (const Box& b : boxes) {
        double luminance = 0.299 * b.red + 0.587 * b.green + 0.114 * b.blue;
        double x = px(b.x0), y = py(b.z1), w = (b.x1 - b.x0) * scale, h = (b.z1 - b.z0) * scale;
        svg << "<rect class=\"box\" x=\"" << num(x) << "\" y=\"" << num(y) << "\" width=\"" << num(w) << "\" height=\""
            << num(h) << "\" fill=\"rgb(" << b.red << "," << b.green << "," << b.blue
            << ")\" stroke=\"#333\" stroke-width=\"0.8\"/>\n";
        if (h >= 15 && w >= 60) {  // the name inside when it fits; the legend below names every box
            svg << "<text x=\"" << num(x + w / 2) << "\" y=\"" << num(y + h / 2 + 4) << "\" text-anchor=\"middle\" fill=\""
                << (luminance < 128 ? "white" : "black") << "\">" << xmlEscape(b.name) << "</text>\n";
        }
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Box& b = boxes[i];
        double y = legendTop + kLegendLine * static_cast<double>(i);
        svg << "<rect x=\"" << num(kLeft) << "\" y=\"" << num(y - 11) << "\" width=\"14\" height=\"14\" fill=\"rgb("
            << b.red << "," << b.green << "," << b.blue << ")\" stroke=\"#333\" stroke-width=\"0.8\"/>\n"
            << "<text x=\"" << num(kLeft + 22) << "\" y=\"" << num(y) << "\">" << xmlEscape(b.name) << "  <tspan fill=\"#555\">"
            << num(b.x1 - b.x0) << " mm wide, " << num(b.z1 - b.z0) << " mm high, from " << num(b.z0) << " to "
            << num(b.z1) << " mm</tspan></text>\n";
    }

    // Level lines, their leaders and labels.
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const Level& l = levels[i];
        double y = py(l.height);
        svg << "<line class=\"level\" data-height=\"" << num(l.height) << "\" x1=\"" << num(kLeft) << "\" y1=\""
            << num(y) << "\" x2=\"" << num(right) << "\" y2=\"" << num(y)
            << "\" stroke=\"#1f5fa8\" stroke-width=\"1\" stroke-dasharray=\"6 3\"/>\n"
            << "<polyline points=\"" << num(right) << "," << num(y) << " " << num(right + 15) << "," << num(y) << " "
            << num(right + 35) << "," << num(labelY[i]) << "\" fill=\"none\" stroke=\"#8aa\" stroke-width=\"0.8\"/>\n"
            << "<text x=\"" << num(right + 40) << "\" y=\"" << num(labelY[i] + 4) << "\">" << l.ordinal << "  "
            << xmlEscape(l.name) << "  <tspan fill=\"#555\">" << num(l.height) << " mm</tspan></text>\n";
    }

    // Height ruler on the left, ticks at a round step at least 35 px apart.
    double step = niceStep(35 / scale);
    svg << "<line x1=\"" << num(kLeft - 20) << "\" y1=\"" << num(py(zMax)) << "\" x2=\"" << num(kLeft - 20)
        << "\" y2=\"" << num(py(zMin)) << "\" stroke=\"black\"/>\n"
        << "<text x=\"" << num(kLeft - 24) << "\" y=\"" << num(kTop - 8) << "\" text-anchor=\"end\">mm</text>\n";
    for (double z = std::ceil(zMin / step) * step; z <= zMax; z += step) {
        svg << "<line x1=\"" << num(kLeft - 25) << "\" y1=\"" << num(py(z)) << "\" x2=\"" << num(kLeft - 20)
            << "\" y2=\"" << num(py(z)) << "\" stroke=\"black\"/>\n"
            << "<text x=\"" << num(kLeft - 28) << "\" y=\"" << num(py(z) + 4) << "\" text-anchor=\"end\">" << num(z)
            << "</text>\n";
    }

    // Scale bar below the drawing: a round length of about 120 px or more.
    double bar = niceStep(120 / scale);
    svg << "<line class=\"scale\" x1=\"" << num(kLeft) << "\" y1=\"" << num(barY) << "\" x2=\""
        << num(kLeft + bar * scale) << "\" y2=\"" << num(barY) << "\" stroke=\"black\" stroke-width=\"3\"/>\n"
        << "<text x=\"" << num(kLeft) << "\" y=\"" << num(barY - 8) << "\">0</text>\n"
        << "<text x=\"" << num(kLeft + bar * scale) << "\" y=\"" << num(barY - 8) << "\" text-anchor=\"middle\">"
        << num(bar) << " mm</text>\n"
        << "</svg>\n";
    return svg.str();
}

}  // namespace cwstool
