// SceneRecords.h - the records of a scene file as the record parser hands them on, one at a time, in
// file order, and the visitor that receives them.
//
// Portable: standard C++ only. Part of the byte layer (scenefile/): plain values, no scene objects.
// The layout of each record is in docs/scene-file-format.md. The parser has checked a record before a
// visitor sees it, but a file can still be refused later: a visitor learns that the whole file was
// accepted only from end(), and a tool that must not show part of a bad file checks it first.
//
// Names are the bytes of the file (Shift-JIS for the program's own), never holding a NUL, and each is
// followed by a NUL in memory, so that name.data() serves as a C string.
//
// Lifetimes: a record, and every name and list it points at, is valid during the callback only; the
// parser reuses its storage for the next one. The one exception is FrameRecord::parent: the records of
// a frame's ancestors stay valid (their lists emptied) while the frame and its subtree are visited, so
// a visitor can walk the path up to the root.
//
// The order of the callbacks for a file, with the repetitions in braces:
//   header
//   {material}                                   the colour section
//   {texture}                                    the texture section
//   frame...                                     the part section: the root frame, recursively
//   {light} [views {view}] {background} {lead} {sensor} [gridLists] [gridInterval] [thickness]
//   end                                          after "EXIT": the file was accepted
// and for one frame:
//   frameBegin  {shape {partialWrap}}  frameTail  {actionStep}  {frame...}  frameEnd
#pragma once

#include <cwscene/Export.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace scenefile {

struct CWSCENE_API Coord {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

using Colour = std::array<std::uint8_t, 3>;  // red, green, blue, or the three values of a colour

// Lock words as the file gives them back: it stores only each word's low three bits (as 7 minus them),
// and a chunk whose three words have no low bits set comes back as 8, 0, 0 (the writer writes the
// chunk only when a word is non-zero).
using LockWords = std::array<std::uint32_t, 3>;

// A counted list of values, decoded by the parser.
template <typename T>
struct CWSCENE_API List {
    const T* values = nullptr;
    std::size_t count = 0;

    const T* begin() const { return values; }
    const T* end() const { return values + count; }
    bool empty() const { return count == 0; }
    std::size_t size() const { return count; }
    const T& operator[](std::size_t i) const { return values[i]; }
};

// The nine texture parameters of a shape or a partial wrap. When letter1 is 'D' the record ends there
// and the other eight are not in the file (they are left at zero here).
struct CWSCENE_API TextureParams {
    char letter1 = 'D';
    char letter2 = 0;
    char letter3 = 0;
    float float1 = 0.0f;
    float float2 = 0.0f;
    char letter4 = 0;
    char letter5 = 0;
    char letter6 = 0;
    float float3 = 0.0f;
};

// The file header, "SHAP" and the unit section.
struct CWSCENE_API HeaderRecord {
    std::int32_t formatVersion = 0;  // always 4: other versions are refused
    std::uint16_t unit = 0;
    bool text = false;               // the text encoding
};

// Every record of a registry carries its place in the section and the section's size.
struct CWSCENE_API Entry {
    std::size_t index = 0;  // from 0, in file order
    std::size_t count = 0;  // the records of this section ("BACK" sections: all of them together)
};

struct CWSCENE_API MaterialRecord : Entry {
    std::string_view name;
    Colour colour1, colour2, colour3, colour4;
    std::uint8_t value1 = 0;
    std::uint8_t value2 = 0;
};

struct CWSCENE_API TextureRecord : Entry {
    std::string_view name;
    std::string_view fileName;
};

// A part record up to its shapes: everything before the shape count.
struct CWSCENE_API FrameRecord {
    int depth = 0;                        // 1 for the root
    std::size_t index = 0;                // among its parent's children (0 for the root)
    const FrameRecord* parent = nullptr;  // null for the root
    std::string_view name;
    Coord position, rotation, scale;
    bool hidden = false;                  // "SHWP"
    bool hasLock = false;                 // "LCKP"
    LockWords lock{};
    bool layer = false;                   // "LYRL"
    List<float> grid1, grid2, grid3;      // "GRDP"; all empty when absent (and in a parent's record)
    std::int32_t partId = 0;              // "PMID"
    std::int32_t partId2 = 0;
    std::int32_t tcdn = 0;                // "TCDN"
    std::uint16_t shapeCount = 0;
};

struct CWSCENE_API ShapeRecord : Entry {
    std::string_view type;               // "CUBE", the only kind of shape
    std::string_view name;
    Coord position, rotation, size;
    std::int16_t materialIndex = -1;
    std::int16_t textureIndex = -1;      // -1 (none) when partial wraps stand in its place
    bool hasTextureParams = false;       // the shape's own texture parameters: textureIndex >= 0
    TextureParams textureParams;
    std::uint16_t partialWrapCount = 0;  // the partialWrap callbacks that follow this one
    bool hasLock = false;                // "LCKS"
    LockWords lock{};
};

struct CWSCENE_API PartialWrapRecord : Entry {
    std::string_view textureFileName;    // never empty
    std::int16_t textureIndex = 0;
    TextureParams params;
};

// A part record after its shapes: the optional "SPRM" and "ACTN", and the child count.
struct CWSCENE_API FrameTailRecord {
    const FrameRecord* frame = nullptr;
    List<std::uint16_t> sprmFirst, sprmSecond;  // both empty when "SPRM" is absent
    bool hasAction = false;                     // "ACTN": an action with at least one step
    std::int16_t actionType = 0;
    std::uint16_t actionOption = 0;
    std::uint16_t actionStepCount = 0;          // the actionStep callbacks that follow this one
    std::array<std::string_view, 4> actionTexts;  // the texts of keys 10, 11, 12, 13
    std::uint16_t childCount = 0;
};

struct CWSCENE_API ActionStepRecord : Entry {
    float scalar = 1.0f;
    Coord position, rotation, scale;
};

struct CWSCENE_API LightRecord : Entry {
    std::string_view name;
    Coord position;
    Colour colour;
};

// The view section before its views.
struct CWSCENE_API ViewSectionRecord {
    float value1 = 0.0f;
    float value2 = 0.0f;
    std::uint16_t count = 0;
};

struct CWSCENE_API ViewRecord : Entry {
    std::string_view name;
    Coord eye, target;
};

struct CWSCENE_API BackgroundRecord : Entry {
    std::string_view name;
    Colour colour;
    std::string_view imageFileName;  // empty: the colour is used
};

struct CWSCENE_API LeadRecord : Entry {
    std::string_view name;
    List<Coord> points;
};

struct CWSCENE_API SensorRecord : Entry {
    std::string_view name;
    Coord position, size;
    std::int16_t sensorType = 0;
};

// "GRDW": the scene's three grid lists (at least one of them is not empty).
struct CWSCENE_API GridListsRecord {
    List<float> grid1, grid2, grid3;
};

// "THCK": the first thickness and one of the others are above 0.
struct CWSCENE_API ThicknessRecord {
    float thickness1 = 0.0f;
    float thickness2 = 0.0f;
    float thickness3 = 0.0f;
};

// ---------------------------------------------------------------------------------------------------
// The receiver of the records. Every callback does nothing unless overridden. A callback may throw;
// the parse ends there (std::bad_alloc becomes the refusal "<where>: out of memory").
class CWSCENE_API SceneVisitor {
public:
    virtual ~SceneVisitor() = default;

    virtual void header(const HeaderRecord&) {}
    virtual void material(const MaterialRecord&) {}
    virtual void texture(const TextureRecord&) {}
    virtual void frameBegin(const FrameRecord&) {}
    virtual void shape(const ShapeRecord&) {}
    virtual void partialWrap(const PartialWrapRecord&) {}
    virtual void frameTail(const FrameTailRecord&) {}
    virtual void actionStep(const ActionStepRecord&) {}
    virtual void frameEnd(const FrameRecord&) {}
    virtual void light(const LightRecord&) {}
    virtual void views(const ViewSectionRecord&) {}
    virtual void view(const ViewRecord&) {}
    virtual void background(const BackgroundRecord&) {}
    virtual void lead(const LeadRecord&) {}
    virtual void sensor(const SensorRecord&) {}
    virtual void gridLists(const GridListsRecord&) {}
    virtual void gridInterval(float) {}  // "GINT": above 0
    virtual void thickness(const ThicknessRecord&) {}
    virtual void end() {}
};

}  // namespace scenefile
