// WizardDimensions.h - the dimensions a skip-floor wizard scene was made with, read back from its frames,
// its two boxes and its thicknesses, and what `cwstool check` warns about them: the plan notes the wizard
// shows before OK (builder/PlanNotes.h: a row in the other unit, a size not above 0, the building larger
// than its site) and a level difference that puts a mezzanine outside its two floors
// (builder/LevelNotes.h), so a scene made without looking is caught afterwards.
// Tool layer. Fed as the records stream by; its memory does not grow with the file.
//
// From the scene (part numbers as the wizard gives them, Levels.h): the foundation height, the first
// floor's slab and the four room heights are offsets of frames 25, 24, 23, 17, 11 and 5 (negated); the
// other floors' slab twice the offset of frame 6; the level difference the height of 中2階インテリア
// (20) above 1階インテリア (23); site and building sizes the x and y of the boxes 敷地 and 基礎 in frame
// 25, in metres; the wall thickness the first thickness. Each value is taken as the float's shortest
// decimal (2.4f is 2.4), as the row was typed.
#pragma once

#include "builder/WizardParams.h"

#include <cwscene/SceneRecords.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace cwstool {

class WizardDimensions {
public:
    // A frame in file order: its name (UTF-8), its own z offset and its height above the root, in mm.
    void frame(std::string_view utf8Name, double offset, double height);
    // A shape of the frame given last.
    void shape(const scenefile::ShapeRecord& r);
    void thickness(const scenefile::ThicknessRecord& r);

    // One line per warning, in the user's language; empty when all is well or the scene is not the
    // wizard's (it lacks one of the 25 levels).
    std::vector<std::string> warnings() const;

private:
    bool isWizardScene() const;
    wizard::WizardParams params() const;

    struct Seen {
        bool seen = false;  // the first frame of a level counts
        double offset = 0.0;
        double height = 0.0;
    };
    std::array<Seen, 25> m_levels{};  // by the wizard's part number − 1
    int m_current = 0;                // the part number of the frame given last; 0: none of the wizard's
    bool m_hasSite = false, m_hasBuilding = false;
    scenefile::Coord m_site{}, m_building{};  // the boxes' sizes, mm
    bool m_hasThickness = false;
    float m_wallThickness = 0.0f;
};

}  // namespace cwstool
