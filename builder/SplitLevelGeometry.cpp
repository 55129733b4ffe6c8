// SplitLevelGeometry.cpp - frame offsets and derived values of the split-level house.
#include "builder/SplitLevelGeometry.h"

#include "builder/WizardParams.h"

namespace wizard {

SplitLevelGeometry computeGeometry(const WizardParams& p)
{
    const double F = p.m_foundationHeight;
    const double t = p.m_otherFloorThickness;
    const double t1 = p.m_firstFloorThickness;
    const double h1 = p.m_roomHeight1, h2 = p.m_roomHeight2, h3 = p.m_roomHeight3, h4 = p.m_roomHeight4;
    const double L = p.m_levelDifference;
    const double halfT = t / 2;

    SplitLevelGeometry g;
    // Summed in this order so that the result is the same double whatever the compiler does.
    g.totalHeight = 3.5 * t + h4 + h3 + h2 + h1 + t1 + F;
    // Each summed in this order, as the total height is.
    g.storeyDrops = {t + h1 - L, t + h2 - L, t + h3 - L, t + h4 - L};
    // When the half storey slab is thicker than the first floor, it decides the wall height.
    g.wallHeight = (halfT > t1) ? h1 + t : halfT + h1 + t1;

    const double a = g.totalHeight;
    const double q1 = g.storeyDrops[0], q2 = g.storeyDrops[1], q3 = g.storeyDrops[2], q4 = g.storeyDrops[3];
    // Storey k's ceiling (offset q_k − t/2 from the mezzanine plan above it) and the ceiling of the
    // mezzanine over it (t/2 − q_k + h_k from its plan) both use that storey's own drop q_k: with any
    // four room heights each level then stands on the storeys below it, and frame 25 is back at 0.
    g.frameOffsets = {{
        0.0,               //  1 exterior (scene root)
        a,                 //  2 4F roof
        -q4,               //  3 4F mezzanine roof
        q4 - halfT,        //  4 4F ceiling
        -h4,               //  5 4F interior
        -halfT,            //  6 4F plan
        halfT - q4 + h4,   //  7 4F mezzanine ceiling
        -h3,               //  8 4F mezzanine interior
        -halfT,            //  9 4F mezzanine plan
        q3 - halfT,        // 10 3F ceiling
        -h3,               // 11 3F interior
        -halfT,            // 12 3F plan
        halfT - q3 + h3,   // 13 3F mezzanine ceiling
        -h2,               // 14 3F mezzanine interior
        -halfT,            // 15 3F mezzanine plan
        q2 - halfT,        // 16 2F ceiling
        -h2,               // 17 2F interior
        -halfT,            // 18 2F plan
        halfT - q2 + h2,   // 19 2F mezzanine ceiling
        -h1,               // 20 2F mezzanine interior
        -halfT,            // 21 2F mezzanine plan
        q1 - halfT,        // 22 1F ceiling
        -h1,               // 23 1F interior
        -t1,               // 24 1F plan
        -F,                // 25 foundation and site
    }};

    g.siteSizeX = p.m_siteWidth * 1000.0;
    g.siteSizeY = p.m_siteDepth * 1000.0;
    g.buildingSizeX = p.m_buildingWidth * 1000.0;
    g.buildingSizeY = p.m_buildingDepth * 1000.0;
    return g;
}

std::array<double, kFrameCount> accumulatedHeights(const SplitLevelGeometry& geometry)
{
    std::array<double, kFrameCount> heights{};
    double sum = 0.0;
    for (int n = 0; n < kFrameCount; ++n) {
        sum += geometry.frameOffsets[n];
        heights[n] = sum;
    }
    return heights;
}

}  // namespace wizard
