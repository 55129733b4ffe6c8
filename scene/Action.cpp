// Action.cpp - steps, actions and sensors, and their records (see Action.h).
//
// Portable: standard C++ only. Part of cwscene. The record layouts, as written below:
//
// Step record: scalar, position, rotation, scale (ten floats; no tag, no name)
// Action record ("ACTN"), only when the action has steps:
//   "ACTN", type (i16), option (u16), step count (u16), the step records, texts 10..13 (counted)
// Sensor record: name (counted), position, size (six floats), sensor type (i16)
#include <cwscene/Action.h>

#include <new>  // std::bad_alloc

#include "scene/CloneOf.h"
#include "scene/RecordFields.h"
#include "scenefile/EncodingDetail.h"
#include "scenefile/ErrorTexts.h"

// ---------------------------------------------------------------------------------------------------
// CWActionParam

CWActionParam::CWActionParam()
    : m_scalar(1.0f), m_position(0.0f, 0.0f, 0.0f), m_rotation(0.0f, 0.0f, 0.0f), m_scale(1.0f, 1.0f, 1.0f)
{
}

CWActionParam::CWActionParam(const CWActionParam& other)
    : CWScriptObject(other),
      m_scalar(other.m_scalar),
      m_position(other.m_position),
      m_rotation(other.m_rotation),
      m_scale(other.m_scale)
{
}

CWActionParam& CWActionParam::operator=(const CWActionParam& other)
{
    if (&other == this) return *this;
    Assign(other);
    m_scalar = other.m_scalar;
    m_position = other.m_position;
    m_rotation = other.m_rotation;
    m_scale = other.m_scale;
    return *this;
}

CWActionParam::~CWActionParam() = default;

void CWActionParam::Write(std::FILE* stream)
{
    putFloat(m_scalar, stream);
    writeCoord(m_position, stream);
    writeCoord(m_rotation, stream);
    writeCoord(m_scale, stream);
}

void CWActionParam::SetScalar(float value) { m_scalar = value; }
void CWActionParam::SetPosition(float x, float y, float z) { m_position = CWCoord(x, y, z); }
void CWActionParam::SetRotation(float x, float y, float z) { m_rotation = CWCoord(x, y, z); }
void CWActionParam::SetScale(float x, float y, float z) { m_scale = CWCoord(x, y, z); }
CWActionParam* CWActionParam::Clone() const { return cloneOf(*this); }

// ---------------------------------------------------------------------------------------------------
// CWActionUnit

CWActionUnit::CWActionUnit() : m_actionType(3), m_actionOption(1) {}

CWActionUnit::CWActionUnit(const CWActionUnit& other)
    : CWScriptObject(other), m_actionType(other.m_actionType), m_actionOption(other.m_actionOption), m_texts(other.m_texts)
{
    m_params.reserve(other.m_params.size());
    for (const auto& step : other.m_params) {
        std::unique_ptr<CWActionParam> copy(step->Clone());
        if (!copy) throw std::bad_alloc();  // a partial copy would silently lose steps
        m_params.push_back(std::move(copy));
    }
}

CWActionUnit& CWActionUnit::operator=(const CWActionUnit& other)
{
    if (&other == this) return *this;
    CWActionUnit copy(other);  // every step copied before anything of this action changes
    Assign(other);
    m_actionType = other.m_actionType;
    m_actionOption = other.m_actionOption;
    m_params.swap(copy.m_params);
    m_texts = other.m_texts;
    return *this;
}

CWActionUnit::~CWActionUnit() = default;

void CWActionUnit::Write(std::FILE* stream)
{
    if (m_params.empty()) return;  // an action without steps leaves no trace in the file
    try {
        writeTag("ACTN", stream);
        putInt16(m_actionType, stream);
        putUInt16(m_actionOption, stream);
        writeCount(m_params.size(), stream);
        for (auto& step : m_params) step->Write(stream);
        for (const CWString& text : m_texts) writeName(text, stream);
    } catch (const WriteFailure& f) {
        AppendError(f.text());
        throw WriteFailure(sjis::kActionLabel);
    }
}

void CWActionUnit::AddParam(const CWActionParam& step)
{
    std::unique_ptr<CWActionParam> copy(step.Clone());
    if (!copy) return;  // no memory for the copy: the list stays as it was
    try {
        m_params.push_back(std::move(copy));
    } catch (const std::bad_alloc&) {
        // ignored: as above, the list stays as it was
    }
}

void CWActionUnit::adoptParam(std::unique_ptr<CWActionParam> step)
{
    if (step) m_params.push_back(std::move(step));
}

void CWActionUnit::ClearParams() { m_params.clear(); }
void CWActionUnit::SetActionType(std::int16_t type) { m_actionType = type; }
void CWActionUnit::SetActionOption(std::uint16_t option) { m_actionOption = option; }

void CWActionUnit::SetActionText(std::int32_t key, const char* text)
{
    if (key < kFirstTextKey || key >= kFirstTextKey + static_cast<std::int32_t>(m_texts.size())) return;
    m_texts[static_cast<std::size_t>(key - kFirstTextKey)].AssignText(text);
}

const CWString& CWActionUnit::actionText(std::int32_t key) const
{
    static const CWString kNoText;
    if (key < kFirstTextKey || key >= kFirstTextKey + static_cast<std::int32_t>(m_texts.size())) return kNoText;
    return m_texts[static_cast<std::size_t>(key - kFirstTextKey)];
}

CWActionUnit* CWActionUnit::Clone() const { return cloneOf(*this); }

// ---------------------------------------------------------------------------------------------------
// CWSensorUnit

CWSensorUnit::CWSensorUnit() : m_position(0.0f, 0.0f, 0.0f), m_size(1.0f, 1.0f, 1.0f), m_sensorType(0) {}

CWSensorUnit::CWSensorUnit(const CWSensorUnit& other)
    : CWScriptObject(other), m_position(other.m_position), m_size(other.m_size), m_sensorType(other.m_sensorType)
{
}

CWSensorUnit& CWSensorUnit::operator=(const CWSensorUnit& other)
{
    if (&other == this) return *this;
    Assign(other);
    m_position = other.m_position;
    m_size = other.m_size;
    m_sensorType = other.m_sensorType;
    return *this;
}

CWSensorUnit::~CWSensorUnit() = default;

void CWSensorUnit::Write(std::FILE* stream)
{
    try {
        writeName(m_name, stream);
        writeCoord(m_position, stream);
        writeCoord(m_size, stream);
        putInt16(m_sensorType, stream);
    } catch (const WriteFailure& f) {
        AppendError(f.text());
        throw WriteFailure(sjis::kActionLabel);
    }
}

void CWSensorUnit::SetPosition(float x, float y, float z) { m_position = CWCoord(x, y, z); }
void CWSensorUnit::SetSize(float x, float y, float z) { m_size = CWCoord(x, y, z); }
CWSensorUnit* CWSensorUnit::Clone() const { return cloneOf(*this); }
