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

// Writes the eight values in their fixed order. `wallHeight` is the wall height c of the split-level
// geometry in millimetres. A registry that refuses the key or a value is passed over silently, and a
// value whose text does not fit its buffer is left out while the others are still written. Returns
// how many values the registry took (8 when all went well), for a front end that reports it.
int ExportEnvironmentDefaults(const WizardParams& params, double wallHeight, Registry& registry);

// Creates or opens `subKeyName` below `parent` when `parentOpen` is non-zero. Returns 0 when the
// parent is not open (nothing is attempted) or the subkey cannot be created; otherwise `parentOpen`
// (1), with the subkey's handle in *subKey.
int OpenEnvironmentKey(Registry& registry, RegistryKey parent, const char* subKeyName,
                       RegistryKey* subKey, int parentOpen);

// When `open` is non-zero, sets `name` to `text` as a REG_SZ of strlen(text) + 1 bytes; otherwise does
// nothing. Returns whether the registry took it; the export only counts it.
bool SetStringValue(Registry& registry, RegistryKey key, const char* name, const char* text,
                    int open);

// Prints `value` in fixed-point notation with the fewest of 0, 1, 2 or 3 decimals that the three
// floor tests allow, then appends `suffix` when given, into `buffer` of kNumberTextSize bytes.
// Returns `buffer`, or nullptr (with `buffer` holding "") when the value is not finite or its text
// would not fit: such a value is not written.
char* FormatNumber(char* buffer, double value, const char* suffix = nullptr);

}  // namespace wizard
