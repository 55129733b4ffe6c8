// PlanNotes.h - what the designer checks about the plan before OK: a row that looks typed in the other
// unit, a size that is zero or negative, the building larger than its site; and the figures a Japanese
// designer reads first: building area, site area, building coverage and the highest roof level.
//
// Builder layer, portable, pure arithmetic. Information only: nothing here refuses a value, and the
// files are written as they always are. The console (as a row is typed, in `levels`, at `ok`), the
// Windows levels list and its mark on the section picture, and cwstool (check of a wizard scene, dump of
// a parameter file) all take the notes from planNotes(), each saying them in its own words.
//
// Thresholds (docs/console.md gives them to the user):
//   a metre row (site and building width and depth) above kMetreRowMillimetreLike, 200 m, was most
//     likely typed in millimetres: no house has a side that long, and 200 mm would be a 0.2 m house;
//   a millimetre row (heights, thicknesses, the level difference) above 0 and below
//     kMillimetreRowMetreLike, 20 mm, was most likely typed in metres: no slab, wall, room or
//     foundation is thinner than 20 mm, and no room is 20 m high;
//   every size, thickness and height must be above 0 (the level difference has notes of its own,
//     builder/LevelNotes.h);
//   the building is larger than its site when its width or depth is above the site's: a building that
//     fills its site to the millimetre, or leaves 0.3 m of it, is not noted.
#pragma once

#include <array>
#include <vector>

#include "builder/WizardParams.h"

namespace wizard {

enum class Unit { Millimetres, Metres };

// One of the thirteen dimensions, with its unit.
struct Dimension {
    double WizardParams::*member;
    Unit unit;
    bool mustBePositive;  // a size, thickness or height; not the level difference
};

// The thirteen dimensions in the order the dialog shows them (builder/ParamRows.cpp checks that the rows
// agree, unit for unit).
inline constexpr std::array<Dimension, 13> kDimensions{{
    {&WizardParams::m_foundationHeight, Unit::Millimetres, true},
    {&WizardParams::m_firstFloorThickness, Unit::Millimetres, true},
    {&WizardParams::m_otherFloorThickness, Unit::Millimetres, true},
    {&WizardParams::m_roomHeight1, Unit::Millimetres, true},
    {&WizardParams::m_roomHeight2, Unit::Millimetres, true},
    {&WizardParams::m_roomHeight3, Unit::Millimetres, true},
    {&WizardParams::m_roomHeight4, Unit::Millimetres, true},
    {&WizardParams::m_levelDifference, Unit::Millimetres, false},
    {&WizardParams::m_siteWidth, Unit::Metres, true},
    {&WizardParams::m_siteDepth, Unit::Metres, true},
    {&WizardParams::m_buildingWidth, Unit::Metres, true},
    {&WizardParams::m_buildingDepth, Unit::Metres, true},
    {&WizardParams::m_wallThickness, Unit::Millimetres, true},
}};

inline constexpr double kMetreRowMillimetreLike = 200.0;  // m: above it, a metre row looks typed in mm
inline constexpr double kMillimetreRowMetreLike = 20.0;   // mm: above 0 and below it, a mm row looks typed in m

struct PlanNote {
    enum class Kind {
        MillimetresInMetreRow,  // `value` m above kMetreRowMillimetreLike; as millimetres it is `other` m
        MetresInMillimetreRow,  // `value` mm above 0, below kMillimetreRowMetreLike; as metres it is `other` mm
        NotAboveZero,           // `value`, in the row's unit, is zero or negative
        WiderThanSite,          // the building's width `value` m is `excess` m more than the site's, `other` m
        DeeperThanSite,         // the same for the depths
    };
    Kind kind;
    double WizardParams::*member;         // the row it is about; the building's for the site notes
    double value;
    double other = 0.0;
    double excess = 0.0;                  // m, to the micrometre (10.1 − 10 gives 0.1)
    double WizardParams::*site = nullptr;  // the site's row of a site note, which it is about as well

    bool concerns(double WizardParams::*row) const { return row == member || (site != nullptr && row == site); }
};

// The notes for these dimensions: the unit and zero notes row by row in the dialog's order, then the
// width and the depth against the site. A dimension that is NaN (a field that is not a number) has no
// note, nor has any comparison that needs it. Empty for the defaults.
std::vector<PlanNote> planNotes(const WizardParams& params);

// The absolute height limit of the low-rise residential zones (Building Standard Law article 55): 10 m,
// or 12 m where the city plan says so.
inline constexpr double kHeightLimitLow = 10000.0;   // mm
inline constexpr double kHeightLimitHigh = 12000.0;  // mm

struct PlanFigures {
    double buildingArea;  // 建築面積, m²: building width × depth, to 0.01 m²
    double siteArea;      // 敷地面積, m²: site width × depth, to 0.01 m²
    double coverage;      // 建蔽率, %: building area / site area × 100 (unrounded areas), to 0.1 %
    double highestRoof;   // mm above the ground: the higher of the two roof levels (4階屋根, 中4階屋根),
                          // without the roof's own pitch
    double heightLimit;   // the limit the highest roof is above: kHeightLimitHigh, kHeightLimitLow, or 0
                          // when it is at or below 10 m
};

// The figures for these dimensions. An area whose sides are not both above 0, and a value that needs a
// NaN dimension, is NaN; so is the coverage then.
PlanFigures planFigures(const WizardParams& params);

}  // namespace wizard
