// LevelsNote.cpp - the note under the levels list (see LevelsNote.h).
#include "platform/win32/LevelsNote.h"

#include "app/DialogExchange.h"  // fieldLabel, tabIndexOf
#include "app/DialogFields.h"
#include "platform/win32/ResourceText.h"
#include "text/WideText.h"
#include "platform/win32/res/resource.h"
#include <cwscene/NumberText.h>

#include <cmath>

namespace wizard::platform {

namespace {

std::wstring number(double value) { return wideFromUtf8(numtext::general(value)); }

std::wstring badFieldsLine(HINSTANCE instance, const LevelTable& table)
{
    std::wstring names;
    for (std::size_t bad : table.badFields) names += (names.empty() ? L"" : L"、") + wideFromUtf8(fieldLabel(bad));
    return filledIn(loadString(instance, IDS_NOT_A_NUMBER), {names});
}

void addLine(std::wstring& note, const std::wstring& line) { note += (note.empty() ? L"" : L"\r\n") + line; }

// The rules of a tread as formulas, with the signs of Japanese text (≧, ≦), which the dialog's font has.
const wchar_t* ruleText(TreadRule rule)
{
    switch (rule) {
    case TreadRule::LawMinimum: return L"T ≧ 150 mm";
    case TreadRule::GradeMinimum: return L"T ≧ 195 mm";
    case TreadRule::Slope: return L"R/T ≦ 22/21";
    case TreadRule::StepShortest: return L"2R + T ≧ 550 mm";
    case TreadRule::StepLongest: return L"2R + T ≦ 650 mm";
    }
    return L"";
}

std::wstring planNoteText(HINSTANCE instance, const PlanNote& note)
{
    using Kind = PlanNote::Kind;
    const std::size_t row = tabIndexOf(note.member);
    const std::wstring label = wideFromUtf8(fieldLabel(row));
    switch (note.kind) {
    case Kind::MillimetresInMetreRow:
        return filledIn(loadString(instance, IDS_NOTE_MM_IN_METRE_ROW), {label, number(note.value), number(note.other)});
    case Kind::MetresInMillimetreRow:
        return filledIn(loadString(instance, IDS_NOTE_M_IN_MM_ROW), {label, number(note.value), number(note.other)});
    case Kind::NotAboveZero:
        return filledIn(loadString(instance, IDS_NOTE_NOT_ABOVE_ZERO),
                        {label, number(note.value), wideFromUtf8(kTabOrder[row].unit)});
    case Kind::WiderThanSite:
        return filledIn(loadString(instance, IDS_NOTE_WIDER_THAN_SITE),
                        {number(note.excess), number(note.value), number(note.other)});
    case Kind::DeeperThanSite:
        return filledIn(loadString(instance, IDS_NOTE_DEEPER_THAN_SITE),
                        {number(note.excess), number(note.value), number(note.other)});
    }
    return std::wstring();
}

std::wstring flightText(HINSTANCE instance, const StairFlight& flight)
{
    const std::wstring from = wideFromUtf8(flight.from), to = wideFromUtf8(flight.to);
    if (flight.treadMin <= flight.treadMax) {
        return filledIn(loadString(instance, IDS_NOTE_FLIGHT),
                        {from, to, number(flight.rise), number(flight.risers), number(flight.riser),
                         number(flight.treadMin), number(flight.treadMax)});
    }
    return filledIn(loadString(instance, IDS_NOTE_FLIGHT_NO_TREAD),
                    {from, to, number(flight.rise), number(flight.risers), number(flight.riser),
                     ruleText(flight.bindingRule), ruleText(TreadRule::StepLongest)});
}

void addNotes(std::wstring& note, HINSTANCE instance, const LevelTable& table)
{
    for (const PlanNote& plan : table.planNotes) addLine(note, planNoteText(instance, plan));
    for (const LowRoom& room : table.notes.lowRooms) {
        addLine(note, filledIn(loadString(instance, IDS_NOTE_LOW_ROOM),
                               {wideFromUtf8(room.storey), number(room.roomHeight), number(kMinRoomHeight)}));
    }
    for (const MezzanineOutside& outside : table.notes.outside) {
        if (outside.mezzanine == nullptr) {
            addLine(note, filledIn(loadString(instance, IDS_NOTE_NO_MEZZANINE), {number(outside.levelDifference)}));
        } else {
            addLine(note, filledIn(loadString(instance, IDS_NOTE_MEZZANINE_OUT),
                                   {wideFromUtf8(outside.mezzanine), wideFromUtf8(outside.upper),
                                    number(outside.levelDifference), number(outside.storeyRise),
                                    wideFromUtf8(outside.lower)}));
        }
    }
    if (table.figures.heightLimit > 0.0) {
        addLine(note, filledIn(loadString(instance, IDS_NOTE_HEIGHT_LIMIT),
                               {number(table.figures.highestRoof), number(table.figures.heightLimit / 1000.0)}));
    }
    if (table.notes.flights.empty()) return;
    addLine(note, filledIn(loadString(instance, IDS_NOTE_STAIRS), {number(kMaxRiser)}));
    for (const StairFlight& flight : table.notes.flights) addLine(note, flightText(instance, flight));
}

}  // namespace

std::wstring millimetresText(double value) { return std::isnan(value) ? std::wstring(L"-") : number(value); }

std::wstring levelsNote(HINSTANCE instance, const LevelTable& table)
{
    std::wstring note = filledIn(loadString(instance, IDS_TOTAL_HEIGHT), {millimetresText(table.totalHeight)});
    const PlanFigures& figures = table.figures;
    addLine(note, filledIn(loadString(instance, IDS_FIGURES),
                           {millimetresText(figures.buildingArea), millimetresText(figures.siteArea),
                            millimetresText(figures.coverage), millimetresText(figures.highestRoof)}));
    if (!table.badFields.empty()) addLine(note, badFieldsLine(instance, table));
    addNotes(note, instance, table);
    return note;
}

}  // namespace wizard::platform
