// ConsoleLevels.cpp - the console's `levels` (see ConsoleLevels.h).
#include "platform/posix/ConsoleLevels.h"

#include "app/LevelTable.h"
#include "platform/posix/ConsoleText.h"
#include "text/Messages.h"
#include "text/NoteTexts.h"
#include <cwscene/NumberText.h>
#include <cwscene/ShiftJis.h>

#include <cmath>  // isnan
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace wizard::platform {

namespace {

constexpr std::size_t kNameColumns = 20;    // 中4階インテリア takes 15
constexpr std::size_t kNumberColumns = 11;  // "オフセット" takes 10
constexpr std::size_t kFromColumns = 22;    // "#23 1階インテリア" takes 17

// A level's value, or a figure's: "-" when a row it needs is not a number.
std::string numberOrDash(double value) { return std::isnan(value) ? std::string("-") : numtext::general(value); }

std::string frameNameOf(const LevelTable& table, int number)
{
    return cwscene::toUtf8(table.levels[static_cast<std::size_t>(number - 1)].sjisName);
}

void printRow(std::ostream& out, const LevelTable& table, const Level& level)
{
    out << (level.number < 10 ? "     #" : "    #") << level.number << "  ";
    leftAligned(out, cwscene::toUtf8(level.sjisName), kNameColumns);
    rightAligned(out, numberOrDash(level.height), kNumberColumns);
    rightAligned(out, numberOrDash(level.offset), kNumberColumns);
    if (level.parent > 0) {
        out << "  ";
        const std::string from = "#" + std::to_string(level.parent) + " " + frameNameOf(table, level.parent);
        if (!level.interior) {
            out << from;
        } else {
            leftAligned(out, from, kFromColumns);
            out << numberOrDash(level.clearHeight);
        }
    }
    out << '\n';
}

// The rules of a tread as formulas, translated only for their signs (Japanese text writes ≧ and ≦).
const char* ruleText(TreadRule rule)
{
    switch (rule) {
    case TreadRule::LawMinimum: return _("T ≥ 150 mm");
    case TreadRule::GradeMinimum: return _("T ≥ 195 mm");
    case TreadRule::Slope: return _("R/T ≤ 22/21");
    case TreadRule::StepShortest: return _("2R + T ≥ 550 mm");
    case TreadRule::StepLongest: return _("2R + T ≤ 650 mm");
    }
    return "";
}

void printFlights(std::ostream& out, const std::vector<StairFlight>& flights)
{
    if (flights.empty()) return;
    out << "    "
        << messages::filledIn(_("stairs, floor to floor, with the fewest risers R of at most %s mm (article 23), and the "
                                "treads T that meet T ≥ 150 mm (article 23) and the housing performance grades 2 "
                                "and 3 (T ≥ 195 mm, R/T ≤ 22/21, 550 ≤ 2R + T ≤ 650 mm):"),
                              numtext::general(kMaxRiser))
        << '\n';
    for (const StairFlight& flight : flights) {
        const std::string text =
            flight.treadMin <= flight.treadMax
                ? messages::filledIn(_("%s → %s %s mm: %s steps of %s mm, tread %s–%s mm"), flight.from, flight.to,
                                     numtext::general(flight.rise), numtext::general(flight.risers),
                                     numtext::general(flight.riser), numtext::general(flight.treadMin),
                                     numtext::general(flight.treadMax))
                : messages::filledIn(_("%s → %s %s mm: %s steps of %s mm; no tread meets both %s and %s"), flight.from,
                                     flight.to, numtext::general(flight.rise), numtext::general(flight.risers),
                                     numtext::general(flight.riser), ruleText(flight.bindingRule),
                                     ruleText(TreadRule::StepLongest));
        out << "      " << text << '\n';
    }
}

void printNotes(std::ostream& out, const LevelTable& table)
{
    out << "  " << _("notes") << '\n';
    for (const PlanNote& note : table.planNotes) out << "    " << planNoteLine(note) << '\n';
    for (const LowRoom& room : table.notes.lowRooms) {
        out << "    " << messages::filledIn(_("%s: room height %s mm, below the %s mm of a habitable room (Building Standard "
                                   "Law enforcement order, article 21)"),
                                 room.storey, numtext::general(room.roomHeight), numtext::general(kMinRoomHeight))
            << '\n';
    }
    for (const MezzanineOutside& outside : table.notes.outside) out << "    " << mezzanineOutsideText(outside) << '\n';
    if (table.figures.heightLimit > 0.0) {
        out << "    "
            << messages::filledIn(_("the highest roof level, %s mm above the ground, is above %s m: the absolute height "
                                    "limit of the category 1 and 2 low-rise residential zones and the rural "
                                    "residential zones (10 m or 12 m, Building Standard Law article 55); it applies "
                                    "where the site lies in such a zone; the roof's own pitch is not included"),
                                  numtext::general(table.figures.highestRoof),
                                  numtext::general(table.figures.heightLimit / 1000.0))
            << '\n';
    }
    printFlights(out, table.notes.flights);
}

// The figures a designer reads first, under the total height.
void printFigures(std::ostream& out, const PlanFigures& figures)
{
    out << "  "
        << messages::filledIn(_("building area %s m², site area %s m², building coverage %s %% (zones allow 30 to 80 %%, "
                                "Building Standard Law article 53)"),
                              numberOrDash(figures.buildingArea), numberOrDash(figures.siteArea),
                              numberOrDash(figures.coverage))
        << '\n';
    out << "  "
        << messages::filledIn(_("highest roof level %s mm above the ground, without the roof's own pitch"),
                              numberOrDash(figures.highestRoof))
        << '\n';
}

}  // namespace

void printLevels(std::ostream& out, const FieldTexts& texts)
{
    const LevelTable table = levelTable(texts);
    out << _("Levels in mm: height above the ground (GL), offset from the frame it hangs from, clear height "
             "of a room") << '\n';
    const std::pair<LevelGroup, const char*> groups[] = {{LevelGroup::Main, N_("main floors")},
                                                          {LevelGroup::Mezzanine, N_("mezzanines")},
                                                          {LevelGroup::Site, N_("site")}};
    for (const auto& [group, title] : groups) {
        out << "  ";
        leftAligned(out, _(title), 7 + kNameColumns);
        // TRANSLATORS: the column headings of the levels: a height above the ground, an offset, the frame
        // the offset is measured from, a room's clear height. Keep each within ten columns.
        rightAligned(out, _("height"), kNumberColumns);
        rightAligned(out, _("offset"), kNumberColumns);
        out << "  ";
        leftAligned(out, _("from"), kFromColumns);
        out << _("clear") << '\n';
        for (const Level& level : table.levels)
            if (level.group == group) printRow(out, table, level);
    }
    out << "  " << messages::filledIn(_("total height %s mm"), numberOrDash(table.totalHeight)) << '\n';
    printFigures(out, table.figures);
    for (std::size_t bad : table.badFields) {
        out << "  " << messages::filledIn(_("row %s (%s) is not a number: the levels that depend on it show \"-\""),
                                std::to_string(bad + 1), fieldLabel(bad))
            << '\n';
    }
    printNotes(out, table);
}

}  // namespace wizard::platform
