// SceneItems.h - the library's own texture, light, view, background and lead classes: the objects of
// the scene's "TXTR", "LIGT", "VIEW", "BACK" and "LEAD" sections.
//
// Portable: standard C++ only. Part of cwscene. Each writes a small record of its own through the
// primitives (docs/scene-file-format.md, "Texture record" ... "Lead record"). Like a material, each
// record writer adds a caught failure text to the error chain and throws the object's name.
#pragma once

#include <cwscene/Export.h>

#include <array>
#include <cstdint>
#include <vector>

#include <cwscene/Scene.h>

// A texture image: a name and the image's file name. Shapes and partial wraps refer to a texture by
// its index in the scene's texture registry.
class CWSCENE_API Texture : public SceneItem {
public:
    Texture() = default;
    void Write(std::FILE* stream) override;  // counted name, counted file name
    Texture* Clone() const override;

    const CWString& fileName() const { return m_fileName; }
    void setFileName(const char* fileName) { m_fileName.AssignText(fileName); }

private:
    CWString m_fileName;
};

// A point light: a name, a position and a colour.
class CWSCENE_API Light : public SceneItem {
public:
    using Color = std::array<std::uint8_t, 3>;
    Light() = default;
    void Write(std::FILE* stream) override;  // counted name, three floats, three bytes
    Light* Clone() const override;

    const CWCoord& position() const { return m_position; }
    const Color& color() const { return m_color; }
    void setPosition(float x, float y, float z) { m_position = CWCoord(x, y, z); }
    void setColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) { m_color = {r, g, b}; }

private:
    CWCoord m_position;                // 0, 0, 0
    Color m_color{{255, 255, 255}};    // white
};

// A named camera: the eye point and the point it looks at.
class CWSCENE_API View : public SceneItem {
public:
    View() = default;
    void Write(std::FILE* stream) override;  // counted name, six floats
    View* Clone() const override;

    const CWCoord& eye() const { return m_eye; }
    const CWCoord& target() const { return m_target; }
    void setEye(float x, float y, float z) { m_eye = CWCoord(x, y, z); }
    void setTarget(float x, float y, float z) { m_target = CWCoord(x, y, z); }

private:
    CWCoord m_eye;     // 0, 0, 0
    CWCoord m_target;  // 0, 0, 0
};

// A background: a plain colour, or an image file drawn instead of it when a file name is set.
class CWSCENE_API Background : public SceneItem {
public:
    using Color = std::array<std::uint8_t, 3>;
    Background() = default;
    void Write(std::FILE* stream) override;  // counted name, three bytes, counted image file name
    Background* Clone() const override;

    const Color& color() const { return m_color; }
    const CWString& imageFileName() const { return m_imageFileName; }
    void setColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) { m_color = {r, g, b}; }
    void setImageFileName(const char* fileName) { m_imageFileName.AssignText(fileName); }  // null: colour only

private:
    Color m_color{{255, 255, 255}};  // white
    CWString m_imageFileName;        // empty: the colour is used
};

// A lead: a named polyline of points (e.g. a walking route through the house).
class CWSCENE_API Lead : public SceneItem {
public:
    Lead() = default;
    void Write(std::FILE* stream) override;  // counted name, point count, three floats per point
    Lead* Clone() const override;

    const std::vector<CWCoord>& points() const { return m_points; }
    void addPoint(float x, float y, float z) { m_points.emplace_back(x, y, z); }
    void setPoints(std::vector<CWCoord> points) { m_points = std::move(points); }
    void clearPoints() { m_points.clear(); }

private:
    std::vector<CWCoord> m_points;
};
