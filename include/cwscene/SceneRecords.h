/// \file
/// The records of a scene file as the record parser hands them on, one at a time, in
/// file order, and the visitor that receives them.
///
/// Portable: standard C++ only. Part of the byte layer (scenefile/): plain values, no scene objects.
/// The layout of each record is in docs/scene-file-format.md. The parser has checked a record before a
/// visitor sees it, but a file can still be refused later: a visitor learns that the whole file was
/// accepted only from end(), and a tool that must not show part of a bad file checks it first.
///
/// Names are the bytes of the file (Shift-JIS for the program's own), never holding a NUL, and each is
/// followed by a NUL in memory, so that name.data() serves as a C string.
///
/// Lifetimes: a record, and every name and list it points at, is valid during the callback only; the
/// parser reuses its storage for the next one. The one exception is FrameRecord::parent: the records of
/// a frame's ancestors stay valid (their lists emptied) while the frame and its subtree are visited, so
/// a visitor can walk the path up to the root.
///
/// The order of the callbacks for a file, with the repetitions in braces:
/// ~~~{.unparsed}
///   header
///   {material}                                   the colour section
///   {texture}                                    the texture section
///   frame...                                     the part section: the root frame, recursively
///   {light} [views {view}] {background} {lead} {sensor} [gridLists] [gridInterval] [thickness]
///   end                                          after "EXIT": the file was accepted
/// ~~~
/// and for one frame:
/// ~~~{.unparsed}
///   frameBegin  {shape {partialWrap}}  frameTail  {actionStep}  {frame...}  frameEnd
/// ~~~
#pragma once

#include <cwscene/Export.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace scenefile {

/// Three floats x, y, z: a position, rotation, size or scale as the file holds it.
struct CWSCENE_API Coord {
    float x = 0.0f;  ///< The first value.
    float y = 0.0f;  ///< The second value.
    float z = 0.0f;  ///< The third value.
};

using Colour = std::array<std::uint8_t, 3>;  ///< Red, green, blue, or the three values of a colour.

/// Lock words as the file gives them back: it stores only each word's low three bits (as 7 minus them),
/// and a chunk whose three words have no low bits set comes back as 8, 0, 0 (the writer writes the
/// chunk only when a word is non-zero).
using LockWords = std::array<std::uint32_t, 3>;

/// A counted list of values, decoded by the parser.
template <typename T>
struct CWSCENE_API List {
    const T* values = nullptr;  ///< The first value; valid during the callback only.
    std::size_t count = 0;      ///< The number of values.

    const T* begin() const { return values; }  ///< The first value, for range-for.
    const T* end() const { return values + count; }  ///< Past the last value.
    bool empty() const { return count == 0; }  ///< True for no values.
    std::size_t size() const { return count; }  ///< The number of values.
    const T& operator[](std::size_t i) const { return values[i]; }  ///< Value `i`, unchecked.
};

/// The nine texture parameters of a shape or a partial wrap. When letter1 is 'D' the record ends there
/// and the other eight are not in the file (they are left at zero here).
struct CWSCENE_API TextureParams {
    char letter1 = 'D';   ///< Letter 1; 'D' ends the record.
    char letter2 = 0;     ///< Letter 2.
    char letter3 = 0;     ///< Letter 3.
    float float1 = 0.0f;  ///< Float 1.
    float float2 = 0.0f;  ///< Float 2.
    char letter4 = 0;     ///< Letter 4.
    char letter5 = 0;     ///< Letter 5.
    char letter6 = 0;     ///< Letter 6.
    float float3 = 0.0f;  ///< Float 3.
};

/// The file header, "SHAP" and the unit section.
struct CWSCENE_API HeaderRecord {
    std::int32_t formatVersion = 0;  ///< Always 4: other versions are refused.
    std::uint16_t unit = 0;          ///< The unit code ("UNIT"): 0 in the wizard's files, millimetres.
    bool text = false;               ///< The text encoding.
};

/// Every record of a registry carries its place in the section and the section's size.
struct CWSCENE_API Entry {
    std::size_t index = 0;  ///< From 0, in file order.
    std::size_t count = 0;  ///< The records of this section ("BACK" sections: all of them together).
};

/// A material of the colour section.
struct CWSCENE_API MaterialRecord : Entry {
    std::string_view name;  ///< The material's name.
    Colour colour1,  ///< Colour 1, the material's colour.
           colour2,  ///< Colour 2.
           colour3,  ///< Colour 3.
           colour4;  ///< Colour 4.
    std::uint8_t value1 = 0;  ///< The first single-byte value.
    std::uint8_t value2 = 0;  ///< The second single-byte value.
};

/// A texture of the texture section.
struct CWSCENE_API TextureRecord : Entry {
    std::string_view name;      ///< The texture's name.
    std::string_view fileName;  ///< The image's file name.
};

/// A part record up to its shapes: everything before the shape count.
struct CWSCENE_API FrameRecord {
    int depth = 0;                        ///< 1 for the root.
    std::size_t index = 0;                ///< Among its parent's children (0 for the root).
    const FrameRecord* parent = nullptr;  ///< Null for the root.
    std::string_view name;                ///< The frame's name.
    Coord position,                       ///< The position, relative to the parent frame.
          rotation,                       ///< The rotation triple.
          scale;                          ///< The scale factors.
    bool hidden = false;                  ///< "SHWP".
    bool hasLock = false;                 ///< "LCKP".
    LockWords lock{};                     ///< The lock words, when hasLock.
    bool layer = false;                   ///< "LYRL".
    List<float> grid1,                    ///< "GRDP"; all empty when absent (and in a parent's record).
                grid2,                    ///< The second GRDP list.
                grid3;                    ///< The third GRDP list.
    std::int32_t partId = 0;              ///< "PMID".
    std::int32_t partId2 = 0;             ///< The second word of "PMID".
    std::int32_t tcdn = 0;                ///< "TCDN".
    std::uint16_t shapeCount = 0;         ///< The shape callbacks that follow this one.
};

/// A shape record, without its partial wraps (they follow as callbacks of their own).
struct CWSCENE_API ShapeRecord : Entry {
    std::string_view type;               ///< "CUBE", the only kind of shape.
    std::string_view name;               ///< The shape's name.
    Coord position,                      ///< The centre, relative to the frame.
          rotation,                      ///< The rotation triple.
          size;                          ///< The extent along x, y and z.
    std::int16_t materialIndex = -1;     ///< The material's index in the colour section; -1 for none.
    std::int16_t textureIndex = -1;      ///< -1 (none) when partial wraps stand in its place.
    bool hasTextureParams = false;       ///< The shape's own texture parameters: textureIndex >= 0.
    TextureParams textureParams;         ///< The shape's own texture parameters, when hasTextureParams.
    std::uint16_t partialWrapCount = 0;  ///< The partialWrap callbacks that follow this one.
    bool hasLock = false;                ///< "LCKS".
    LockWords lock{};                    ///< The lock words, when hasLock.
};

/// A partial wrap of the shape before it.
struct CWSCENE_API PartialWrapRecord : Entry {
    std::string_view textureFileName;    ///< Never empty.
    std::int16_t textureIndex = 0;       ///< The index given with the file name.
    TextureParams params;                ///< The wrap's own texture parameters.
};

/// A part record after its shapes: the optional "SPRM" and "ACTN", and the child count.
struct CWSCENE_API FrameTailRecord {
    const FrameRecord* frame = nullptr;           ///< The frame this tail belongs to.
    List<std::uint16_t> sprmFirst,                ///< Both empty when "SPRM" is absent.
                        sprmSecond;               ///< The second SPRM list.
    bool hasAction = false;                       ///< "ACTN": an action with at least one step.
    std::int16_t actionType = 0;                  ///< The action's type word.
    std::uint16_t actionOption = 0;               ///< The action's option word.
    std::uint16_t actionStepCount = 0;            ///< The actionStep callbacks that follow this one.
    std::array<std::string_view, 4> actionTexts;  ///< The texts of keys 10, 11, 12, 13.
    std::uint16_t childCount = 0;                 ///< The child frames that follow.
};

/// A step of the action before it.
struct CWSCENE_API ActionStepRecord : Entry {
    float scalar = 1.0f;  ///< The step's scalar.
    Coord position,       ///< The position triple.
          rotation,       ///< The rotation triple.
          scale;          ///< The scale triple.
};

/// A light of the light section.
struct CWSCENE_API LightRecord : Entry {
    std::string_view name;  ///< The light's name.
    Coord position;         ///< Where the light is.
    Colour colour;          ///< The light's colour.
};

/// The view section before its views.
struct CWSCENE_API ViewSectionRecord {
    float value1 = 0.0f;      ///< The first view value.
    float value2 = 0.0f;      ///< The second view value.
    std::uint16_t count = 0;  ///< The view callbacks that follow.
};

/// A view of the view section.
struct CWSCENE_API ViewRecord : Entry {
    std::string_view name;  ///< The view's name.
    Coord eye,              ///< The eye point.
          target;           ///< The point looked at.
};

/// A background of a "BACK" section.
struct CWSCENE_API BackgroundRecord : Entry {
    std::string_view name;           ///< The background's name (usually empty).
    Colour colour;                   ///< The colour.
    std::string_view imageFileName;  ///< Empty: the colour is used.
};

/// A lead of the lead section.
struct CWSCENE_API LeadRecord : Entry {
    std::string_view name;  ///< The lead's name.
    List<Coord> points;     ///< Its points, in order.
};

/// A sensor of the sensor section.
struct CWSCENE_API SensorRecord : Entry {
    std::string_view name;        ///< The sensor's name.
    Coord position,               ///< The position triple.
          size;                   ///< The size triple.
    std::int16_t sensorType = 0;  ///< The type word.
};

/// "GRDW": the scene's three grid lists (at least one of them is not empty).
struct CWSCENE_API GridListsRecord {
    List<float> grid1,  ///< The first list.
                grid2,  ///< The second list.
                grid3;  ///< The third list.
};

/// "THCK": the first thickness and one of the others are above 0.
struct CWSCENE_API ThicknessRecord {
    float thickness1 = 0.0f;  ///< The first thickness (the wizard's wall thickness).
    float thickness2 = 0.0f;  ///< The second thickness (the wizard's wall height).
    float thickness3 = 0.0f;  ///< The third thickness (the wizard's first-floor slab thickness).
};

// ---------------------------------------------------------------------------------------------------
/// The receiver of the records. Every callback does nothing unless overridden. A callback may throw;
/// the parse ends there (std::bad_alloc becomes the refusal "<where>: out of memory").
class CWSCENE_API SceneVisitor {
public:
    virtual ~SceneVisitor() = default;  ///< A visitor may be destroyed through this base.

    virtual void header(const HeaderRecord&) {}  ///< The header and the unit, first of all.
    virtual void material(const MaterialRecord&) {}  ///< Each material of the colour section.
    virtual void texture(const TextureRecord&) {}  ///< Each texture of the texture section.
    virtual void frameBegin(const FrameRecord&) {}  ///< A frame, before its shapes.
    virtual void shape(const ShapeRecord&) {}  ///< Each shape of the frame begun last.
    virtual void partialWrap(const PartialWrapRecord&) {}  ///< Each partial wrap of the shape before.
    virtual void frameTail(const FrameTailRecord&) {}  ///< The frame's SPRM lists, action and child count.
    virtual void actionStep(const ActionStepRecord&) {}  ///< Each step of the frame's action.
    virtual void frameEnd(const FrameRecord&) {}  ///< A frame, after its children.
    virtual void light(const LightRecord&) {}  ///< Each light.
    virtual void views(const ViewSectionRecord&) {}  ///< The view section, before its views.
    virtual void view(const ViewRecord&) {}  ///< Each view.
    virtual void background(const BackgroundRecord&) {}  ///< Each background.
    virtual void lead(const LeadRecord&) {}  ///< Each lead.
    virtual void sensor(const SensorRecord&) {}  ///< Each sensor.
    virtual void gridLists(const GridListsRecord&) {}  ///< The scene's grid lists.
    virtual void gridInterval(float) {}  ///< "GINT": above 0.
    virtual void thickness(const ThicknessRecord&) {}  ///< The three thicknesses.
    virtual void end() {}  ///< After "EXIT": the whole file was accepted.
};

}  // namespace scenefile
