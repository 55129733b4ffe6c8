/// \file
/// Actions (CWActionUnit) with their steps (CWActionParam), and sensors (CWSensorUnit).
///
/// Portable: standard C++ only. Part of cwscene. A frame owns at most one action; the scene owns its
/// sensors. Records: docs/scene-file-format.md ("Action record", "Sensor record"). What the host
/// application does with an action's words, steps and texts, and with a sensor's type, is not defined;
/// the library stores, copies and writes them.
#pragma once

#include <cwscene/Export.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include <cwscene/ScriptObject.h>

// ---------------------------------------------------------------------------------------------------
/// One step of an action: a scalar and three triples. Its name is copied but never written.
class CWSCENE_API CWActionParam : public CWScriptObject {
public:
    CWActionParam();  ///< Scalar 1.0, position 0, rotation 0, scale 1.
    CWActionParam(const CWActionParam& other);  ///< A copy of the name, the scalar and the three triples.
    CWActionParam& operator=(const CWActionParam& other);  ///< The name, the scalar and the three triples.
    ~CWActionParam() override;  ///< Nothing of its own to release.

    /// Ten floats: scalar, position, rotation, scale. No error guard.
    void Write(std::FILE* stream) override;
    virtual void SetScalar(float value);  ///< Sets the scalar, the step's leading value.
    virtual void SetPosition(float x, float y, float z);  ///< Sets the position triple.
    virtual void SetRotation(float x, float y, float z);  ///< Sets the rotation triple.
    virtual void SetScale(float x, float y, float z);     ///< Sets the scale triple.
    CWActionParam* Clone() const;  ///< A new heap copy owned by the caller; null when memory runs out.

    float scalar() const { return m_scalar; }                ///< The scalar (1.0 by default).
    const CWCoord& position() const { return m_position; }  ///< The position triple.
    const CWCoord& rotation() const { return m_rotation; }  ///< The rotation triple.
    const CWCoord& scale() const { return m_scale; }        ///< The scale triple.

private:
    float m_scalar;
    CWCoord m_position;
    CWCoord m_rotation;
    CWCoord m_scale;
};

// ---------------------------------------------------------------------------------------------------
/// An action: type and option words, an ordered list of steps, and four texts (keys 10 to 13).
class CWSCENE_API CWActionUnit : public CWScriptObject {
public:
    static constexpr std::int32_t kFirstTextKey = 10;  ///< Keys 10, 11, 12, 13 address the four texts.

    CWActionUnit();  ///< Type 3, option 1, no steps, four empty texts.
    /// A copy of the name, both words, every step and the texts; throws std::bad_alloc when memory runs
    /// out (never a copy with steps missing).
    CWActionUnit(const CWActionUnit& other);
    /// The name, both words, every step and the texts. The steps are copied before anything changes, so
    /// a std::bad_alloc leaves this action as it was.
    CWActionUnit& operator=(const CWActionUnit& other);
    ~CWActionUnit() override;  ///< Deletes the steps.

    /// The "ACTN" record; nothing at all when there are no steps. On failure the caught text goes to
    /// the error chain and "動作設定" is thrown.
    void Write(std::FILE* stream) override;
    /// Appends a copy of the step; the caller keeps its own. Nothing is added when no copy can be made.
    virtual void AddParam(const CWActionParam& step);
    virtual void ClearParams();  ///< Deletes every step.
    virtual void SetActionType(std::int16_t type);  ///< Sets the type word, the first word of the record.
    virtual void SetActionOption(std::uint16_t option);  ///< Sets the option word, the second word of the record.
    /// Key 10..13 sets text 1..4 (null empties it); any other key is ignored.
    virtual void SetActionText(std::int32_t key, const char* text);
    CWActionUnit* Clone() const;  ///< A new heap copy owned by the caller; null when memory runs out.
    /// Takes over a step made by the caller instead of copying it; null is ignored. Throws
    /// std::bad_alloc when the list cannot grow (the step is then deleted).
    void adoptParam(std::unique_ptr<CWActionParam> step);
    /// Makes room for `count` steps in all; throws std::bad_alloc when it cannot.
    void reserveParams(std::size_t count) { m_params.reserve(count); }

    std::int16_t actionType() const { return m_actionType; }      ///< The type word (3 by default).
    std::uint16_t actionOption() const { return m_actionOption; }  ///< The option word (1 by default).
    std::size_t paramCount() const { return m_params.size(); }     ///< The number of steps.
    /// Step `i` (from 0, in the order added), owned by the action; throws std::out_of_range past the end.
    const CWActionParam& param(std::size_t i) const { return *m_params.at(i); }
    /// The text of key 10..13; an empty text for any other key.
    const CWString& actionText(std::int32_t key) const;

private:
    std::int16_t m_actionType;
    std::uint16_t m_actionOption;
    std::vector<std::unique_ptr<CWActionParam>> m_params;
    std::array<CWString, 4> m_texts;
};

// ---------------------------------------------------------------------------------------------------
/// A sensor: a named position with a size and a type word.
class CWSCENE_API CWSensorUnit : public CWScriptObject {
public:
    CWSensorUnit();  ///< Position 0, size 1, type 0.
    CWSensorUnit(const CWSensorUnit& other);  ///< A copy of the name, both triples and the type.
    CWSensorUnit& operator=(const CWSensorUnit& other);  ///< The name, both triples and the type.
    ~CWSensorUnit() override;  ///< Nothing of its own to release.

    /// Counted name, six floats, the type word. On failure the caught text goes to the error chain and
    /// "動作設定" is thrown.
    void Write(std::FILE* stream) override;
    virtual void SetPosition(float x, float y, float z);  ///< Sets the position triple.
    virtual void SetSize(float x, float y, float z);      ///< Sets the size triple.
    CWSensorUnit* Clone() const;  ///< A new heap copy owned by the caller; null when memory runs out.

    const CWCoord& position() const { return m_position; }  ///< The position triple.
    const CWCoord& size() const { return m_size; }          ///< The size triple (1, 1, 1 by default).
    std::int16_t sensorType() const { return m_sensorType; }  ///< The type word (0 by default).
    void setSensorType(std::int16_t type) { m_sensorType = type; }  ///< Sets the type word.

private:
    CWCoord m_position;
    CWCoord m_size;
    std::int16_t m_sensorType;
};
