// WizardParams.h - the thirteen dimensions of the split-level house that the wizard edits.
//
// Builder layer, portable: no platform headers. The builder's input record: the shell (app/) fills it
// from the parameter file or the defaults and lets the dialog edit it; the builder reads it. Heights,
// thicknesses and the level difference are millimetres; site and building sizes are metres. No range
// is enforced anywhere: zero and negative values are kept. The declaration order is the order of the
// dialog's data exchange; the parameter file has an order of its own (builder/ParamFile.h).
#pragma once

namespace wizard {

struct WizardParams {
    double m_foundationHeight = 0.0;     // mm, "基礎高さ"
    double m_buildingDepth = 0.0;        // m, "奥行" in the group "建物"
    double m_buildingWidth = 0.0;        // m, "幅" in the group "建物"
    double m_levelDifference = 0.0;      // mm, "基準ブロックとのレベル差"
    double m_otherFloorThickness = 0.0;  // mm, "他階床厚": every storey above the first
    double m_firstFloorThickness = 0.0;  // mm, "１階床厚"
    double m_roomHeight1 = 0.0;          // mm, "１階部屋高"
    double m_roomHeight2 = 0.0;          // mm, "２階部屋高"
    double m_roomHeight3 = 0.0;          // mm, "３階部屋高"
    double m_siteDepth = 0.0;            // m, "奥行" in the group "敷地"
    double m_siteWidth = 0.0;            // m, "幅" in the group "敷地"
    double m_roomHeight4 = 0.0;          // mm, "４階部屋高"
    double m_wallThickness = 0.0;        // mm, "壁厚"
};

}  // namespace wizard
