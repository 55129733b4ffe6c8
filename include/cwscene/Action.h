// Action.h - actions (CWActionUnit) with their steps (CWActionParam), and sensors (CWSensorUnit).
//
// Portable: standard C++ only. Part of cwscene. A frame owns at most one action; the scene owns its
// sensors. Records: docs/scene-file-format.md ("Action record", "Sensor record").
#pragma once

#include <cwscene/Export.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include <cwscene/ScriptObject.h>

// ---------------------------------------------------------------------------------------------------
// One step of an action: a scalar and three triples. Its name is copied but never written.
class CWSCENE_API CWActionParam : public CWScriptObject {
public:
    CWActionParam();  // scalar 1.0, position 0, rotation 0, scale 1
    CWActionParam(const CWActionParam& other);
    CWActionParam& operator=(const CWActionParam& other);
    ~CWActionParam() override;

    // Ten floats: scalar, position, rotation, scale. No error guard.
    void Write(std::FILE* stream) override;
    virtual void SetScalar(float value);
    virtual void SetPosition(float x, float y, float z);
    virtual void SetRotation(float x, float y, float z);
    virtual void SetScale(float x, float y, float z);
    CWActionParam* Clone() const;  // null when memory runs out

    float scalar() const { return m_scalar; }
    const CWCoord& position() const { return m_position; }
    const CWCoord& rotation() const { return m_rotation; }
    const CWCoord& scale() const { return m_scale; }

private:
    float m_scalar;
    CWCoord m_position;
    CWCoord m_rotation;
    CWCoord m_scale;
};

// ---------------------------------------------------------------------------------------------------
// An action: type and option words, an ordered list of steps, and four texts (keys 10 to 13).
class CWSCENE_API CWActionUnit : public CWScriptObject {
public:
    static constexpr std::int32_t kFirstTextKey = 10;  // keys 10, 11, 12, 13 address the four texts

    CWActionUnit();  // type 3, option 1, no steps, four empty texts
    CWActionUnit(const CWActionUnit& other);
    CWActionUnit& operator=(const CWActionUnit& other);
    ~CWActionUnit() override;

    // The "ACTN" record; nothing at all when there are no steps. On failure the caught text goes to
    // the error chain and "動作設定" is thrown.
    void Write(std::FILE* stream) override;
    virtual void AddParam(const CWActionParam& step);  // appends a copy
    virtual void ClearParams();
    virtual void SetActionType(std::int16_t type);
    virtual void SetActionOption(std::uint16_t option);
    // Key 10..13 sets text 1..4 (null empties it); any other key is ignored.
    virtual void SetActionText(std::int32_t key, const char* text);
    CWActionUnit* Clone() const;  // null when memory runs out
    // Takes over a step made by the caller instead of copying it; null is ignored. Throws
    // std::bad_alloc when the list cannot grow (the step is then deleted).
    void adoptParam(std::unique_ptr<CWActionParam> step);
    void reserveParams(std::size_t count) { m_params.reserve(count); }

    std::int16_t actionType() const { return m_actionType; }
    std::uint16_t actionOption() const { return m_actionOption; }
    std::size_t paramCount() const { return m_params.size(); }
    const CWActionParam& param(std::size_t i) const { return *m_params.at(i); }
    // The text of key 10..13; an empty text for any other key.
    const CWString& actionText(std::int32_t key) const;

private:
    std::int16_t m_actionType;
    std::uint16_t m_actionOption;
    std::vector<std::unique_ptr<CWActionParam>> m_params;
    std::array<CWString, 4> m_texts;
};

// ---------------------------------------------------------------------------------------------------
// A sensor: a named position with a size and a type word.
class CWSCENE_API CWSensorUnit : public CWScriptObject {
public:
    CWSensorUnit();  // position 0, size 1, type 0
    CWSensorUnit(const CWSensorUnit& other);
    CWSensorUnit& operator=(const CWSensorUnit& other);
    ~CWSensorUnit() override;

    // Counted name, six floats, the type word. On failure the caught text goes to the error chain and
    // "動作設定" is thrown.
    void Write(std::FILE* stream) override;
    virtual void SetPosition(float x, float y, float z);
    virtual void SetSize(float x, float y, float z);
    CWSensorUnit* Clone() const;  // null when memory runs out

    const CWCoord& position() const { return m_position; }
    const CWCoord& size() const { return m_size; }
    std::int16_t sensorType() const { return m_sensorType; }
    void setSensorType(std::int16_t type) { m_sensorType = type; }

private:
    CWCoord m_position;
    CWCoord m_size;
    std::int16_t m_sensorType;
};
