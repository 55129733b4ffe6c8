// EnvironmentDefaults.h - the eight per-user defaults of the host application that match the entered
// dimensions, written under HKEY_CURRENT_USER\Software\Tolvarix\Quorrel\Environment.
//
// Builder layer, portable: the registry comes in through the Registry interface (builder/Registry.h).
// Every value is a REG_SZ whose stored length counts the terminating NUL; the numbers are fixed-point
// texts with 0 to 3 decimals.
#pragma once

#include "builder/Registry.h"

#include <cstddef>

namespace wizard {

struct WizardParams;

inline constexpr char kEnvironmentParentKey[] = "Software\\Tolvarix\\Quorrel";  // the host's settings key
inline constexpr char kEnvironmentSubKey[] = "Environment";
inline constexpr std::size_t kNumberTextSize = 256;  // FormatNumber's buffer

// One registry default: its value name and the quantity it carries, computed from the parameters and
// the wall height c (millimetres).
struct EnvironmentValue {
    const char* name;
    double (*quantity)(const WizardParams& params, double wallHeight);
};

// The eight values in the order they are written.
extern const EnvironmentValue kEnvironmentValues[8];

// What exporting the defaults came to: how many values the registry took (8 when all went well), and
// the registry's word on the whole: the first key it could not open or close, or else the closing of
// the last key (for a registry kept in a file, whether that close wrote it).
struct RegistryExport {
    int valuesSet = 0;
    RegistryOutcome outcome;
};

// Writes the eight values in their fixed order. `wallHeight` is the wall height c of the split-level
// geometry in millimetres. A key the registry refuses ends the export there (what was opened is
// closed); a value it refuses, or whose text does not fit its buffer, is left out while the others are
// still written.
RegistryExport ExportEnvironmentDefaults(const WizardParams& params, double wallHeight, Registry& registry);

// Prints `value` in fixed-point notation with the fewest of 0, 1, 2 or 3 decimals that the three
// floor tests allow, then appends `suffix` when given, into `buffer` of kNumberTextSize bytes.
// Returns `buffer`, or nullptr (with `buffer` holding "") when the value is not finite or its text
// would not fit: such a value is not written.
char* FormatNumber(char* buffer, double value, const char* suffix = nullptr);

}  // namespace wizard
