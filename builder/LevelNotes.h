// LevelNotes.h - what the designer checks about the levels at this stage: rooms lower than a habitable
// room may be, the stair flights of the split level with the treads their risers allow, and a level
// difference that does not put every mezzanine between two main floors.
//
// Builder layer, portable, pure arithmetic. Information only: nothing here refuses a value. The
// console's `levels` and the Windows levels list show these notes under the levels, each in its own
// words; the storey names are the ones the frames carry ("1階", "中2階"), in UTF-8.
#pragma once

#include <vector>

namespace wizard {

struct WizardParams;

// The lowest ceiling a habitable room may have (Building Standard Law, enforcement order article 21).
inline constexpr double kMinRoomHeight = 2100.0;  // mm
// The highest riser of the stairs of a dwelling (enforcement order article 23).
inline constexpr double kMaxRiser = 230.0;  // mm

// The rules a tread T must meet with a riser R: the law's least tread for a dwelling (enforcement order
// article 23), and the housing performance standard's grades 2 and 3 (least tread, slope, step length).
enum class TreadRule {
    LawMinimum,    // T >= 150 mm
    GradeMinimum,  // T >= 195 mm
    Slope,         // R / T <= 22 / 21
    StepShortest,  // 2R + T >= 550 mm
    StepLongest,   // 2R + T <= 650 mm: the only upper bound
};
inline constexpr double kLawMinTread = 150.0;    // mm
inline constexpr double kGradeMinTread = 195.0;  // mm
inline constexpr double kSlopeRise = 22.0, kSlopeRun = 21.0;
inline constexpr double kShortestStep = 550.0, kLongestStep = 650.0;  // mm, 2R + T

// A storey whose room height is below kMinRoomHeight. A main floor k has room height h_k; the
// mezzanine over storey k (中k+1階) has storey k's, h_k.
struct LowRoom {
    const char* storey;  // "1階" ... "4階", "中2階" ... "中4階"
    double roomHeight;   // mm
};

// One flight of the split level's stairs, floor to floor: from a main floor up to the mezzanine over it
// (rise L), and from that mezzanine up to the next main floor (rise q_k = t + h_k − L).
struct StairFlight {
    const char* from;    // "1階"
    const char* to;      // "中2階"
    double rise;         // mm
    double risers;       // the fewest risers of at most kMaxRiser: ceil(rise / kMaxRiser)
    double riser;        // rise / risers, as shown: exact when it has at most one decimal (212.5), else to
                         // the nearest millimetre (1450 / 7 shows as 207)
    // The treads that meet every TreadRule with the exact riser, in whole mm: the least rounded up, the
    // most rounded down (1450 / 7: 198 to 235). When treadMin > treadMax no tread does, and
    // `bindingRule` with StepLongest are the rules that leave none.
    double treadMin;
    double treadMax;
    TreadRule bindingRule;  // the rule that sets treadMin
};

// A mezzanine that is not between the two main floors around it. With L <= 0 no mezzanine stands above
// the floor below it (one note for all, mezzanine and upper are null); with L at least h_k + t the
// mezzanine over storey k reaches or passes storey k + 1.
struct MezzanineOutside {
    const char* mezzanine;   // "中2階", or nullptr: every mezzanine (L <= 0)
    const char* lower;       // "1階", the main floor it stands L above; nullptr likewise
    const char* upper;       // "2階", the main floor it reaches; nullptr likewise
    double levelDifference;  // L, mm
    double storeyRise;       // h_k + t, mm, from the lower main floor up to the upper: L must stay below
                             // it; 0 when L <= 0
};

struct LevelNotes {
    std::vector<LowRoom> lowRooms;          // main floors 1 to 4, then the mezzanines 中2階 to 中4階
    std::vector<StairFlight> flights;       // from the first floor up; a flight that does not rise is left out
    std::vector<MezzanineOutside> outside;  // from the lowest mezzanine up
};

// The notes for these dimensions. A dimension that is NaN (a field that is not a number) leaves out
// every note that needs it.
LevelNotes levelNotes(const WizardParams& params);

}  // namespace wizard
