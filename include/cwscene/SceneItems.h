/// \file
/// The library's own texture, light, view, background and lead classes: the objects of
/// the scene's "TXTR", "LIGT", "VIEW", "BACK" and "LEAD" sections.
///
/// Portable: standard C++ only. Part of cwscene. Each writes a small record of its own through the
/// primitives (docs/scene-file-format.md, "Texture record" ... "Lead record"). Like a material, each
/// record writer adds a caught failure text to the error chain and throws the object's name.
#pragma once

#include <cwscene/Export.h>

#include <array>
#include <cstdint>
#include <vector>

#include <cwscene/Scene.h>

/// A texture image: a name and the image's file name. Shapes and partial wraps refer to a texture by
/// its index in the scene's texture registry.
class CWSCENE_API Texture : public SceneItem {
public:
    Texture() = default;  ///< No name, no file name.
    void Write(std::FILE* stream) override;  ///< Counted name, counted file name.
    Texture* Clone() const override;  ///< A new heap copy owned by the caller, or null when memory runs out.

    const CWString& fileName() const { return m_fileName; }  ///< The image's file name, as given.
    void setFileName(const char* fileName) { m_fileName.AssignText(fileName); }  ///< Sets the file name; null empties it.

private:
    CWString m_fileName;
};

/// A point light: a name, a position and a colour.
class CWSCENE_API Light : public SceneItem {
public:
    using Color = std::array<std::uint8_t, 3>;  ///< Red, green, blue.
    Light() = default;  ///< At 0, 0, 0, white.
    void Write(std::FILE* stream) override;  ///< Counted name, three floats, three bytes.
    Light* Clone() const override;  ///< A new heap copy owned by the caller, or null when memory runs out.

    const CWCoord& position() const { return m_position; }  ///< Where the light is.
    const Color& color() const { return m_color; }  ///< The light's colour (255, 255, 255 unless set).
    void setPosition(float x, float y, float z) { m_position = CWCoord(x, y, z); }  ///< Sets where the light is.
    void setColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) { m_color = {r, g, b}; }  ///< Sets the colour.

private:
    CWCoord m_position;                ///< 0, 0, 0.
    Color m_color{{255, 255, 255}};    ///< White.
};

/// A named camera: the eye point and the point it looks at.
class CWSCENE_API View : public SceneItem {
public:
    View() = default;  ///< Eye and target at 0, 0, 0.
    void Write(std::FILE* stream) override;  ///< Counted name, six floats.
    View* Clone() const override;  ///< A new heap copy owned by the caller, or null when memory runs out.

    const CWCoord& eye() const { return m_eye; }        ///< The eye point.
    const CWCoord& target() const { return m_target; }  ///< The point the view looks at.
    void setEye(float x, float y, float z) { m_eye = CWCoord(x, y, z); }  ///< Sets the eye point.
    void setTarget(float x, float y, float z) { m_target = CWCoord(x, y, z); }  ///< Sets the point looked at.

private:
    CWCoord m_eye;     ///< 0, 0, 0.
    CWCoord m_target;  ///< 0, 0, 0.
};

/// A background: a plain colour, or an image file drawn instead of it when a file name is set.
class CWSCENE_API Background : public SceneItem {
public:
    using Color = std::array<std::uint8_t, 3>;  ///< Red, green, blue.
    Background() = default;  ///< White, no image.
    void Write(std::FILE* stream) override;  ///< Counted name, three bytes, counted image file name.
    Background* Clone() const override;  ///< A new heap copy owned by the caller, or null when memory runs out.

    const Color& color() const { return m_color; }  ///< The colour (255, 255, 255 unless set).
    const CWString& imageFileName() const { return m_imageFileName; }  ///< The image's file name; empty for none.
    void setColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) { m_color = {r, g, b}; }  ///< Sets the colour.
    void setImageFileName(const char* fileName) { m_imageFileName.AssignText(fileName); }  ///< Null: colour only.

private:
    Color m_color{{255, 255, 255}};  ///< White.
    CWString m_imageFileName;        ///< Empty: the colour is used.
};

/// A lead: a named polyline of points (a walking route through the house, say).
class CWSCENE_API Lead : public SceneItem {
public:
    Lead() = default;  ///< No points.
    void Write(std::FILE* stream) override;  ///< Counted name, point count, three floats per point.
    Lead* Clone() const override;  ///< A new heap copy owned by the caller, or null when memory runs out.

    const std::vector<CWCoord>& points() const { return m_points; }  ///< The points, in order.
    void addPoint(float x, float y, float z) { m_points.emplace_back(x, y, z); }  ///< Appends a point.
    void setPoints(std::vector<CWCoord> points) { m_points = std::move(points); }  ///< Replaces every point.
    void clearPoints() { m_points.clear(); }  ///< Removes every point.

private:
    std::vector<CWCoord> m_points;
};
