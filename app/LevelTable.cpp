// LevelTable.cpp - the levels from the dialog's texts (see LevelTable.h).
#include "app/LevelTable.h"

#include "app/DialogFields.h"
#include "builder/SplitLevelGeometry.h"

#include <limits>

namespace wizard {

LevelTable levelTable(const FieldTexts& texts)
{
    // A text that is not a number enters as NaN, which the arithmetic carries into exactly the
    // values that depend on it.
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    WizardParams params;
    for (std::size_t i = 0; i < kTabOrder.size(); ++i) params.*kTabOrder[i].member = parseFieldText(texts[i]).value_or(kNaN);

    LevelTable table{};
    table.levels = frameLevels(params);
    table.totalHeight = computeGeometry(params).totalHeight;
    table.badFields = badFields(texts);
    table.notes = levelNotes(params);
    table.planNotes = planNotes(params);
    table.figures = planFigures(params);
    return table;
}

}  // namespace wizard
