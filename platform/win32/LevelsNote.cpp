// LevelsNote.cpp - the note under the levels list (see LevelsNote.h).
#include "platform/win32/LevelsNote.h"

#include "app/DialogExchange.h"  // fieldLabel
#include "platform/win32/ResourceText.h"
#include "platform/win32/WideText.h"
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

void addNotes(std::wstring& note, HINSTANCE instance, const LevelNotes& notes)
{
    for (const LowRoom& room : notes.lowRooms) {
        addLine(note, filledIn(loadString(instance, IDS_NOTE_LOW_ROOM),
                               {wideFromUtf8(room.storey), number(room.roomHeight), number(kMinRoomHeight)}));
    }
    for (const MezzanineOutside& outside : notes.outside) {
        if (outside.mezzanine == nullptr) {
            addLine(note, filledIn(loadString(instance, IDS_NOTE_NO_MEZZANINE), {number(outside.levelDifference)}));
        } else {
            addLine(note, filledIn(loadString(instance, IDS_NOTE_MEZZANINE_OUT),
                                   {wideFromUtf8(outside.mezzanine), wideFromUtf8(outside.upper),
                                    number(outside.levelDifference), number(outside.storeyRise),
                                    wideFromUtf8(outside.lower)}));
        }
    }
    if (notes.flights.empty()) return;
    addLine(note, filledIn(loadString(instance, IDS_NOTE_STAIRS), {number(kMaxRiser)}));
    for (const StairFlight& flight : notes.flights) {
        addLine(note, filledIn(loadString(instance, IDS_NOTE_FLIGHT),
                               {wideFromUtf8(flight.from), wideFromUtf8(flight.to), number(flight.rise),
                                number(flight.risers), number(flight.riser)}));
    }
}

}  // namespace

std::wstring millimetresText(double value) { return std::isnan(value) ? std::wstring(L"-") : number(value); }

std::wstring levelsNote(HINSTANCE instance, const LevelTable& table)
{
    std::wstring note = filledIn(loadString(instance, IDS_TOTAL_HEIGHT), {millimetresText(table.totalHeight)});
    if (!table.badFields.empty()) addLine(note, badFieldsLine(instance, table));
    addNotes(note, instance, table.notes);
    return note;
}

}  // namespace wizard::platform
