// LevelNotes.cpp - the designer's notes about the levels (see LevelNotes.h).
#include "builder/LevelNotes.h"

#include "builder/WizardParams.h"
#include "builder/SplitLevelGeometry.h"

#include <array>
#include <cmath>

namespace wizard {

namespace {

// The storeys by the names their frames carry: the main floors 1 to 4, and the mezzanine over each of
// the first three.
constexpr std::array<const char*, 4> kMainFloors = {"1階", "2階", "3階", "4階"};
constexpr std::array<const char*, 3> kMezzanines = {"中2階", "中3階", "中4階"};

// The riser as a person reads it off a drawing: exact when it has at most one decimal, else to the
// nearest millimetre.
double shownRiser(double riser)
{
    const double tenths = riser * 10.0;
    if (std::fabs(tenths - std::round(tenths)) < 1e-9 * std::fabs(tenths)) return std::round(tenths) / 10.0;
    return std::round(riser);
}

// The whole-millimetre treads for `risers` risers of rise / risers each. Every bound is computed from
// the rise and the count, not from the rounded riser, with a single division last: a bound that is a
// whole number (21 · 1452 / (22 · 7) = 198) then comes out exactly whole and is not rounded past.
void setTreads(StairFlight& flight)
{
    const double rise = flight.rise, n = flight.risers;
    const struct {
        TreadRule rule;
        double least;  // mm
    } lower[] = {
        {TreadRule::LawMinimum, kLawMinTread},
        {TreadRule::GradeMinimum, kGradeMinTread},
        {TreadRule::Slope, kSlopeRun * rise / (kSlopeRise * n)},
        {TreadRule::StepShortest, (kShortestStep * n - 2.0 * rise) / n},
    };
    double least = lower[0].least;
    flight.bindingRule = lower[0].rule;
    for (const auto& bound : lower) {
        if (bound.least > least) {
            least = bound.least;
            flight.bindingRule = bound.rule;
        }
    }
    flight.treadMin = std::ceil(least);
    flight.treadMax = std::floor((kLongestStep * n - 2.0 * rise) / n);
}

void addFlight(LevelNotes& notes, const char* from, const char* to, double rise)
{
    if (!(rise > 0.0) || !std::isfinite(rise)) return;  // no flight up (L <= 0 has a note of its own)
    const double risers = std::ceil(rise / kMaxRiser);
    StairFlight flight{from, to, rise, risers, shownRiser(rise / risers), 0.0, 0.0, TreadRule::LawMinimum};
    setTreads(flight);
    notes.flights.push_back(flight);
}

}  // namespace

LevelNotes levelNotes(const WizardParams& p)
{
    const std::array<double, 4> roomHeights = {p.m_roomHeight1, p.m_roomHeight2, p.m_roomHeight3, p.m_roomHeight4};
    const double t = p.m_otherFloorThickness;
    const double L = p.m_levelDifference;
    const SplitLevelGeometry geometry = computeGeometry(p);
    LevelNotes notes;

    for (std::size_t k = 0; k < 4; ++k)
        if (roomHeights[k] < kMinRoomHeight) notes.lowRooms.push_back(LowRoom{kMainFloors[k], roomHeights[k]});
    for (std::size_t k = 0; k < 3; ++k)
        if (roomHeights[k] < kMinRoomHeight) notes.lowRooms.push_back(LowRoom{kMezzanines[k], roomHeights[k]});

    for (std::size_t k = 0; k < 3; ++k) {
        addFlight(notes, kMainFloors[k], kMezzanines[k], L);
        addFlight(notes, kMezzanines[k], kMainFloors[k + 1], geometry.storeyDrops[k]);
    }

    if (L <= 0.0) {
        notes.outside.push_back(MezzanineOutside{nullptr, nullptr, nullptr, L, 0.0});
    } else {
        for (std::size_t k = 0; k < 3; ++k) {
            const double storeyRise = roomHeights[k] + t;
            if (L >= storeyRise)
                notes.outside.push_back(MezzanineOutside{kMezzanines[k], kMainFloors[k], kMainFloors[k + 1], L, storeyRise});
        }
    }
    return notes;
}

}  // namespace wizard
