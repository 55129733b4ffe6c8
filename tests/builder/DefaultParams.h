// DefaultParams.h - the wizard's thirteen default dimensions, written out for the builder's tests,
// which link the builder alone (the shell's SetDefaultParams is a layer above; tests/app checks it).
#pragma once

#include "builder/WizardParams.h"

namespace testutil {

inline wizard::WizardParams defaultParams()
{
    wizard::WizardParams p;
    p.m_foundationHeight = 400;
    p.m_buildingDepth = 10;
    p.m_buildingWidth = 10;
    p.m_levelDifference = 1450;
    p.m_otherFloorThickness = 500;
    p.m_firstFloorThickness = 210;
    p.m_roomHeight1 = p.m_roomHeight2 = p.m_roomHeight3 = p.m_roomHeight4 = 2400;
    p.m_siteDepth = 15;
    p.m_siteWidth = 15;
    p.m_wallThickness = 100;
    return p;
}

}  // namespace testutil
