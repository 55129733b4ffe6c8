// Scene.h - CWScene: the root object of a scene. Its registries (materials, textures, lights, views,
// backgrounds, leads, sensors), its root frame, its scene-level values, and the writer of the whole
// scene file (Save, Write and the section writers).
//
// Portable: standard C++ only. Part of cwscene. The file layout is in docs/scene-file-format.md.
// Including this header gives the whole scene library except the concrete texture, light, view,
// background and lead classes, which are in cwscene/SceneItems.h.
//
// Sections of this file:
//   [SECTION] SceneItem: what textures, lights, views, backgrounds and leads implement
//   [SECTION] CWScene
#pragma once

#include <cwscene/Export.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <cwscene/Action.h>
#include <cwscene/Frame.h>
#include <cwscene/Material.h>
#include <cwscene/ScriptObject.h>
#include <cwscene/Shape.h>

// ---------------------------------------------------------------------------------------------------
// [SECTION] SceneItem
// The contract of the objects in the texture, light, view, background and lead registries: a record
// writer (Write), a name, and a deep copy. cwscene/SceneItems.h holds the library's own classes; a
// program may register classes of its own that implement this.
class CWSCENE_API SceneItem : public CWScriptObject {
public:
    // A new heap copy owned by the caller, or null when memory runs out.
    virtual SceneItem* Clone() const = 0;
};

// ---------------------------------------------------------------------------------------------------
// [SECTION] CWScene
class CWSCENE_API CWScene : public CWScriptObject {
public:
    static constexpr std::int32_t kFormatVersion = 4;  // the file header
    static constexpr std::size_t kMaxLights = 16;      // a save with more lights fails

    CWScene();  // version 4, unit 2, view values 0.0, grid interval and thicknesses -1.0, no log
    CWScene(const CWScene&) = delete;
    CWScene& operator=(const CWScene&) = delete;
    // Deletes the root frame, then every registry (backgrounds, leads, lights, materials, sensors,
    // textures, views).
    ~CWScene() override;

    // The whole file content: header, sections, "EXIT". On failure the caught text goes to the error
    // chain and "シーン" is thrown.
    void Write(std::FILE* stream) override;

    // Sets the process-wide binary mode switch: flag 0 selects binary (returns 1), any other flag
    // text (returns 0). Acts on every scene of the process.
    virtual std::int32_t SetTextMode(std::int32_t textMode);
    // Writes the scene file at a UTF-8 path. Returns 1 when everything was written, flushed, closed
    // and put in place; 0 otherwise, and the file that was at the path is left as it was. With the
    // error log enabled a failure writes the error chain to "ScriptErr.log" in the working directory.
    virtual std::int32_t Save(const char* path);
    std::int32_t Save(const std::string& path) { return Save(path.c_str()); }
    virtual void SetUnit(std::uint16_t unit);
    // Names an unnamed frame "新規パーツ" (the caller's frame itself) and keeps a deep copy as the
    // root, releasing an earlier root.
    virtual void SetRootFrame(CWFrame& frame);
    // Each stores a copy and returns its index, or -1 when no copy could be made. An unnamed material,
    // light, view, lead or sensor is first named by its registry's pattern with the registry's size
    // plus 1 ("新規色1"); the caller's object receives that name too. Textures and backgrounds keep
    // their names as they are.
    virtual std::int32_t AddMaterial(CWMaterial& material);
    virtual std::int32_t AddTexture(const SceneItem& texture);
    virtual std::int32_t AddLight(SceneItem& light);
    virtual std::int32_t AddView(SceneItem& view);
    virtual std::int32_t AddBackground(const SceneItem& background);
    virtual std::int32_t AddLead(SceneItem& lead);
    virtual std::int32_t AddSensor(CWSensorUnit& sensor);
    virtual void SetViewValues(float value1, float value2);
    virtual void ClearMaterials();
    virtual void ClearTextures();
    virtual void ClearLights();
    virtual void ClearViews();
    virtual void ClearBackgrounds();
    virtual void ClearLeads();
    virtual void ClearSensors();
    virtual void SetErrorLog(std::int32_t enabled);  // non-zero: a failed Save writes "ScriptErr.log"

    // Section writers, in file order (Write calls them). Each writes its section or nothing.
    virtual void WriteHeader(std::FILE* stream);
    virtual void WriteUnitSection(std::FILE* stream);
    virtual void WriteColorSection(std::FILE* stream);
    virtual void WriteTextureSection(std::FILE* stream);
    virtual void WritePartSection(std::FILE* stream);
    virtual void WriteLightSection(std::FILE* stream);
    virtual void WriteViewSection(std::FILE* stream);
    virtual void WriteBackgroundSection(std::FILE* stream);
    virtual void WriteLeadSection(std::FILE* stream);
    virtual void WriteSensorSection(std::FILE* stream);

    void SetGridInterval(float interval);  // "GINT" is written only when it is above 0.0
    // "THCK" is written only when the first is above 0.0 and one of the others is too.
    void SetThickness(float thickness1, float thickness2, float thickness3);
    void WriteGridSection(std::FILE* stream);
    void WriteGridIntervalSection(std::FILE* stream);
    void WriteThicknessSection(std::FILE* stream);

    // Takes over a root frame made by the caller instead of copying it; same naming rule as
    // SetRootFrame. Null leaves the scene without a root.
    void adoptRootFrame(std::unique_ptr<CWFrame> frame);
    // Each takes over an object made by the caller instead of copying it, with the naming rule of its
    // Add operation, and returns its index; -1 for null. Throws std::bad_alloc when the registry
    // cannot grow (the object is then deleted).
    std::int32_t adoptMaterial(std::unique_ptr<CWMaterial> material);
    std::int32_t adoptTexture(std::unique_ptr<SceneItem> texture);
    std::int32_t adoptLight(std::unique_ptr<SceneItem> light);
    std::int32_t adoptView(std::unique_ptr<SceneItem> view);
    std::int32_t adoptBackground(std::unique_ptr<SceneItem> background);
    std::int32_t adoptLead(std::unique_ptr<SceneItem> lead);
    std::int32_t adoptSensor(std::unique_ptr<CWSensorUnit> sensor);

    // Getters for every field.
    std::int32_t formatVersion() const { return m_formatVersion; }
    std::uint16_t unit() const { return m_unit; }
    const CWFrame* rootFrame() const { return m_rootFrame.get(); }
    float viewValue1() const { return m_viewValue1; }
    float viewValue2() const { return m_viewValue2; }
    float gridInterval() const { return m_gridInterval; }
    float thickness1() const { return m_thickness1; }
    float thickness2() const { return m_thickness2; }
    float thickness3() const { return m_thickness3; }
    std::int32_t writeErrorLog() const { return m_writeErrorLog; }
    std::size_t materialCount() const { return m_materials.size(); }
    const CWMaterial& material(std::size_t i) const { return *m_materials.at(i); }
    std::size_t textureCount() const { return m_textures.size(); }
    const SceneItem& texture(std::size_t i) const { return *m_textures.at(i); }
    std::size_t lightCount() const { return m_lights.size(); }
    const SceneItem& light(std::size_t i) const { return *m_lights.at(i); }
    std::size_t viewCount() const { return m_views.size(); }
    const SceneItem& view(std::size_t i) const { return *m_views.at(i); }
    std::size_t backgroundCount() const { return m_backgrounds.size(); }
    const SceneItem& background(std::size_t i) const { return *m_backgrounds.at(i); }
    std::size_t leadCount() const { return m_leads.size(); }
    const SceneItem& lead(std::size_t i) const { return *m_leads.at(i); }
    std::size_t sensorCount() const { return m_sensors.size(); }
    const CWSensorUnit& sensor(std::size_t i) const { return *m_sensors.at(i); }
    const std::vector<float>& grid1() const { return m_grid1; }
    const std::vector<float>& grid2() const { return m_grid2; }
    const std::vector<float>& grid3() const { return m_grid3; }

    // The three lists of the "GRDW" section.
    void setGrid1(std::vector<float> values) { m_grid1 = std::move(values); }
    void setGrid2(std::vector<float> values) { m_grid2 = std::move(values); }
    void setGrid3(std::vector<float> values) { m_grid3 = std::move(values); }

private:
    template <typename T> using Registry = std::vector<std::unique_ptr<T>>;

    std::int32_t m_formatVersion;
    std::uint16_t m_unit;
    Registry<CWMaterial> m_materials;
    Registry<SceneItem> m_textures;
    std::unique_ptr<CWFrame> m_rootFrame;
    float m_viewValue1;
    float m_viewValue2;
    float m_gridInterval;
    float m_thickness1;
    float m_thickness2;
    float m_thickness3;
    std::int32_t m_writeErrorLog;
    Registry<SceneItem> m_views;
    Registry<SceneItem> m_lights;
    Registry<SceneItem> m_backgrounds;
    Registry<SceneItem> m_leads;
    Registry<CWSensorUnit> m_sensors;
    std::vector<float> m_grid1;
    std::vector<float> m_grid2;
    std::vector<float> m_grid3;
};
