// Scene.cpp - CWScene's registries, default names and scene-level values (see Scene.h). Writing the
// scene file (Save, Write, the sections) is in scenefile/SceneWriter.cpp.
//
// Portable: standard C++ only. Part of cwscene.
#include <cwscene/Scene.h>

#include <new>  // std::bad_alloc

#include "scene/SjisTexts.h"
#include <cwscene/Encoding.h>
#include <cwscene/NumberText.h>

namespace {

// The pattern with its "%d" replaced by n in decimal: "新規色%d" and 1 give "新規色1".
std::string defaultName(const char* pattern, std::size_t n)
{
    std::string name(pattern);
    char digits[24];
    std::size_t length = numtext::formatInt(digits, sizeof digits, static_cast<long long>(n));
    std::size_t at = name.find("%d");
    if (at != std::string::npos) name.replace(at, 2, digits, length);
    return name;
}

// Appends the object's Clone and returns its index, or -1 when no copy could be made.
template <typename Entry, typename Item>
std::int32_t registerCopy(std::vector<std::unique_ptr<Entry>>& registry, const Item& item)
{
    try {
        std::unique_ptr<Entry> copy(item.Clone());
        if (!copy) return -1;
        registry.push_back(std::move(copy));
        return static_cast<std::int32_t>(registry.size() - 1);
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

// As registerCopy, but an unnamed object is first given the registry's default name; the caller's
// object keeps that name whether or not the copy succeeds.
template <typename Entry, typename Item>
std::int32_t registerNamedCopy(std::vector<std::unique_ptr<Entry>>& registry, Item& item, const char* pattern)
{
    CWString name;
    if (item.GetName(name).GetLength() == 0) item.SetName(defaultName(pattern, registry.size() + 1).c_str());
    return registerCopy(registry, item);
}

// Appends an object made by the caller, named first as registerNamedCopy names (pattern null: never),
// and returns its index, or -1 for null. Throws std::bad_alloc when the registry cannot grow.
template <typename Entry, typename Item>
std::int32_t registerAdopted(std::vector<std::unique_ptr<Entry>>& registry, std::unique_ptr<Item> item,
                             const char* pattern)
{
    if (!item) return -1;
    if (pattern && item->name().GetLength() == 0) item->SetName(defaultName(pattern, registry.size() + 1).c_str());
    registry.push_back(std::move(item));
    return static_cast<std::int32_t>(registry.size() - 1);
}

template <typename Entry>
void clearRegistry(std::vector<std::unique_ptr<Entry>>& registry)
{
    registry.clear();  // deletes every entry through its virtual destructor; the capacity stays
}

}  // namespace

CWScene::CWScene()
    : m_formatVersion(kFormatVersion),
      m_unit(2),
      m_viewValue1(0.0f),
      m_viewValue2(0.0f),
      m_gridInterval(-1.0f),
      m_thickness1(-1.0f),
      m_thickness2(-1.0f),
      m_thickness3(-1.0f),
      m_writeErrorLog(0)
{
}

CWScene::~CWScene()
{
    // CWScene's own Clear functions, by name: in a destructor a derived class's are gone already.
    m_rootFrame.reset();
    CWScene::ClearBackgrounds();
    CWScene::ClearLeads();
    CWScene::ClearLights();
    CWScene::ClearMaterials();
    CWScene::ClearSensors();
    CWScene::ClearTextures();
    CWScene::ClearViews();
}

std::int32_t CWScene::SetTextMode(std::int32_t textMode)
{
    setBinaryModeSwitch(textMode == 0 ? 1 : 0);
    return binaryModeSwitch();
}

void CWScene::SetUnit(std::uint16_t unit) { m_unit = unit; }

void CWScene::SetRootFrame(CWFrame& frame)
{
    CWString name;
    if (frame.GetName(name).GetLength() == 0) frame.SetName(sjis::kNewFrameName);
    m_rootFrame.reset(frame.Clone());  // releases an earlier root; a failed copy leaves none
}

void CWScene::adoptRootFrame(std::unique_ptr<CWFrame> frame)
{
    if (frame) {
        CWString name;
        if (frame->GetName(name).GetLength() == 0) frame->SetName(sjis::kNewFrameName);
    }
    m_rootFrame = std::move(frame);
}

std::int32_t CWScene::AddMaterial(CWMaterial& material) { return registerNamedCopy(m_materials, material, sjis::kNewColourName); }
std::int32_t CWScene::AddTexture(const SceneItem& texture) { return registerCopy(m_textures, texture); }
std::int32_t CWScene::AddLight(SceneItem& light) { return registerNamedCopy(m_lights, light, sjis::kNewLightName); }
std::int32_t CWScene::AddView(SceneItem& view) { return registerNamedCopy(m_views, view, sjis::kNewViewName); }
std::int32_t CWScene::AddBackground(const SceneItem& background) { return registerCopy(m_backgrounds, background); }
std::int32_t CWScene::AddLead(SceneItem& lead) { return registerNamedCopy(m_leads, lead, sjis::kNewLeadName); }
std::int32_t CWScene::AddSensor(CWSensorUnit& sensor) { return registerNamedCopy(m_sensors, sensor, sjis::kNewSensorName); }

std::int32_t CWScene::adoptMaterial(std::unique_ptr<CWMaterial> material)
{
    return registerAdopted(m_materials, std::move(material), sjis::kNewColourName);
}
std::int32_t CWScene::adoptTexture(std::unique_ptr<SceneItem> texture)
{
    return registerAdopted(m_textures, std::move(texture), nullptr);
}
std::int32_t CWScene::adoptLight(std::unique_ptr<SceneItem> light)
{
    return registerAdopted(m_lights, std::move(light), sjis::kNewLightName);
}
std::int32_t CWScene::adoptView(std::unique_ptr<SceneItem> view)
{
    return registerAdopted(m_views, std::move(view), sjis::kNewViewName);
}
std::int32_t CWScene::adoptBackground(std::unique_ptr<SceneItem> background)
{
    return registerAdopted(m_backgrounds, std::move(background), nullptr);
}
std::int32_t CWScene::adoptLead(std::unique_ptr<SceneItem> lead)
{
    return registerAdopted(m_leads, std::move(lead), sjis::kNewLeadName);
}
std::int32_t CWScene::adoptSensor(std::unique_ptr<CWSensorUnit> sensor)
{
    return registerAdopted(m_sensors, std::move(sensor), sjis::kNewSensorName);
}

void CWScene::SetViewValues(float value1, float value2)
{
    m_viewValue1 = value1;
    m_viewValue2 = value2;
}

void CWScene::ClearMaterials() { clearRegistry(m_materials); }
void CWScene::ClearTextures() { clearRegistry(m_textures); }
void CWScene::ClearLights() { clearRegistry(m_lights); }
void CWScene::ClearViews() { clearRegistry(m_views); }
void CWScene::ClearBackgrounds() { clearRegistry(m_backgrounds); }
void CWScene::ClearLeads() { clearRegistry(m_leads); }
void CWScene::ClearSensors() { clearRegistry(m_sensors); }

void CWScene::SetErrorLog(std::int32_t enabled) { m_writeErrorLog = enabled; }
void CWScene::SetGridInterval(float interval) { m_gridInterval = interval; }

void CWScene::SetThickness(float thickness1, float thickness2, float thickness3)
{
    m_thickness1 = thickness1;
    m_thickness2 = thickness2;
    m_thickness3 = thickness3;
}
