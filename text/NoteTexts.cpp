// NoteTexts.cpp - the plan and mezzanine notes in words (see NoteTexts.h).
#include "text/NoteTexts.h"

#include "builder/ParamRows.h"  // fieldLabel, tabIndexOf, kParamRows
#include "text/Messages.h"
#include <cwscene/NumberText.h>

namespace wizard::platform {

namespace {

std::string number(double value) { return numtext::general(value); }

}  // namespace

std::string rowName(std::size_t tabIndex)
{
    return messages::filledIn(_("row %s (%s)"), std::to_string(tabIndex + 1), fieldLabel(tabIndex));
}

std::string planNoteText(const PlanNote& note)
{
    using Kind = PlanNote::Kind;
    switch (note.kind) {
    case Kind::MillimetresInMetreRow:
        return messages::filledIn(_("%1$s m: this row is in metres; %1$s mm is %2$s m"), number(note.value),
                                  number(note.other));
    case Kind::MetresInMillimetreRow:
        return messages::filledIn(_("%1$s mm: this row is in millimetres; %1$s m is %2$s mm"), number(note.value),
                                  number(note.other));
    case Kind::NotAboveZero:
        return messages::filledIn(_("%s %s: zero or negative; sizes, thicknesses and heights are above 0"),
                                  number(note.value), kParamRows[tabIndexOf(note.member)].unit);
    case Kind::WiderThanSite:
        return messages::filledIn(_("the building is %s m wider than its site (building width %s m, site width %s m)"),
                                  number(note.excess), number(note.value), number(note.other));
    case Kind::DeeperThanSite:
        return messages::filledIn(_("the building is %s m deeper than its site (building depth %s m, site depth %s m)"),
                                  number(note.excess), number(note.value), number(note.other));
    }
    return std::string();
}

std::string planNoteLine(const PlanNote& note)
{
    if (note.site != nullptr) return planNoteText(note);
    // TRANSLATORS: a row of the form, then a note about its value: "row 11 (建物 幅) 15000 m: ...".
    return messages::filledIn(_("%s %s"), rowName(tabIndexOf(note.member)), planNoteText(note));
}

std::string mezzanineOutsideText(const MezzanineOutside& outside)
{
    if (outside.mezzanine == nullptr) {
        return messages::filledIn(_("level difference %s mm: no mezzanine stands above the main floor below it"),
                                  number(outside.levelDifference));
    }
    return messages::filledIn(_("%1$s is not below %2$s: the level difference %3$s mm is not less than the %4$s mm "
                                "from %5$s up to %2$s"),
                              outside.mezzanine, outside.upper, number(outside.levelDifference),
                              number(outside.storeyRise), outside.lower);
}

}  // namespace wizard::platform
