// PlanNotes.cpp - the designer's notes and figures about the plan (see PlanNotes.h).
#include "builder/PlanNotes.h"

#include "builder/SplitLevelGeometry.h"

#include <cmath>
#include <limits>

namespace wizard {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// To 1/perUnit of the unit: divided last, so that 44.4 is the double nearest 44.4. A value too large
// to scale is too large for the rounding to matter.
double roundedTo(double value, double perUnit)
{
    const double scaled = value * perUnit;
    return std::isfinite(scaled) ? std::round(scaled) / perUnit : value;
}

// A dimension's notes of its own: the other unit, or not above zero.
void addRowNotes(std::vector<PlanNote>& notes, const Dimension& dimension, double value)
{
    using Kind = PlanNote::Kind;
    if (dimension.unit == Unit::Metres && value > kMetreRowMillimetreLike)
        notes.push_back(PlanNote{Kind::MillimetresInMetreRow, dimension.member, value, value / 1000.0});
    if (dimension.unit == Unit::Millimetres && value > 0.0 && value < kMillimetreRowMetreLike)
        notes.push_back(PlanNote{Kind::MetresInMillimetreRow, dimension.member, value, value * 1000.0});
    if (dimension.mustBePositive && value <= 0.0) notes.push_back(PlanNote{Kind::NotAboveZero, dimension.member, value});
}

// The building against its site along one side; both must be sizes (above 0) to compare.
void addSiteNote(std::vector<PlanNote>& notes, PlanNote::Kind kind, const WizardParams& p,
                 double WizardParams::*building, double WizardParams::*site)
{
    const double b = p.*building, s = p.*site;
    // To the micrometre, so that a difference of sizes typed to the millimetre shows as typed.
    if (b > 0.0 && s > 0.0 && b > s) notes.push_back(PlanNote{kind, building, b, s, roundedTo(b - s, 1e6), site});
}

// Width × depth when both are sizes; NaN otherwise.
double area(double width, double depth) { return width > 0.0 && depth > 0.0 ? width * depth : kNaN; }

}  // namespace

std::vector<PlanNote> planNotes(const WizardParams& params)
{
    std::vector<PlanNote> notes;
    for (const Dimension& dimension : kDimensions) addRowNotes(notes, dimension, params.*dimension.member);
    addSiteNote(notes, PlanNote::Kind::WiderThanSite, params, &WizardParams::m_buildingWidth, &WizardParams::m_siteWidth);
    addSiteNote(notes, PlanNote::Kind::DeeperThanSite, params, &WizardParams::m_buildingDepth, &WizardParams::m_siteDepth);
    return notes;
}

PlanFigures planFigures(const WizardParams& params)
{
    const double building = area(params.m_buildingWidth, params.m_buildingDepth);
    const double site = area(params.m_siteWidth, params.m_siteDepth);
    const std::array<double, kFrameCount> heights = accumulatedHeights(computeGeometry(params));
    // The fourth-floor roof is the highest unless the level difference lifts the mezzanine roof above it.
    const double mainRoof = heights[1], mezzanineRoof = heights[2];
    const double highest = std::isnan(mainRoof) || std::isnan(mezzanineRoof) ? kNaN : std::fmax(mainRoof, mezzanineRoof);

    PlanFigures figures{};
    figures.buildingArea = roundedTo(building, 100.0);
    figures.siteArea = roundedTo(site, 100.0);
    figures.coverage = roundedTo(building / site * 100.0, 10.0);
    figures.highestRoof = highest;
    figures.heightLimit = highest > kHeightLimitHigh ? kHeightLimitHigh : highest > kHeightLimitLow ? kHeightLimitLow : 0.0;
    return figures;
}

}  // namespace wizard
