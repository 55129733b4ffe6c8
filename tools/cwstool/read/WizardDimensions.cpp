// WizardDimensions.cpp - a wizard scene's dimensions and the notes on them (see WizardDimensions.h).
#include "tools/cwstool/read/WizardDimensions.h"

#include "builder/LevelNotes.h"
#include "builder/PlanNotes.h"
#include "builder/SjisTexts.h"
#include "text/Messages.h"
#include "text/NoteTexts.h"
#include "tools/cwstool/levels/Levels.h"
#include "tools/cwstool/output/TextOutput.h"  // floatText
#include <cwscene/NumberText.h>

#include <cmath>  // isnan
#include <limits>

namespace cwstool {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A float of the file as the decimal it was most likely typed as: 2.4f is 2.4, not 2.4000000953674316.
double typed(double value)
{
    const float f = static_cast<float>(value);
    return numtext::parseDecimal(floatText(f)).value_or(static_cast<double>(f));
}

}  // namespace

void WizardDimensions::frame(std::string_view utf8Name, double offset, double height)
{
    m_current = wizardPartNumber(utf8Name);
    if (m_current > 0 && !m_levels[m_current - 1].seen) m_levels[m_current - 1] = Seen{true, offset, height};
}

void WizardDimensions::shape(const scenefile::ShapeRecord& r)
{
    if (m_current != 25) return;  // the boxes hang on 基礎・敷地
    if (r.name == wizard::sjis::kSiteName && !m_hasSite) {
        m_hasSite = true;
        m_site = r.size;
    } else if (r.name == wizard::sjis::kFoundationName && !m_hasBuilding) {
        m_hasBuilding = true;
        m_building = r.size;
    }
}

void WizardDimensions::thickness(const scenefile::ThicknessRecord& r)
{
    m_hasThickness = true;
    m_wallThickness = r.thickness1;
}

bool WizardDimensions::isWizardScene() const
{
    for (const Seen& level : m_levels)
        if (!level.seen) return false;
    return true;
}

wizard::WizardParams WizardDimensions::params() const
{
    auto offset = [this](int number) { return m_levels[number - 1].offset; };
    auto height = [this](int number) { return m_levels[number - 1].height; };
    wizard::WizardParams p;
    p.m_foundationHeight = typed(-offset(25));
    p.m_firstFloorThickness = typed(-offset(24));
    p.m_roomHeight1 = typed(-offset(23));
    p.m_roomHeight2 = typed(-offset(17));
    p.m_roomHeight3 = typed(-offset(11));
    p.m_roomHeight4 = typed(-offset(5));
    p.m_otherFloorThickness = typed(-2.0 * offset(6));
    p.m_levelDifference = typed(height(20) - height(23));
    p.m_siteWidth = m_hasSite ? typed(m_site.x) / 1000.0 : kNaN;
    p.m_siteDepth = m_hasSite ? typed(m_site.y) / 1000.0 : kNaN;
    p.m_buildingWidth = m_hasBuilding ? typed(m_building.x) / 1000.0 : kNaN;
    p.m_buildingDepth = m_hasBuilding ? typed(m_building.y) / 1000.0 : kNaN;
    p.m_wallThickness = m_hasThickness ? typed(m_wallThickness) : kNaN;
    return p;
}

std::vector<std::string> WizardDimensions::warnings() const
{
    std::vector<std::string> lines;
    if (!isWizardScene()) return lines;
    const wizard::WizardParams p = params();
    for (const wizard::PlanNote& note : wizard::planNotes(p))
        lines.push_back(messages::filledIn(_("the wizard's dimensions: %s"), wizard::platform::planNoteLine(note)));
    // The scene keeps the thicknesses only when the wall's is above 0 and another is too: without them,
    // a first floor's slab above 0 means the wall thickness was zero or negative.
    if (std::isnan(p.m_wallThickness) && p.m_firstFloorThickness > 0.0)
        lines.push_back(_("the wizard's dimensions: the scene holds no wall thickness, which the wizard leaves out when "
                          "the wall thickness is zero or negative"));
    for (const wizard::MezzanineOutside& outside : wizard::levelNotes(p).outside)
        lines.push_back(messages::filledIn(_("the wizard's levels: %s"), wizard::platform::mezzanineOutsideText(outside)));
    return lines;
}

}  // namespace cwstool
