// SvgPreview.cpp - the building section of `cwstool preview` (see SvgPreview.h): the levels and
// boxes as the records stream by; the picture is laid out by SectionLayout.cpp and written by
// SectionSvg.cpp.
#include "tools/cwstool/preview/SvgPreview.h"

#include "text/Messages.h"

#include <cwscene/ShiftJis.h>
#include "tools/cwstool/preview/SectionSvg.h"
#include "tools/cwstool/output/TextOutput.h"

#include <cmath>    // isfinite, fabs
#include <utility>  // move

namespace cwstool {

namespace {

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
    PreviewBox box{cwscene::toUtf8(r.name), cx - hx, cx + hx, cz - hz, cz + hz, {160, 160, 160}, ""};
    if (!std::isfinite(cx) || !std::isfinite(cz)) {
        box.problem = messages::filledIn(_("position %s is not finite"),
                                         coordText(frame.x + r.position.x, frame.y + r.position.y, cz));
    } else if (!std::isfinite(hx) || !std::isfinite(hz)) {
        box.problem = messages::filledIn(_("size %s is not finite"), "(" + floatText(r.size.x) + ", " +
                                                                         floatText(r.size.y) + ", " +
                                                                         floatText(r.size.z) + ")");
    }
    if (r.materialIndex >= 0 && static_cast<std::size_t>(r.materialIndex) < m_materialColours.size()) {
        box.colour = m_materialColours[static_cast<std::size_t>(r.materialIndex)];
    }
    m_boxes.push_back(std::move(box));
}

std::string SidePreview::svg(const std::string& title) const
{
    return sectionSvg(layOutSection(m_levels, m_boxes, m_frames, m_shapes), title);
}

}  // namespace cwstool
