// LevelStacking.h - whether the split-level wizard's 25 levels in a scene stack: each storey's plan at
// or below its interior, the interior at or below its ceiling, the ceiling at or below the plan (or
// roof) of the storey above, and the foundation and site frame on the ground.
// Tool layer. `cwstool check` feeds it the frames as the records stream by; a scene is the wizard's
// when it has a frame for each of the wizard's 25 levels, recognised by name as the section preview
// recognises them (Levels.h), with the exterior and the foundation and site frame by their names (the
// first frame of each level counts). Files written
// before the wizard placed every ceiling with its own storey's drop are such scenes, with unequal room
// heights: their ceilings stand above the next plan and their site floats.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cwstool {

class LevelStacking {
public:
    // A frame in file order: its name (UTF-8), its place in the file (1 for the root) and its height
    // above the root in mm.
    void frame(std::string_view utf8Name, long ordinal, double height);

    // One line per level that does not stack, naming both levels and their heights: "1階天井 (#22) at
    // 3010 mm is above 2階間取り (#18) at 2860 mm". Empty when the levels stack or the scene is not the
    // wizard's.
    std::vector<std::string> warnings() const;

private:
    struct Seen {
        long ordinal = 0;  // 0: no frame of that level yet
        double height = 0.0;
        std::string name;
    };
    Seen m_levels[25];  // by the wizard's part number − 1
};

}  // namespace cwstool
