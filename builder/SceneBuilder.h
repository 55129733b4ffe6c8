// SceneBuilder.h - turns the thirteen dimensions into the split-level scene, writes the registry
// defaults and saves the scene file.
//
// Builder layer, portable: no platform headers; the registry comes in through the Registry interface
// (builder/Registry.h), which the platform layer implements.
#pragma once

#include "builder/EnvironmentDefaults.h"  // RegistryExport
#include <cwscene/FileAccess.h>            // WriteOutcome

namespace wizard {

struct WizardParams;
struct CommandLineRecord;
class Registry;

// What BuildScene did, for a front end that reports it; the Windows dialog looks at none of it.
struct BuildResult {
    RegistryExport registry;     // the registry defaults: the values set, and the registry's outcome
    fileio::WriteOutcome scene;  // the scene file (error 0 when not written: not a file failure)
};

// Builds the scene from `params`, exports the environment defaults to `registry`, then saves the
// scene to "zendel.cws" in the working directory (no path on the command line) or to the first
// command-line path. Shows nothing; a failed save leaves any earlier file at the path untouched.
BuildResult BuildScene(const WizardParams& params, const CommandLineRecord& commandLine, Registry& registry);

}  // namespace wizard
