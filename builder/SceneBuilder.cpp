// SceneBuilder.cpp - the split-level scene: 25 nested layer frames, a site slab and a foundation
// block, the registry defaults, and the scene file.
//
// Every number is computed in double precision by builder/SplitLevelGeometry and becomes a 32-bit
// float only where it is handed to a scene object. Frames, shapes and materials are finished before
// they are handed over, because the scene and the frames store copies; the chain is therefore built
// from the innermost frame outwards.
#include "builder/SceneBuilder.h"

#include "builder/CommandLineRecord.h"
#include "builder/EnvironmentDefaults.h"
#include "builder/SjisTexts.h"
#include "builder/SplitLevelGeometry.h"
#include "builder/WizardParams.h"
#include <cwscene/Scene.h>

#include <array>
#include <cassert>

namespace wizard {

namespace {

constexpr char kDefaultScenePath[] = "zendel.cws";

float toFloat(double value) { return static_cast<float>(value); }

}  // namespace

BuildResult BuildScene(const WizardParams& params, const CommandLineRecord& commandLine, Registry& registry)
{
    BuildResult result;
    CWScene scene;
    CWMaterial siteMaterial;
    CWMaterial foundationMaterial;
    std::array<CWFrame, kFrameCount> frames;

    const SplitLevelGeometry geometry = computeGeometry(params);
    scene.SetUnit(0);  // millimetres
    scene.SetThickness(toFloat(params.m_wallThickness), toFloat(geometry.wallHeight),
                       toFloat(params.m_firstFloorThickness));
    scene.SetGridInterval(1000.0f);

    siteMaterial.SetColor1(0, 128, 0);
    siteMaterial.SetName(sjis::kSiteName);
    foundationMaterial.SetColor1(89, 102, 115);
    foundationMaterial.SetName(sjis::kFoundationName);
    scene.AddMaterial(siteMaterial);        // index 0
    scene.AddMaterial(foundationMaterial);  // index 1

    CWCube siteSlab;
    CWCube foundationBlock;
    siteSlab.SetMaterialIndex(0);
    foundationBlock.SetMaterialIndex(1);

    for (int n = 0; n < kFrameCount; ++n) {
        CWFrame& frame = frames[n];
        frame.SetName(sjis::kFrameNames[n]);
        frame.SetPosition(0.0f, 0.0f, toFloat(geometry.frameOffsets[n]));
        frame.SetLayer(1);
        frame.m_partId = n + 1;
        frame.m_partId2 = 0;
    }

    // The slab is 100 mm thick with its top face at height 0; the foundation block stands on 0 and
    // reaches up to the foundation height. Positions are box centres.
    siteSlab.SetName(sjis::kSiteName);
    foundationBlock.SetName(sjis::kFoundationName);
    siteSlab.SetSize(toFloat(geometry.siteSizeX), toFloat(geometry.siteSizeY), 100.0f);
    siteSlab.SetPosition(0.0f, 0.0f, -50.0f);
    foundationBlock.SetSize(toFloat(geometry.buildingSizeX), toFloat(geometry.buildingSizeY),
                            toFloat(params.m_foundationHeight));
    foundationBlock.SetPosition(0.0f, 0.0f, toFloat(params.m_foundationHeight * 0.5));

    CWFrame& innermost = frames[kFrameCount - 1];
    innermost.AddShape(siteSlab);
    innermost.AddShape(foundationBlock);
    // Each parent receives a copy of everything already nested below it.
    for (int n = kFrameCount - 2; n >= 0; --n) frames[n].AddChild(frames[n + 1]);
    scene.SetRootFrame(frames[0]);

    result.registry = ExportEnvironmentDefaults(params, geometry.wallHeight, registry);

    // The wizard itself reports nothing; a failed save leaves an earlier file intact.
    assert((commandLine.m_bNoPath != 0 || !commandLine.m_strScenePath.empty()) &&
           "a command line that gave a path gives the scene's first: WizardCommandLine fills it so");
    result.scene = scene.saveFile(commandLine.m_bNoPath ? kDefaultScenePath : commandLine.m_strScenePath);
    return result;
}

}  // namespace wizard
