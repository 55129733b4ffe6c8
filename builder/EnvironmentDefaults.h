// EnvironmentDefaults.h - the eight per-user defaults of the host application that match the entered
// dimensions, written under HKEY_CURRENT_USER\Software\Tolvarix\Quorrel\Environment.
//
// Portable: the registry comes in through platform::Registry.
#pragma once

#include "platform/Registry.h"

struct WizardParams;

// Writes the eight values in their fixed order. `wallHeight` is the wall height c of the split-level
// geometry in millimetres. A registry that refuses the key or a value is passed over silently.
void ExportEnvironmentDefaults(const WizardParams& params, double wallHeight, platform::Registry& registry);
