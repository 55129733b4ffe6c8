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

void addFlight(LevelNotes& notes, const char* from, const char* to, double rise)
{
    if (!(rise > 0.0) || !std::isfinite(rise)) return;  // no flight up (L <= 0 has a note of its own)
    const double risers = std::ceil(rise / kMaxRiser);
    notes.flights.push_back(StairFlight{from, to, rise, risers, shownRiser(rise / risers)});
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
