/// \file
/// CWScene: the root object of a scene. Its registries (materials, textures, lights, views,
/// backgrounds, leads, sensors), its root frame, its scene-level values, and the writer of the whole
/// scene file (Save, Write and the section writers).
///
/// Portable: standard C++ only. Part of cwscene. The file layout is in docs/scene-file-format.md.
/// Including this header gives the whole scene library except the concrete texture, light, view,
/// background and lead classes, which are in cwscene/SceneItems.h.
///
/// Sections of this file:
///   - [SECTION] SceneItem: what textures, lights, views, backgrounds and leads implement
///   - [SECTION] CWScene
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
#include <cwscene/FileAccess.h>  // WriteOutcome
#include <cwscene/Frame.h>
#include <cwscene/Material.h>
#include <cwscene/ScriptObject.h>
#include <cwscene/Shape.h>

// ---------------------------------------------------------------------------------------------------
// [SECTION] SceneItem
/// The contract of the objects in the texture, light, view, background and lead registries: a record
/// writer (Write), a name, and a deep copy. cwscene/SceneItems.h holds the library's own classes; a
/// program may register classes of its own that implement this.
class CWSCENE_API SceneItem : public CWScriptObject {
public:
    /// A new heap copy owned by the caller, or null when memory runs out.
    virtual SceneItem* Clone() const = 0;
};

// ---------------------------------------------------------------------------------------------------
// [SECTION] CWScene
/// The root object of a scene: its registries, its root frame, its scene-level values, and the writer
/// of the whole scene file.
///
/// Every registration stores a copy, and the scene owns every copy it holds; its registries keep the
/// order of registration, which is the order of the records in the file, and an index is a position in
/// its registry (from 0). A scene cannot be copied.
class CWSCENE_API CWScene : public CWScriptObject {
public:
    static constexpr std::int32_t kFormatVersion = 4;  ///< The file header.
    static constexpr std::size_t kMaxLights = 16;      ///< A save with more lights fails.

    CWScene();  ///< Version 4, unit 2, view values 0.0, grid interval and thicknesses -1.0, no log.
    CWScene(const CWScene&) = delete;             ///< Not copyable: a scene is saved, not copied.
    CWScene& operator=(const CWScene&) = delete;  ///< Not copyable.
    /// Deletes the root frame, then every registry (backgrounds, leads, lights, materials, sensors,
    /// textures, views).
    ~CWScene() override;

    /// The whole file content: header, sections, "EXIT". On failure the caught text goes to the error
    /// chain and "シーン" is thrown.
    void Write(std::FILE* stream) override;

    /// Sets the process-wide binary mode switch: flag 0 selects binary (returns 1), any other flag
    /// text (returns 0). Acts on every scene of the process.
    virtual std::int32_t SetTextMode(std::int32_t textMode);
    /// Writes the scene file at a UTF-8 path. Returns 1 when everything was written, flushed, closed
    /// and put in place; 0 otherwise, and the file that was at the path is left as it was. With the
    /// error log enabled a failure writes the error chain to "ScriptErr.log" in the working directory.
    /// saveFile(path).written as 1 or 0; a null path fails as an empty one does.
    virtual std::int32_t Save(const char* path);
    std::int32_t Save(const std::string& path) { return Save(path.c_str()); }  ///< Save(path.c_str()), for a std::string path.
    /// Save, and what it came to: whether the file is in place, and when not, the errno of the file
    /// operation that failed, or 0 when the scene itself could not be written (no root frame, too many
    /// lights; the error chain then says where).
    fileio::WriteOutcome saveFile(const std::string& path);
    /// Sets the unit code of the "UNIT" section. The wizard writes 0, with every length in
    /// millimetres; a new scene has 2, whose length is not defined (docs/scene-file-format.md,
    /// "Interpreting the data").
    virtual void SetUnit(std::uint16_t unit);
    /// Names an unnamed frame "新規パーツ" (the caller's frame itself) and keeps a deep copy as the
    /// root, releasing an earlier root. When no copy can be made the scene is left without a root, and
    /// the next Save fails.
    virtual void SetRootFrame(CWFrame& frame);
    /// Stores a copy of the material and returns its index, the number a shape's
    /// CWPrimitiveShape::SetMaterialIndex takes, or -1 when no copy could be made.
    ///
    /// This holds for every Add operation: each stores a copy and returns its index, or -1 when no copy
    /// could be made. An unnamed material, light, view, lead or sensor is first named by its registry's
    /// pattern with the registry's size plus 1 ("新規色1"); the caller's object receives that name too.
    /// Textures and backgrounds keep their names as they are.
    virtual std::int32_t AddMaterial(CWMaterial& material);
    /// Stores a copy of the texture and returns its index, or -1; the name is left as it is.
    virtual std::int32_t AddTexture(const SceneItem& texture);
    /// Stores a copy of the light and returns its index, or -1; an unnamed light becomes "新規光源n".
    virtual std::int32_t AddLight(SceneItem& light);
    /// Stores a copy of the view and returns its index, or -1; an unnamed view becomes "新規視点n".
    virtual std::int32_t AddView(SceneItem& view);
    /// Stores a copy of the background and returns its index, or -1; the name is left as it is.
    virtual std::int32_t AddBackground(const SceneItem& background);
    /// Stores a copy of the lead and returns its index, or -1; an unnamed lead becomes "新規導線n".
    virtual std::int32_t AddLead(SceneItem& lead);
    /// Stores a copy of the sensor and returns its index, or -1; an unnamed sensor becomes
    /// "新規センサーn".
    virtual std::int32_t AddSensor(CWSensorUnit& sensor);
    /// Sets the two values of the "VIEW" section, written only when there are views. Their meaning is
    /// not defined.
    virtual void SetViewValues(float value1, float value2);
    virtual void ClearMaterials();    ///< Deletes every material; the next unnamed one is "新規色1" again.
    virtual void ClearTextures();     ///< Deletes every texture.
    virtual void ClearLights();       ///< Deletes every light.
    virtual void ClearViews();        ///< Deletes every view.
    virtual void ClearBackgrounds();  ///< Deletes every background.
    virtual void ClearLeads();        ///< Deletes every lead.
    virtual void ClearSensors();      ///< Deletes every sensor.
    virtual void SetErrorLog(std::int32_t enabled);  ///< Non-zero: a failed Save writes "ScriptErr.log".

    /// \name Section writers
    /// In file order (Write calls them). Each writes its section or nothing.
    ///@{

    /// Writes the header, the format version. A failure throws "ファイルヘッダ" in place of the
    /// primitive's text.
    virtual void WriteHeader(std::FILE* stream);
    /// Writes "UNIT" and the unit code. A failure throws "ユニットセクション" in place of the
    /// primitive's text.
    virtual void WriteUnitSection(std::FILE* stream);
    /// Writes "COLR", the count and every material, or nothing without materials. A failure throws
    /// "色セクション" in place of the caught text.
    virtual void WriteColorSection(std::FILE* stream);
    /// Writes "TXTR", the count and every texture, or nothing without textures. A failure adds the
    /// caught text to the error chain and throws "テクスチャセクション".
    virtual void WriteTextureSection(std::FILE* stream);
    /// Writes the root frame's part record. Without a root frame it fails with
    /// "ルートのパーツ階層がない"; a failure adds the caught text to the error chain and throws
    /// "パーツセクション".
    virtual void WritePartSection(std::FILE* stream);
    /// Writes "LIGT", the count and every light, or nothing without lights. More than kMaxLights
    /// lights throw "光源の数が多すぎる" before anything is written.
    virtual void WriteLightSection(std::FILE* stream);
    /// Writes "VIEW", the two view values, the count and every view, or nothing without views.
    virtual void WriteViewSection(std::FILE* stream);
    /// Writes "BACK" and the background's record once per background (there is no count).
    virtual void WriteBackgroundSection(std::FILE* stream);
    /// Writes "LEAD", the count and every lead, or nothing without leads.
    virtual void WriteLeadSection(std::FILE* stream);
    /// Writes "SENS", the count and every sensor, or nothing without sensors.
    virtual void WriteSensorSection(std::FILE* stream);
    ///@}

    /// Sets the grid interval; "GINT" is written only when it is above 0.0. The wizard writes 1000.0,
    /// a metre in its millimetres.
    void SetGridInterval(float interval);
    /// Sets the three thicknesses; "THCK" is written only when the first is above 0.0 and one of the
    /// others is too. The wizard writes its wall thickness, wall height and first-floor slab thickness,
    /// in this order.
    void SetThickness(float thickness1, float thickness2, float thickness3);
    /// Writes "GRDW" and the three grid lists, or nothing when all three are empty.
    void WriteGridSection(std::FILE* stream);
    /// Writes "GINT" and the grid interval, or nothing unless it is above 0.0.
    void WriteGridIntervalSection(std::FILE* stream);
    /// Writes "THCK" and the three thicknesses, or nothing unless SetThickness's condition holds.
    void WriteThicknessSection(std::FILE* stream);

    /// Takes over a root frame made by the caller instead of copying it; same naming rule as
    /// SetRootFrame. Null leaves the scene without a root.
    void adoptRootFrame(std::unique_ptr<CWFrame> frame);
    /// Takes over a material made by the caller instead of copying it, and returns its index.
    ///
    /// This holds for every adopt operation of a registry: each takes over an object made by the caller
    /// instead of copying it, with the naming rule of its Add operation, and returns its index; -1 for
    /// null. Throws std::bad_alloc when the registry cannot grow (the object is then deleted).
    std::int32_t adoptMaterial(std::unique_ptr<CWMaterial> material);
    std::int32_t adoptTexture(std::unique_ptr<SceneItem> texture);  ///< As adoptMaterial, for a texture.
    std::int32_t adoptLight(std::unique_ptr<SceneItem> light);  ///< As adoptMaterial, for a light.
    std::int32_t adoptView(std::unique_ptr<SceneItem> view);  ///< As adoptMaterial, for a view.
    std::int32_t adoptBackground(std::unique_ptr<SceneItem> background);  ///< As adoptMaterial, for a background.
    std::int32_t adoptLead(std::unique_ptr<SceneItem> lead);  ///< As adoptMaterial, for a lead.
    std::int32_t adoptSensor(std::unique_ptr<CWSensorUnit> sensor);  ///< As adoptMaterial, for a sensor.

    /// \name Getters
    /// Getters for every field. An object returned by reference is owned by the scene; an index past
    /// the end of its registry throws std::out_of_range.
    ///@{
    std::int32_t formatVersion() const { return m_formatVersion; }  ///< The format version, 4.
    std::uint16_t unit() const { return m_unit; }  ///< The unit code (2 unless set).
    const CWFrame* rootFrame() const { return m_rootFrame.get(); }  ///< The root frame, or null for none.
    float viewValue1() const { return m_viewValue1; }  ///< The first view value.
    float viewValue2() const { return m_viewValue2; }  ///< The second view value.
    float gridInterval() const { return m_gridInterval; }  ///< The grid interval (-1.0 unless set).
    float thickness1() const { return m_thickness1; }  ///< The first thickness (-1.0 unless set).
    float thickness2() const { return m_thickness2; }  ///< The second thickness (-1.0 unless set).
    float thickness3() const { return m_thickness3; }  ///< The third thickness (-1.0 unless set).
    std::int32_t writeErrorLog() const { return m_writeErrorLog; }  ///< The error-log flag of SetErrorLog.
    std::size_t materialCount() const { return m_materials.size(); }  ///< The number of materials.
    const CWMaterial& material(std::size_t i) const { return *m_materials.at(i); }  ///< Material `i`.
    std::size_t textureCount() const { return m_textures.size(); }  ///< The number of textures.
    const SceneItem& texture(std::size_t i) const { return *m_textures.at(i); }  ///< Texture `i`.
    std::size_t lightCount() const { return m_lights.size(); }  ///< The number of lights.
    const SceneItem& light(std::size_t i) const { return *m_lights.at(i); }  ///< Light `i`.
    std::size_t viewCount() const { return m_views.size(); }  ///< The number of views.
    const SceneItem& view(std::size_t i) const { return *m_views.at(i); }  ///< View `i`.
    std::size_t backgroundCount() const { return m_backgrounds.size(); }  ///< The number of backgrounds.
    const SceneItem& background(std::size_t i) const { return *m_backgrounds.at(i); }  ///< Background `i`.
    std::size_t leadCount() const { return m_leads.size(); }  ///< The number of leads.
    const SceneItem& lead(std::size_t i) const { return *m_leads.at(i); }  ///< Lead `i`.
    std::size_t sensorCount() const { return m_sensors.size(); }  ///< The number of sensors.
    const CWSensorUnit& sensor(std::size_t i) const { return *m_sensors.at(i); }  ///< Sensor `i`.
    const std::vector<float>& grid1() const { return m_grid1; }  ///< The first list of "GRDW".
    const std::vector<float>& grid2() const { return m_grid2; }  ///< The second list of "GRDW".
    const std::vector<float>& grid3() const { return m_grid3; }  ///< The third list of "GRDW".
    ///@}

    /// \name The three lists of the "GRDW" section
    ///@{
    void setGrid1(std::vector<float> values) { m_grid1 = std::move(values); }  ///< Replaces the first list of "GRDW".
    void setGrid2(std::vector<float> values) { m_grid2 = std::move(values); }  ///< Replaces the second list of "GRDW".
    void setGrid3(std::vector<float> values) { m_grid3 = std::move(values); }  ///< Replaces the third list of "GRDW".
    ///@}

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
