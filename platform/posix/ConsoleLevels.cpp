// ConsoleLevels.cpp - the console's `levels` (see ConsoleLevels.h).
#include "platform/posix/ConsoleLevels.h"

#include "app/LevelTable.h"
#include "platform/posix/ConsoleText.h"
#include "platform/Messages.h"
#include <cwscene/NumberText.h>
#include <cwscene/ShiftJis.h>

#include <cmath>  // isnan
#include <ostream>
#include <string>
#include <utility>

namespace wizard::platform {

namespace {

constexpr std::size_t kNameColumns = 20;    // 中4階インテリア takes 15
constexpr std::size_t kNumberColumns = 11;  // "オフセット" takes 10
constexpr std::size_t kFromColumns = 22;    // "#23 1階インテリア" takes 17

// A level's value: "-" when a row it needs is not a number.
std::string millimetres(double value) { return std::isnan(value) ? std::string("-") : numtext::general(value); }

std::string frameNameOf(const LevelTable& table, int number)
{
    return cwscene::toUtf8(table.levels[static_cast<std::size_t>(number - 1)].sjisName);
}

void printRow(std::ostream& out, const LevelTable& table, const Level& level)
{
    out << (level.number < 10 ? "     #" : "    #") << level.number << "  ";
    leftAligned(out, cwscene::toUtf8(level.sjisName), kNameColumns);
    rightAligned(out, millimetres(level.height), kNumberColumns);
    rightAligned(out, millimetres(level.offset), kNumberColumns);
    if (level.parent > 0) {
        out << "  ";
        const std::string from = "#" + std::to_string(level.parent) + " " + frameNameOf(table, level.parent);
        if (!level.interior) {
            out << from;
        } else {
            leftAligned(out, from, kFromColumns);
            out << millimetres(level.clearHeight);
        }
    }
    out << '\n';
}

void printNotes(std::ostream& out, const LevelNotes& notes)
{
    out << "  " << _("notes") << '\n';
    for (const LowRoom& room : notes.lowRooms) {
        out << "    " << messages::filledIn(_("%s: room height %s mm, below the %s mm of a habitable room (Building Standard "
                                   "Law enforcement order, article 21)"),
                                 room.storey, numtext::general(room.roomHeight), numtext::general(kMinRoomHeight))
            << '\n';
    }
    for (const MezzanineOutside& outside : notes.outside) {
        const std::string text =
            outside.mezzanine == nullptr
                ? messages::filledIn(_("level difference %s mm: no mezzanine stands above the main floor below it"),
                           numtext::general(outside.levelDifference))
                : messages::filledIn(_("%1$s is not below %2$s: the level difference %3$s mm is not less than the %4$s mm "
                             "from %5$s up to %2$s"),
                           outside.mezzanine, outside.upper, numtext::general(outside.levelDifference),
                           numtext::general(outside.storeyRise), outside.lower);
        out << "    " << text << '\n';
    }
    if (notes.flights.empty()) return;
    out << "    " << messages::filledIn(_("stairs, floor to floor, with the fewest risers of at most %s mm (article 23):"),
                              numtext::general(kMaxRiser))
        << '\n';
    for (const StairFlight& flight : notes.flights) {
        out << "      " << messages::filledIn(_("%s → %s %s mm: %s steps of %s mm"), flight.from, flight.to,
                                    numtext::general(flight.rise), numtext::general(flight.risers),
                                    numtext::general(flight.riser))
            << '\n';
    }
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
    out << "  " << messages::filledIn(_("total height %s mm"), millimetres(table.totalHeight)) << '\n';
    for (std::size_t bad : table.badFields) {
        out << "  " << messages::filledIn(_("row %s (%s) is not a number: the levels that depend on it show \"-\""),
                                std::to_string(bad + 1), fieldLabel(bad))
            << '\n';
    }
    printNotes(out, table.notes);
}

}  // namespace wizard::platform
