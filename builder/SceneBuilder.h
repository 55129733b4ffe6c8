// SceneBuilder.h - turns the thirteen dimensions into the split-level scene, writes the registry
// defaults and saves the scene file.
//
// Portable: no platform headers; the registry comes in through platform::Registry.
#pragma once

struct WizardParams;
class WizardCommandLine;
namespace platform {
class Registry;
}

// Builds the scene from `params`, exports the environment defaults to `registry`, then saves the
// scene to "zendel.cws" in the working directory (no path on the command line) or to the first
// command-line path. Reports nothing; a failed save leaves any earlier file at the path untouched.
void BuildScene(const WizardParams& params, const WizardCommandLine& commandLine, platform::Registry& registry);
