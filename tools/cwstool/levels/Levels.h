// Levels.h - the wizard's levels read from frame names: what kind of level a frame is, of which storey
// and block, and each storey's heights. The section preview, the glTF export's storey volumes and the
// IFC export all read a scene's levels through this, so they agree on what a storey is.
// Tool layer; names are UTF-8 (converted from the file's Shift-JIS by the caller).
//
// A level's kind is read from its name, as the wizard names its frames: 間取り plan, インテリア interior
// (the finished floor), 天井 ceiling, 屋根 roof; 中 marks the mezzanine block; the ASCII digits before
// 階 are the storey. A frame of no kind (the wizard's exterior, its foundation and site frame, any frame
// of another program) is no level of a storey.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <utility>  // pair

namespace cwstool {

enum class LevelKind { Plan, Interior, Ceiling, Roof, Other };

// The word in a frame's name that makes it a level of that kind ("" for Other).
const char* levelWord(LevelKind kind);

struct LevelName {
    LevelKind kind = LevelKind::Other;
    bool mezzanine = false;  // of the mezzanine block (中); false for every level of no kind
    int storey = 0;          // the number before 階; 0 when there is none
};

// "中3階天井" is the ceiling of storey 3 of the mezzanine block.
LevelName levelNameOf(std::string_view utf8Name);

// The skip-floor wizard's part number of a level (1, the exterior, to 25, the foundation and site), or
// 0 for a frame that is none of its levels: the wizard's frames are told by their names.
int wizardPartNumber(std::string_view utf8Name);

// A storey's name: its interior frame's name without the word インテリア ("中2階インテリア" gives
// "中2階"), or the whole name when nothing else is left.
std::string storeyName(const std::string& interiorName);

// The colours of the section preview, which the glTF export's storey volumes take too.
using Rgb = std::array<std::uint8_t, 3>;
inline constexpr Rgb kMainRoomColour{0xEA, 0xF1, 0xFF};       // a main floor's room
inline constexpr Rgb kMezzanineRoomColour{0xFF, 0xF0, 0xD9};  // a mezzanine's room
inline constexpr Rgb kSlabColour{0xA9, 0xA9, 0xA9};           // floor slabs and roofs

// A storey of one block: the mezzanine block's storey 2 is {true, 2}.
using StoreyKey = std::pair<bool, int>;

// The heights (mm above the root) of one storey's levels; NaN for a level it does not have.
struct StoreyLevels {
    double plan = std::numeric_limits<double>::quiet_NaN();
    double interior = std::numeric_limits<double>::quiet_NaN();
    double ceiling = std::numeric_limits<double>::quiet_NaN();
    double roof = std::numeric_limits<double>::quiet_NaN();
    std::string interiorName;  // the interior frame's name, UTF-8
};

// The storeys of a scene, collected frame by frame.
class Storeys {
public:
    // Notes a frame at `height`. Frames of no kind and heights that are not finite are passed over;
    // of two frames with one name the first counts.
    void note(std::string_view utf8Name, double height);

    const std::map<StoreyKey, StoreyLevels>& all() const { return m_storeys; }
    bool empty() const { return m_storeys.empty(); }

    // The storey's floor slab: from the ceiling of the storey below in the same block, or from the
    // storey's plan when there is none, up to its interior. NaN where a height is missing.
    double slabBottom(const StoreyKey& key) const;

    // Where the storey above it begins: the interior of the next storey of the same block, or the
    // storey's roof when it is the block's top. NaN when neither is there.
    double nextFloor(const StoreyKey& key) const;

private:
    std::map<StoreyKey, StoreyLevels> m_storeys;
};

}  // namespace cwstool
