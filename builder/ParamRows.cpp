// ParamRows.cpp - the rows' lookups (see ParamRows.h).
#include "builder/ParamRows.h"

#include "builder/PlanNotes.h"  // kDimensions

#include <cassert>

namespace wizard {

namespace {

// The rows are the builder's dimensions in its order, each with the unit the builder takes it in.
constexpr bool rowsAreTheBuildersDimensions()
{
    for (std::size_t i = 0; i < kParamRows.size(); ++i) {
        const char* unit = kParamRows[i].unit;
        const bool millimetres = unit[0] == 'm' && unit[1] == 'm' && unit[2] == '\0';
        const bool metres = unit[0] == 'm' && unit[1] == '\0';
        const Unit expected = kDimensions[i].unit;
        if (kParamRows[i].member != kDimensions[i].member) return false;
        if (!(expected == Unit::Millimetres ? millimetres : metres)) return false;
    }
    return kParamRows.size() == kDimensions.size();
}
static_assert(rowsAreTheBuildersDimensions(), "kParamRows and kDimensions must list the same dimensions in the same units");

}  // namespace

std::size_t tabIndexOf(double WizardParams::*member)
{
    for (std::size_t i = 0; i < kParamRows.size(); ++i)
        if (kParamRows[i].member == member) return i;
    assert(false && "every member of WizardParams is held by one row of kParamRows");
    return 0;
}

std::string fieldLabel(std::size_t tabIndex)
{
    const ParamRow& row = kParamRows[tabIndex];
    return row.group[0] ? std::string(row.group) + " " + row.label : std::string(row.label);
}

}  // namespace wizard
